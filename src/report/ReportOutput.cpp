#include "report/ReportOutput.h"

#include "platform/BidiText.h"
#include "platform/FileNames.h"
#include "report/JobFollower.h"
#include "report/ReportError.h"
#include "report/ReportPainter.h"
#include "report/Spooler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace sijill::report {

namespace {

std::shared_ptr<PreviewSink>& currentSink() {
    static std::shared_ptr<PreviewSink> sink;
    return sink;
}

QString documents() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString requireFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        throw ReportError(QStringLiteral("the folder %1 cannot be made").arg(folder));
    return folder;
}

// The pages of a range chosen in the print dialog (numbered from 1), or all.
LaidOutReport chosenPages(const QPrinter& printer, const LaidOutReport& report) {
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() < 1)
        return report;
    LaidOutReport chosen = report;
    const int last = std::min<int>(printer.toPage(), int(report.pages.size()));
    chosen.pages.assign(report.pages.begin() + std::min(printer.fromPage() - 1, last),
                        report.pages.begin() + last);
    return chosen;
}

// The texts shortened by the jobs of the current run, by sheet, in order.
struct ShortenedTexts {
    int runs = 0;
    std::vector<std::pair<QString, QStringList>> sheets;
    ShortenedTextsNotice notice;
};

ShortenedTexts& shortenedTexts() {
    static ShortenedTexts texts;
    return texts;
}

void tellShortenedTexts() {
    ShortenedTexts& s = shortenedTexts();
    if (s.sheets.empty())
        return;
    const auto sheets = std::exchange(s.sheets, {});
    if (s.notice)
        s.notice(shortenedTextsNotice(sheets));
}

// Every job goes through here: the texts its pages shortened are noted.
void noteShortenedTexts(const LaidOutReport& report) {
    if (report.cutTexts.empty())
        return;
    ShortenedTexts& s = shortenedTexts();
    const QString sheet = report.title.isEmpty() ? report.layoutName : report.title;
    auto found = std::find_if(s.sheets.begin(), s.sheets.end(),
                              [&](const auto& entry) { return entry.first == sheet; });
    if (found == s.sheets.end())
        found = s.sheets.insert(s.sheets.end(), {sheet, {}});
    for (const CutText& cut : report.cutTexts) {
        if (!found->second.contains(cut.text))
            found->second << cut.text;
    }
    if (s.runs == 0)
        tellShortenedTexts();
}

// A job the spooler took that did not print.
struct Unprinted {
    QString name;    // its class, or its title
    QString printer; // where it was sent
    JobEnd end;
    QString file;      // where its pages were kept
    QString keepError; // why they could not be
};

// The jobs a run sent: how many are still followed, and those that did not
// print, not yet told.
struct RunJobs {
    int followed = 0;
    bool ended = false; // the run is over: what is learnt now is told late
    std::vector<Unprinted> unprinted;
};

// A followed job, its pages held until its end is known.
struct HeldJob {
    LaidOutReport report;
    QString printer;
    std::shared_ptr<RunJobs> run;
};

struct FollowedJobs {
    std::unique_ptr<JobFollower> follower;
    std::map<int, HeldJob> held; // by ticket
    LateJobsNotice notice;
};

FollowedJobs& followedJobs() {
    static FollowedJobs jobs;
    return jobs;
}

// What a run learnt of the spooler and told the user: the spooler is asked
// once a run, and each reason pages went to the Documents folder is told once
// a run (outside runs, once a process).
struct PrintSession {
    std::optional<SpoolerView> spooler;
    std::set<PrintOutcome::Fallback> told;
    std::shared_ptr<RunJobs> jobs; // of the run going on
};

PrintSession& session() {
    static PrintSession s;
    return s;
}

const SpoolerView& spooler() {
    std::optional<SpoolerView>& view = session().spooler;
    if (!view || shortenedTexts().runs == 0)
        view = askSpooler();
    return *view;
}

bool firstFallback(PrintOutcome::Fallback why) {
    return session().told.insert(why).second;
}

// The pages of a job that cannot print, kept as a PDF file named like the job.
QString keepAsPdf(const LaidOutReport& report) {
    return writeKeptPdf(requireFolder(documentsFolder()), report);
}

QString nameOfJob(const LaidOutReport& report) {
    return report.className.isEmpty() ? jobTitle(report) : report.className;
}

// Why the jobs did not print, a line for each kind of end and printer, and
// where their pages went.
QStringList unprintedReasons(const std::vector<Unprinted>& jobs) {
    QStringList reasons;
    for (const JobEnd end : {JobEnd::Cancelled, JobEnd::Aborted, JobEnd::CancelledInQueue,
                             JobEnd::Held, JobEnd::Unknown}) {
        for (const Unprinted& job : jobs) {
            if (job.end != end)
                continue;
            const QString printer = platform::isolate(job.printer);
            QString reason;
            switch (end) {
            case JobEnd::Cancelled:
                reason = QStringLiteral("ألغى نظام الطباعة مهام الطباعة على الطابعة %1 فلم تُطبع");
                break;
            case JobEnd::Aborted:
                reason = QStringLiteral("أوقف نظام الطباعة مهام الطباعة على الطابعة %1 فلم تُطبع");
                break;
            case JobEnd::CancelledInQueue:
                reason = QStringLiteral(
                    "ألغى المستخدم مهام الطباعة من قائمة انتظار الطابعة %1 فلم تُطبع");
                break;
            case JobEnd::Held:
                reason = QStringLiteral("احتجز نظام الطباعة مهام الطباعة على الطابعة %1، وقد "
                                        "يطبعها حين تعود الطابعة للعمل، فلا تُعِد طباعتها");
                break;
            case JobEnd::Unknown:
                reason = QStringLiteral("لم يُجب نظام الطباعة عن مهام الطباعة على الطابعة %1، فلا "
                                        "يُعرف أطُبعت أم لا، فتحقق من الطابعة قبل إعادة طباعتها");
                break;
            case JobEnd::Completed:
                break;
            }
            reason = reason.arg(printer);
            if (!reasons.contains(reason))
                reasons << reason;
        }
    }
    QStringList folders;
    for (const Unprinted& job : jobs) {
        const QString where = job.file.isEmpty()
                                  ? job.keepError
                                  : QStringLiteral("حُفظت صفحات هذه الكشوف ملفات PDF في المجلد:") +
                                        QLatin1Char('\r') +
                                        platform::shownPath(QFileInfo(job.file).absolutePath());
        if (!folders.contains(where))
            folders << where;
    }
    return reasons + folders;
}

// Tells what a run that is over learnt of its jobs, once all of them ended.
void tellLate(RunJobs& run) {
    if (!run.ended || run.followed > 0 || run.unprinted.empty())
        return;
    const std::vector<Unprinted> jobs = std::exchange(run.unprinted, {});
    QStringList names;
    for (const Unprinted& job : jobs)
        names << job.name;
    if (followedJobs().notice)
        followedJobs().notice(names, unprintedReasons(jobs));
}

// A followed job ended: its pages are kept unless it completed.
void jobEnded(int ticket, JobEnd end) {
    auto node = followedJobs().held.extract(ticket);
    if (node.empty())
        return;
    HeldJob& job = node.mapped();
    --job.run->followed;
    if (end != JobEnd::Completed) {
        Unprinted unprinted{nameOfJob(job.report), job.printer, end, {}, {}};
        try {
            unprinted.file = keepAsPdf(job.report);
        } catch (const ReportError& e) {
            unprinted.keepError = e.message();
        }
        job.run->unprinted.push_back(std::move(unprinted));
    }
    tellLate(*job.run);
}

// Follows a job the spooler took, holding its pages, as one of the run's
// jobs, or of its own outside runs.
void follow(const LaidOutReport& report, const QString& printer, const JobFate& fate) {
    FollowedJobs& jobs = followedJobs();
    if (!jobs.follower) {
        jobs.follower = std::make_unique<JobFollower>(jobEnded);
        static const bool stopsOnClose = [] {
            qAddPostRoutine(stopFollowingJobs);
            return true;
        }();
        (void)stopsOnClose;
    }
    std::shared_ptr<RunJobs>& current = session().jobs;
    std::shared_ptr<RunJobs> run = current;
    if (shortenedTexts().runs == 0) {
        run = std::make_shared<RunJobs>();
        run->ended = true;
    } else if (!run) {
        run = current = std::make_shared<RunJobs>();
    }
    ++run->followed;
    jobs.held[jobs.follower->follow(fate.server, fate.jobId)] = {report, printer, run};
}

// Sends the pages through the spooler, which follows the job it takes; a job
// it does not take is kept as a file and reported, whoever asked for it.
void sendToPrinter(const LaidOutReport& report, const SpoolerPrinter& printer,
                   const JobSettings& settings) {
    const JobFate fate = submitPdf(printer, jobTitle(report), pdfDocument(report), settings);
    if (fate.taken) {
        follow(report, printer.name, fate);
        return;
    }
    // The run's later jobs do not wait on a spooler that stopped answering.
    if (!fate.answered && session().spooler) {
        session().spooler->answered = false;
        session().spooler->silent = true;
    }
    const QString file = keepAsPdf(report);
    throw PrintJobError(QStringLiteral("%1، فحُفظت صفحات الكشوف التي لم تُطبع ملفات PDF في المجلد:")
                            .arg(fate.reason) +
                        QLatin1Char('\r') + platform::shownPath(QFileInfo(file).absolutePath()));
}

JobSettings settingsOf(const QPrinter& printer) {
    JobSettings settings;
    settings.copies = printer.copyCount();
    if (printer.duplex() == QPrinter::DuplexLongSide || printer.duplex() == QPrinter::DuplexAuto)
        settings.sides = JobSettings::Sides::LongEdge;
    else if (printer.duplex() == QPrinter::DuplexShortSide)
        settings.sides = JobSettings::Sides::ShortEdge;
    return settings;
}

} // namespace

ShortenedTextsRun::ShortenedTextsRun() {
    if (shortenedTexts().runs++ == 0)
        session() = {};
}

ShortenedTextsRun::~ShortenedTextsRun() {
    if (--shortenedTexts().runs == 0) {
        // What the run did not take of its jobs, and learns later, is told late.
        if (const std::shared_ptr<RunJobs> jobs = session().jobs) {
            jobs->ended = true;
            tellLate(*jobs);
        }
        session() = {};
        tellShortenedTexts();
    }
}

QString documentsFolder() {
    return QDir(documents()).filePath(QStringLiteral("Sijill"));
}

QString jobTitle(const LaidOutReport& report) {
    const QString title = report.title.isEmpty() ? report.layoutName : report.title;
    return report.className.isEmpty() ? title
                                      : QStringLiteral("%1 - %2").arg(title, report.className);
}

QString keepUnlessSpoolerAnswers(const LaidOutReport& report) {
    return spooler().silent ? keepAsPdf(report) : QString();
}

UnprintedJobs takeUnprintedJobs() {
    FollowedJobs& jobs = followedJobs();
    if (jobs.follower)
        jobs.follower->deliver();
    UnprintedJobs out;
    const std::shared_ptr<RunJobs> run = session().jobs;
    if (!run)
        return out;
    const std::vector<Unprinted> unprinted = std::exchange(run->unprinted, {});
    for (const Unprinted& job : unprinted)
        out.names << job.name;
    out.reasons = unprintedReasons(unprinted);
    for (const auto& [ticket, job] : jobs.held)
        if (job.run == run)
            out.pending << nameOfJob(job.report);
    return out;
}

LateJobsNotice setLateJobsNotice(LateJobsNotice notice) {
    std::swap(followedJobs().notice, notice);
    return notice;
}

void stopFollowingJobs() {
    FollowedJobs& jobs = followedJobs();
    jobs.follower.reset();
    jobs.held.clear();
}

ShortenedTextsNotice setShortenedTextsNotice(ShortenedTextsNotice notice) {
    std::swap(shortenedTexts().notice, notice);
    return notice;
}

QString shortenedTextsNotice(const std::vector<std::pair<QString, QStringList>>& sheets) {
    constexpr int kShown = 12; // texts named; the rest are counted
    QStringList lines{QStringLiteral(
        "طُبعت النصوص التالية مختصرة تنتهي بعلامة (…) لأنها أطول مما تتسع له خاناتها:")};
    int shown = 0, more = 0;
    for (const auto& [sheet, texts] : sheets) {
        for (const QString& text : texts) {
            if (shown++ < kShown)
                lines << QStringLiteral("%1: %2").arg(platform::isolate(sheet),
                                                      platform::isolate(text));
            else
                ++more;
        }
    }
    if (more > 0)
        lines << QStringLiteral("ونصوص أخرى عددها %1").arg(more);
    return lines.join(QLatin1Char('\n'));
}

void printOn(QPrinter& printer, const LaidOutReport& report) {
    const LaidOutReport pages = chosenPages(printer, report);
    // Qt's own PDF keeps the shaped letters in its text maps: a file is
    // written as every PDF of the program is, searchable and whole or not at all.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        writePdf(pages, printer.outputFileName());
        return;
    }
    // Qt's printer drops the spooler's answer: the job goes as our PDF
    // through the spooler, which says whether it took it.
    SpoolerPrinter target;
    target.name = printer.printerName();
    if (const SpoolerPrinter* known = spooler().find(target.name))
        target = *known;
    sendToPrinter(pages, target, settingsOf(printer));
}

QString numberedPdfPath(const QString& folder, const QString& layoutName) {
    static const QRegularExpression numbered(QStringLiteral("^(\\d+)-"));
    int last = 0;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    for (const QString& f : files) {
        const QRegularExpressionMatch m = numbered.match(f);
        if (m.hasMatch())
            last = std::max(last, m.captured(1).toInt());
    }
    return QDir(folder).filePath(
        QStringLiteral("%1-%2.pdf")
            .arg(QStringLiteral("%1").arg(last + 1, 4, 10, QLatin1Char('0')), layoutName));
}

QString writeKeptPdf(const QString& folder, const LaidOutReport& report) {
    return platform::writeNewFile(folder, platform::safeFileName(jobTitle(report)),
                                  QStringLiteral("pdf"),
                                  [&](const QString& file) { writePdf(report, file); });
}

QString printFileProposal(const QString& title) {
    const QString folder = QDir().mkpath(documentsFolder()) ? documentsFolder() : documents();
    return QDir(folder).filePath(platform::safeFileName(title, QLatin1Char('-')) +
                                 QStringLiteral(".pdf"));
}

PrintOutcome printWithoutDialog(const LaidOutReport& report) {
    noteShortenedTexts(report);
    PrintOutcome outcome;
    const QString printTo = qEnvironmentVariable("SIJILL_PRINT_TO");
    if (!printTo.isEmpty()) {
        outcome.destination = PrintOutcome::Destination::PrintFolder;
        outcome.file = numberedPdfPath(requireFolder(printTo), report.layoutName);
        writePdf(report, outcome.file);
        return outcome;
    }
    const SpoolerView& view = spooler();
    if (const SpoolerPrinter* printer = view.answered ? view.target() : nullptr) {
        sendToPrinter(report, *printer, {});
        return outcome;
    }
    outcome.destination = PrintOutcome::Destination::DocumentsFolder;
    outcome.fallback = view.silent             ? PrintOutcome::Fallback::NoAnswer
                       : view.printers.empty() ? PrintOutcome::Fallback::NoPrinter
                                               : PrintOutcome::Fallback::NoDefault;
    outcome.file = keepAsPdf(report);
    outcome.tellUser = firstFallback(outcome.fallback);
    return outcome;
}

PrintOutcome printReport(const ReportLayout& layout, const QString& title,
                         const QString& className) {
    LaidOutReport report = layOut(layout);
    report.title = title.trimmed();
    report.className = className.trimmed();
    return printWithoutDialog(report);
}

std::shared_ptr<PreviewSink> setPreviewSink(std::shared_ptr<PreviewSink> sink) {
    std::swap(currentSink(), sink);
    return sink;
}

void showPreview(const ReportLayout& layout, const QString& title, const QString& className) {
    LaidOutReport report = layOut(layout);
    report.title = title.trimmed();
    report.className = className.trimmed();
    if (!currentSink())
        throw ReportError(
            QStringLiteral("layout %1: no preview window is installed").arg(layout.name()));
    noteShortenedTexts(report);
    currentSink()->show(std::move(report));
}

} // namespace sijill::report
