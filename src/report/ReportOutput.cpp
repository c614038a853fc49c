#include "report/ReportOutput.h"

#include "platform/BidiText.h"
#include "platform/FileNames.h"
#include "report/ReportError.h"
#include "report/ReportPainter.h"
#include "report/Spooler.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
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

// What a run learnt of the spooler and told the user: the spooler is asked
// once a run, and each reason pages went to the Documents folder is told once
// a run (outside runs, once a process).
struct PrintSession {
    std::optional<SpoolerView> spooler;
    std::set<PrintOutcome::Fallback> told;
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

// Sends the pages through the spooler; a job that did not print is kept as a
// file and reported, whoever asked for it.
void sendToPrinter(const LaidOutReport& report, const SpoolerPrinter& printer,
                   const JobSettings& settings) {
    const JobFate fate = submitPdf(printer, jobTitle(report), pdfDocument(report), settings);
    if (fate.printed)
        return;
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
