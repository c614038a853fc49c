#pragma once

#include "support/EnvScope.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace sijill::test {

// A CUPS server of the test's own: cupsd on a private configuration in a
// temporary folder, listening on a private socket that CUPS_SERVER names for
// the program under test while it lives. Its printers keep every job as a
// file in outputFolder(). The machine's own spooler is never touched.
class PrivateSpooler {
public:
    PrivateSpooler();
    ~PrivateSpooler();
    PrivateSpooler(const PrivateSpooler&) = delete;
    PrivateSpooler& operator=(const PrivateSpooler&) = delete;

    // False when cupsd could not be started here; why() says why.
    bool running() const { return running_; }
    QString why() const { return why_; }

    QString socket() const;
    QString outputFolder() const;
    // The job files the printers wrote so far, waiting up to a few seconds
    // for at least `expected` of them.
    QStringList jobFiles(int expected = 1) const;

    // The titles of every job the server was given, oldest first.
    QStringList jobTitles() const;

    // Runs a CUPS client command (lpadmin, cupsreject, cupsdisable, ...) on
    // this server; false when it fails.
    bool client(const QString& program, QStringList args) const;
    // How a printer's backend ends each job it takes.
    enum class Backend {
        Keeps,   // keeps the job as a file in outputFolder()
        Cancels, // fails asking for the job to be cancelled, as cups-pdf does when it cannot write
        Fails,   // fails: the printer's error policy decides the job's end
        Slow,    // takes a few seconds over the job, then keeps nothing
    };
    // `errorPolicy`: the printer-error-policy (abort-job, retry-job, ...), or
    // the server's default when empty.
    bool addPrinter(const QString& name, Backend backend = Backend::Keeps,
                    const QString& errorPolicy = QString());
    bool setDefault(const QString& name);

    // Stops the server by a signal: it keeps its socket but answers nothing.
    void freeze();
    // Ends the server: its socket answers nothing.
    void kill();

private:
    bool start();

    QTemporaryDir dir_;
    std::unique_ptr<QProcess> cupsd_;
    std::unique_ptr<EnvScope> server_;
    bool running_ = false;
    bool frozen_ = false;
    QString why_;
};

} // namespace sijill::test
