#pragma once

#include <QByteArray>
#include <QString>
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

// The spooler's verdict on one job.
struct JobFate {
    bool printed = false;
    bool answered = true; // false when the spooler stopped answering
    int jobId = 0;
    QString reason; // why it did not print, in Arabic
};

// Submits a PDF document as a job titled `title` on `printer` and learns its
// fate: refused by the spooler, or aborted, cancelled or stopped soon after,
// it did not print. A printer that rejects jobs or is stopped gets no job.
JobFate submitPdf(const SpoolerPrinter& printer, const QString& title, const QByteArray& pdf,
                  const JobSettings& settings = {});

} // namespace sijill::report
