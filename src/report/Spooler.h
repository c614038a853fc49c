#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace sijill::report {

// One printer as the spooler reports it.
struct SpoolerPrinter {
    QString name;
    bool accepting = true; // takes new jobs (not set to reject them)
    bool stopped = false;  // disabled: holds its jobs unprinted
    QString message;       // the spooler's word on its state, if any
};

// What the spooler said when asked once: whether it answered in time, its
// printers and the one set as the default. A spooler that is not there at
// all (nothing listens) has no printers; one that takes the connection but
// gives no answer in time is silent.
struct SpoolerView {
    bool answered = false;
    bool silent = false;
    std::vector<SpoolerPrinter> printers;
    QString defaultPrinter; // empty when none is set

    // The printer jobs go to without a dialog: the default, or the only
    // printer when none is set as the default; nullptr when there is none.
    const SpoolerPrinter* target() const;
    const SpoolerPrinter* find(const QString& name) const;
};

// Asks the spooler (the CUPS server the environment names) for its printers.
// The connection and every request give up after a few seconds, so a spooler
// that does not answer never holds the caller longer.
SpoolerView askSpooler();

struct JobSettings {
    int copies = 1;
    enum class Sides { OneSided, LongEdge, ShortEdge } sides = Sides::OneSided;
};

// What the spooler said when given one job: taken (queued, its fate still
// to learn), refused, or no answer in time.
struct JobFate {
    bool taken = false;
    bool answered = true; // false when the spooler stopped answering
    int jobId = 0;
    QByteArray server; // the spooler that took it, as the environment named it then
    QString reason;    // why it was not taken, in Arabic
};

// Submits a PDF document as a job titled `title` on `printer`. Every request
// goes on one connection under the spooler's time limit, so a spooler that
// stops answering holds the caller a few seconds at most. A printer that
// rejects jobs or is stopped gets no job.
JobFate submitPdf(const SpoolerPrinter& printer, const QString& title, const QByteArray& pdf,
                  const JobSettings& settings = {});

// How a job the spooler took ended.
enum class JobEnd {
    Completed,
    Cancelled,        // by the spooler or its printer
    CancelledInQueue, // by a user, in the printer's queue
    Aborted,
    Held,    // kept by the spooler, which may print it later
    Unknown, // the spooler said nothing of it for too long, or knows it no more
};

// What the spooler says of a job now.
struct JobStatus {
    bool answered = false; // false: no answer in time
    bool known = true;     // false: the spooler has no such job
    int state = 0;         // the IPP job-state
    QStringList reasons;   // its job-state-reasons
    bool started = false;  // the printer ever took it up
};

// Asks `server` (a host name or a socket's path) of each job, on one
// connection under the time limit.
std::vector<JobStatus> askJobs(const QByteArray& server, const std::vector<int>& jobIds);

// The end a status tells, or nothing while the job waits or prints.
std::optional<JobEnd> endOf(const JobStatus& status);

} // namespace sijill::report
