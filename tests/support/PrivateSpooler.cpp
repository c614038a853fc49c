#include "support/PrivateSpooler.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <cups/cups.h>

namespace sijill::test {

namespace {

constexpr int kStartMs = 10000;
constexpr int kClientMs = 10000;

bool writeFile(const QString& path, const QByteArray& text, QFileDevice::Permissions perms) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.setPermissions(perms);
}

// A printer that keeps each job as it came, a file in the folder its device
// names: the job's document is our PDF, so the file is the printed PDF.
const QByteArray kBackend = R"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct pdfdir "Unknown" "PDF folder"'; exit 0; fi
dir="${DEVICE_URI#pdfdir:}"
if [ -n "$6" ]; then cat "$6"; else cat; fi > "$dir/job-$1.part" || exit 1
mv "$dir/job-$1.part" "$dir/job-$1.pdf"
)";

// A printer that takes each job and then fails as its device says
// ("failing:STATUS"), or takes a few seconds over it ("failing:slow").
const QByteArray kFailingBackend = R"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct failing "Unknown" "Failing printer"'; exit 0; fi
if [ -n "$6" ]; then cat "$6"; else cat; fi > /dev/null
end="${DEVICE_URI#failing:}"
if [ "$end" = slow ]; then sleep 4; exit 0; fi
echo "ERROR: the printer cannot take the job" >&2
exit "$end"
)";

} // namespace

PrivateSpooler::PrivateSpooler() {
    running_ = start();
    if (running_)
        server_ = std::make_unique<EnvScope>("CUPS_SERVER", socket().toUtf8());
}

PrivateSpooler::~PrivateSpooler() {
    server_.reset();
    kill();
}

QString PrivateSpooler::socket() const {
    return dir_.filePath(QStringLiteral("cups.sock"));
}

QString PrivateSpooler::outputFolder() const {
    return dir_.filePath(QStringLiteral("out"));
}

bool PrivateSpooler::start() {
    const QString cupsd =
        QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")});
    if (cupsd.isEmpty()) {
        why_ = QStringLiteral("cupsd is not installed");
        return false;
    }
    const QDir root(dir_.path());
    for (const char* sub : {"etc/ppd", "spool/tmp", "cache", "state", "log", "out", "bin/backend"})
        root.mkpath(QString::fromLatin1(sub));
    // The server's helpers run as another user: they must reach the folders.
    const auto open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                      QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                      QFileDevice::ExeOther;
    QFile::setPermissions(dir_.path(), open);
    QFile::setPermissions(outputFolder(), open | QFileDevice::WriteGroup | QFileDevice::WriteOther);
    for (const char* helper : {"filter", "daemon", "cgi-bin", "driver", "notifier", "monitor"})
        QFile::link(QStringLiteral("/usr/lib/cups/%1").arg(QLatin1String(helper)),
                    root.filePath(QStringLiteral("bin/%1").arg(QLatin1String(helper))));
    const QString p = dir_.path();
    const QByteArray files = QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\n"
                                            "TempDir %1/spool/tmp\nCacheDir %1/cache\n"
                                            "StateDir %1/state\nErrorLog %1/log/error_log\n"
                                            "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                                            "ServerBin %1/bin\nSandboxing Relaxed\n")
                                 .arg(p)
                                 .toUtf8();
    const QByteArray conf = QStringLiteral("Listen %1\nBrowsing No\nBrowseLocalProtocols none\n"
                                           "WebInterface No\nDefaultAuthType None\nLogLevel info\n"
                                           "<Policy default>\n<Limit All>\nOrder deny,allow\n"
                                           "</Limit>\n</Policy>\n")
                                .arg(socket())
                                .toUtf8();
    if (!writeFile(root.filePath("etc/cups-files.conf"), files, open) ||
        !writeFile(root.filePath("etc/cupsd.conf"), conf, open) ||
        !writeFile(root.filePath("bin/backend/pdfdir"), kBackend, open) ||
        !writeFile(root.filePath("bin/backend/failing"), kFailingBackend, open)) {
        why_ = QStringLiteral("the configuration cannot be written in %1").arg(p);
        return false;
    }
    cupsd_ = std::make_unique<QProcess>();
    cupsd_->setProcessChannelMode(QProcess::MergedChannels);
    cupsd_->start(cupsd,
                  {QStringLiteral("-f"), QStringLiteral("-c"), root.filePath("etc/cupsd.conf"),
                   QStringLiteral("-s"), root.filePath("etc/cups-files.conf")});
    if (!cupsd_->waitForStarted(kStartMs)) {
        why_ = QStringLiteral("cupsd did not start: %1").arg(cupsd_->errorString());
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kStartMs) {
        if (cupsd_->state() != QProcess::Running) {
            QFile log(root.filePath("log/error_log"));
            log.open(QIODevice::ReadOnly);
            why_ = QStringLiteral("cupsd ended: %1 %2")
                       .arg(QString::fromLocal8Bit(cupsd_->readAll()),
                            QString::fromLocal8Bit(log.readAll().right(2000)));
            return false;
        }
        if (QFile::exists(socket()) && client(QStringLiteral("lpstat"), {QStringLiteral("-r")}))
            return true;
        QThread::msleep(100);
    }
    why_ = QStringLiteral("cupsd did not answer in time");
    return false;
}

QStringList PrivateSpooler::jobFiles(int expected) const {
    QElapsedTimer clock;
    clock.start();
    QStringList files;
    do {
        files.clear();
        const QStringList done =
            QDir(outputFolder()).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
        for (const QString& f : done)
            files << QDir(outputFolder()).filePath(f);
        if (files.size() >= expected)
            break;
        QThread::msleep(100);
    } while (clock.elapsed() < 5000);
    return files;
}

QStringList PrivateSpooler::jobTitles() const {
    QStringList titles;
    http_t* http = httpConnect2(socket().toUtf8().constData(), 0, nullptr, AF_UNSPEC,
                                HTTP_ENCRYPTION_IF_REQUESTED, 1, 5000, nullptr);
    if (!http)
        return titles;
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(http, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < count; ++i)
        titles << QString::fromUtf8(jobs[i].title);
    cupsFreeJobs(count, jobs);
    httpClose(http);
    return titles;
}

bool PrivateSpooler::client(const QString& program, QStringList args) const {
    QProcess p;
    args.prepend(socket());
    args.prepend(QStringLiteral("-h"));
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool done = p.waitForFinished(kClientMs);
    if (!done)
        p.kill();
    return done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool PrivateSpooler::addPrinter(const QString& name, Backend backend, const QString& errorPolicy) {
    // Status 5 is the backend's "cancel the job", 1 its plain failure.
    const QString device = backend == Backend::Keeps ? QStringLiteral("pdfdir:") + outputFolder()
                           : backend == Backend::Cancels ? QStringLiteral("failing:5")
                           : backend == Backend::Fails   ? QStringLiteral("failing:1")
                                                         : QStringLiteral("failing:slow");
    QStringList args{QStringLiteral("-p"), name, QStringLiteral("-v"), device,
                     QStringLiteral("-E")};
    if (!errorPolicy.isEmpty())
        args << QStringLiteral("-o") << QStringLiteral("printer-error-policy=") + errorPolicy;
    return client(QStringLiteral("lpadmin"), args);
}

bool PrivateSpooler::setDefault(const QString& name) {
    return client(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
}

void PrivateSpooler::freeze() {
    if (cupsd_ && cupsd_->state() == QProcess::Running) {
        ::kill(pid_t(cupsd_->processId()), SIGSTOP);
        frozen_ = true;
    }
}

void PrivateSpooler::kill() {
    if (!cupsd_ || cupsd_->state() != QProcess::Running)
        return;
    if (frozen_)
        ::kill(pid_t(cupsd_->processId()), SIGCONT);
    frozen_ = false;
    cupsd_->terminate();
    if (!cupsd_->waitForFinished(5000)) {
        cupsd_->kill();
        cupsd_->waitForFinished(5000);
    }
}

} // namespace sijill::test
