#pragma once

#include "report/ReportPages.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QPrinter;

namespace sijill::report {

// Where a print job went.
struct PrintOutcome {
    enum class Destination { Printer, PrintFolder, DocumentsFolder };
    // Why a job went to the Documents folder instead of a printer.
    enum class Fallback { None, NoPrinter, NoDefault, NoAnswer };
    Destination destination = Destination::Printer;
    Fallback fallback = Fallback::None;
    QString file; // the PDF file, when the job became one
    // True for the first job of a run (or, outside runs, of the process) that
    // went to the Documents folder for that reason: the caller tells the user.
    bool tellUser = false;
};

// Prints every page without a dialog: to the default printer (or the only
// one, when none is set as the default); to a new numbered PDF file in the
// folder SIJILL_PRINT_TO names, when it is set; or, with no printer, no
// default among several, or a spooler that does not answer in time, to a
// numbered PDF file in "Sijill" under Documents. The spooler is asked once a
// run. A job the printer does not print is kept there too, and
// PrintJobError says why and where.
PrintOutcome printWithoutDialog(const LaidOutReport& report);

// The name of a job in the printer's queue: the sheet's title and its class.
QString jobTitle(const LaidOutReport& report);

// The folder where jobs go when they cannot print ("Sijill" under Documents).
QString documentsFolder();

// Prints on a printer set up in the print dialog, the pages of its chosen
// range: when it prints to a file, the file is written as writePdf writes it;
// on a printer, the job goes through the spooler with the dialog's copies and
// sides, and PrintJobError says when it did not print (its pages kept as a
// file in the Documents folder). ReportError when the job fails.
void printOn(QPrinter& printer, const LaidOutReport& report);

// Lays the layout out with its current values and prints it so, as the job
// titled `title` (the menu item that asked for it) for `className`.
PrintOutcome printReport(const ReportLayout& layout, const QString& title,
                         const QString& className = QString());

// Keeps the pages as a numbered PDF file in the Documents folder when the
// spooler takes the connection but does not answer in time; returns the file, or an empty string
// when it answers (the caller may open the print dialog then).
QString keepUnlessSpoolerAnswers(const LaidOutReport& report);

// The next free numbered file name for a job of `layoutName` in `folder`.
QString numberedPdfPath(const QString& folder, const QString& layoutName);

// Writes the pages as a new PDF file in `folder`, named like the job
// (jobTitle, made a safe file name), with a number when the name is taken;
// no file is replaced. Returns the file. ReportError when it cannot be written.
QString writeKeptPdf(const QString& folder, const LaidOutReport& report);

// The PDF file the print dialog proposes for a preview titled `title`: named
// after the title, in the folder where jobs go when there is no printer
// ("Sijill" under Documents, made when missing), or in Documents itself when
// that folder cannot be made.
QString printFileProposal(const QString& title);

// Where previews go. The program installs the preview window; tests install
// a recording sink and read what was laid out.
class PreviewSink {
public:
    virtual ~PreviewSink() = default;
    virtual void show(LaidOutReport report) = 0;
};

// Keeps every report it is shown, in order, with the title it was opened under.
class RecordingPreviewSink : public PreviewSink {
public:
    void show(LaidOutReport report) override {
        captions.push_back(report.title);
        shown.push_back(std::move(report));
    }
    std::vector<LaidOutReport> shown;
    std::vector<QString> captions;
};

// Installs a sink and returns the previous one (nullptr when none was).
std::shared_ptr<PreviewSink> setPreviewSink(std::shared_ptr<PreviewSink> sink);

// Texts printed shortened. Every preview and print job notes the texts its
// pages shortened (a text longer than its cell holds even shrunk and wrapped
// ends in "…"); the user is told which, once: at once for a job outside a
// run, when the run ends for the jobs of a run over classes.
class ShortenedTextsRun {
public:
    ShortenedTextsRun();
    ~ShortenedTextsRun();
    ShortenedTextsRun(const ShortenedTextsRun&) = delete;
    ShortenedTextsRun& operator=(const ShortenedTextsRun&) = delete;
};

// Where the notice goes: the program shows it in its message box; tests record
// it. Returns the previous one. Without one, nothing is told.
using ShortenedTextsNotice = std::function<void(const QString& notice)>;
ShortenedTextsNotice setShortenedTextsNotice(ShortenedTextsNotice notice);

// The notice's words for the texts shortened on the sheets named: each sheet
// with the texts as they were typed, the longest lists cut short.
QString shortenedTextsNotice(const std::vector<std::pair<QString, QStringList>>& sheets);

// The jobs of the current run that the spooler took and then did not print,
// as learnt so far, and those whose end is still to learn. A sheet counts as
// printed only when its job completed. The pages of a job are held until its
// end is known and kept as a numbered PDF file in the Documents folder when it
// was cancelled, aborted or held, or its end stays unknown; a completed job
// leaves no file. What is learnt after a run's end, or of a job outside runs,
// goes to the late notice, once for the run's jobs.
struct UnprintedJobs {
    QStringList names;   // each job's class (or its title when it has none), as sent
    QStringList reasons; // why, by kind of end and printer, and where the pages went
    QStringList pending; // the classes whose jobs' end is still to learn
};
// Takes what the current run learnt so far: it is told no more.
UnprintedJobs takeUnprintedJobs();

// Where the late notice goes: the program shows it in its message box; tests
// record it. Returns the previous one. Without one, nothing is told.
using LateJobsNotice = std::function<void(const QStringList& names, const QStringList& reasons)>;
LateJobsNotice setLateJobsNotice(LateJobsNotice notice);

// Stops following the jobs sent, telling nothing more of them; done as the
// program closes.
void stopFollowingJobs();

// Lays the layout out now and hands the pages to the preview sink, so the
// preview keeps the rows and values it was opened with; the preview is titled
// `title`, what the menu item or button that opened it calls it, and carries
// `className`, the class it shows, into its print job's name. ReportError
// when no preview sink is installed.
void showPreview(const ReportLayout& layout, const QString& title,
                 const QString& className = QString());

} // namespace sijill::report
