#include "XSession.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace sijill::test {

namespace {

using Clock = std::chrono::steady_clock;

// Starts a program; in the child, `prepare` runs before exec.
template <typename Prepare> pid_t spawn(const std::vector<std::string>& argv, Prepare prepare) {
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    prepare();
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    std::fprintf(stderr, "cannot run %s: %s\n", args[0], std::strerror(errno));
    _exit(127);
}

// Waits for a child up to the deadline; kills it after that.
int waitFor(pid_t pid, Clock::time_point deadline) {
    int status = 0;
    for (;;) {
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (r < 0)
            return -1;
        if (Clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void stop(pid_t& pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    if (waitFor(pid, Clock::now() + std::chrono::seconds(10)) < 0)
        kill(pid, SIGKILL);
    pid = -1;
}

// The output of a short command, or empty when it failed.
std::string output(const std::vector<std::string>& argv) {
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = spawn(argv, [&] {
        dup2(fds[1], STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        close(fds[0]);
    });
    close(fds[1]);
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    if (pid < 0 || waitFor(pid, Clock::now() + std::chrono::seconds(10)) != 0)
        return {};
    return text;
}

} // namespace

XSession::XSession(int width, int height) {
    if (startServer(width, height) && startWindowManager())
        waitForWindowManager();
}

XSession::~XSession() {
    stop(windowManager_);
    stop(server_);
}

bool XSession::startServer(int width, int height) {
    // Xvfb picks a free display itself and writes its number on the pipe.
    int fds[2];
    if (pipe(fds) != 0) {
        problem_ = "no pipe for Xvfb";
        return false;
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen,
                     "-nolisten", "tcp", "-noreset"},
                    [&] {
                        close(fds[0]);
                        const int null = open("/dev/null", O_WRONLY);
                        dup2(null, STDOUT_FILENO);
                        dup2(null, STDERR_FILENO);
                    });
    close(fds[1]);
    std::string number;
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    pollfd p{fds[0], POLLIN, 0};
    while (Clock::now() < deadline && number.find('\n') == std::string::npos) {
        if (poll(&p, 1, 200) > 0) {
            char c[16];
            const ssize_t n = read(fds[0], c, sizeof c);
            if (n <= 0)
                break;
            number.append(c, static_cast<size_t>(n));
        }
    }
    close(fds[0]);
    while (!number.empty() && (number.back() == '\n' || number.back() == '\r'))
        number.pop_back();
    if (server_ < 0 || number.empty()) {
        problem_ = "Xvfb did not start (is the package xvfb installed?)";
        return false;
    }
    display_ = ":" + number;
    return true;
}

bool XSession::startWindowManager() {
    const std::string display = display_;
    windowManager_ = spawn({"openbox", "--sm-disable"}, [&] {
        setenv("DISPLAY", display.c_str(), 1);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    });
    if (windowManager_ < 0) {
        problem_ = "openbox did not start";
        return false;
    }
    return true;
}

bool XSession::waitForWindowManager() {
    // Ready once it has announced itself on the root window.
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (Clock::now() < deadline) {
        const std::string said =
            output({"xprop", "-display", display_, "-root", "_NET_SUPPORTING_WM_CHECK"});
        if (said.find("window id #") != std::string::npos)
            return true;
        int status = 0;
        if (waitpid(windowManager_, &status, WNOHANG) == windowManager_) {
            windowManager_ = -1;
            problem_ = "openbox ended at once (is the package openbox installed?)";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    problem_ = "openbox did not announce itself within 30 seconds (is x11-utils installed?)";
    return false;
}

int runWithTimeout(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& env, int seconds) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = spawn(argv, [&] {
        for (const std::string& e : env) {
            const size_t eq = e.find('=');
            setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
        }
    });
    if (pid < 0)
        return -1;
    return waitFor(pid, Clock::now() + std::chrono::seconds(seconds));
}

} // namespace sijill::test
