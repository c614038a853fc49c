#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sijill::test {

// Runs `body` in a forked copy of this process as the user "nobody", which
// file modes bind (they do not bind root, whom the tests run as), and returns
// the text it gave back. Nothing when this process cannot take another user's
// rights or the child did not end normally. `body` must touch no window.
inline std::optional<QString> asAnotherUser(const std::function<QString()>& body) {
    const passwd* nobody = ::getpwnam("nobody");
    int out[2];
    if (::geteuid() != 0 || !nobody || ::pipe(out) != 0)
        return std::nullopt;
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(out[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            ::_exit(2);
        const QByteArray text = body().toUtf8();
        const bool sent = ::write(out[1], text.constData(), text.size()) == text.size();
        ::_exit(sent ? 0 : 3);
    }
    ::close(out[1]);
    QByteArray text;
    char buffer[4096];
    for (ssize_t n; pid > 0 && (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    ::close(out[0]);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;
    return QString::fromUtf8(text);
}

} // namespace sijill::test
