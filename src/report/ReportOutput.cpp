#include "report/ReportOutput.h"

#include "report/ReportError.h"
#include "report/ReportPainter.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace sijill::report {

namespace {

std::shared_ptr<PreviewSink>& currentSink() {
    static std::shared_ptr<PreviewSink> sink;
    return sink;
}

QString documents() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString documentsFolder() {
    return QDir(documents()).filePath(QStringLiteral("Sijill"));
}

QString requireFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        throw ReportError(QStringLiteral("the folder %1 cannot be made").arg(folder));
    return folder;
}

void printOnPrinter(const LaidOutReport& report, const QPrinterInfo& info) {
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(report.layoutName);
    printOn(printer, report);
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

// The Documents fallback is announced once a process, not once a job.
bool firstDocumentsFallback() {
    static bool told = false;
    const bool first = !told;
    told = true;
    return first;
}

} // namespace

void printOn(QPrinter& printer, const LaidOutReport& report) {
    const LaidOutReport pages = chosenPages(printer, report);
    // Qt's own PDF keeps the shaped letters in its text maps: a file is
    // written as every PDF of the program is, searchable and whole or not at all.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        writePdf(pages, printer.outputFileName());
        return;
    }
    paintReport(printer, pages, printer.resolution() / 1440.0);
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

QString printFileProposal(const QString& title) {
    // A title may hold characters a file name cannot; each becomes a dash.
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QString name = QString(title).replace(unsafe, QStringLiteral("-")).trimmed();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QStringLiteral("Sijill"));
    const QString folder = QDir().mkpath(documentsFolder()) ? documentsFolder() : documents();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

PrintOutcome printWithoutDialog(const LaidOutReport& report) {
    PrintOutcome outcome;
    const QString printTo = qEnvironmentVariable("SIJILL_PRINT_TO");
    if (!printTo.isEmpty()) {
        outcome.destination = PrintOutcome::Destination::PrintFolder;
        outcome.file = numberedPdfPath(requireFolder(printTo), report.layoutName);
        writePdf(report, outcome.file);
        return outcome;
    }
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        printOnPrinter(report, printer);
        return outcome;
    }
    outcome.destination = PrintOutcome::Destination::DocumentsFolder;
    outcome.file = numberedPdfPath(requireFolder(documentsFolder()), report.layoutName);
    writePdf(report, outcome.file);
    outcome.tellUser = firstDocumentsFallback();
    return outcome;
}

PrintOutcome printReport(const ReportLayout& layout) {
    return printWithoutDialog(layOut(layout));
}

std::shared_ptr<PreviewSink> setPreviewSink(std::shared_ptr<PreviewSink> sink) {
    std::swap(currentSink(), sink);
    return sink;
}

namespace {
QString& currentCaption() {
    static QString caption;
    return caption;
}
} // namespace

PreviewCaption::PreviewCaption(const QString& caption) : previous_(currentCaption()) {
    currentCaption() = caption.trimmed();
}

PreviewCaption::~PreviewCaption() {
    currentCaption() = previous_;
}

QString previewCaption() {
    return currentCaption();
}

void showPreview(const ReportLayout& layout) {
    LaidOutReport report = layOut(layout);
    if (!currentSink())
        throw ReportError(
            QStringLiteral("layout %1: no preview window is installed").arg(layout.name()));
    currentSink()->show(std::move(report));
}

} // namespace sijill::report
