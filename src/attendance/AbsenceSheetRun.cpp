// The attendance window's sheet button: the monthly absence follow-up sheet of
// the chosen class as a preview, or of every class printed after one question.
#include "attendance/AbsenceSheet.h"
#include "attendance/AttendanceWindow.h"
#include "attendance/Texts.h"
#include "data/DataError.h"
#include "platform/AppState.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "reports/MainWindowRunHost.h"
#include "reports/PrintRun.h"
#include "shell/Ask.h"
#include "shell/SchoolProfileWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace sijill::attendance {

namespace {

// Every end of a run leaves the batch flag cleared.
struct RunEnd {
    bool& running;
    // The texts the run's sheets shortened are told once, at its end.
    report::ShortenedTextsRun shortened;
    explicit RunEnd(bool& r) : running(r) { running = true; }
    ~RunEnd() {
        running = false;
        appState().PrintBatchActive = false;
    }
};

QStringList itemsOf(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

bool AttendanceWindow::buildSheet(QString* error) {
    const std::optional<AbsenceMonth> month = absenceMonthOf(chosenDateLabel->text());
    const std::optional<ClassItemText> cls = classAt(classItems->currentIndex());
    if (!month || !cls)
        return false;
    try {
        const shell::SchoolProfile profile = shell::schoolProfile();
        AbsenceSheetHeader header{profile.Admin, profile.School, profile.Job, profile.ThisName, {},
                                  *cls};
        if (main_)
            header.logo = main_->reportLogo->pixmap().toImage();
        fillAbsenceSheet(report::layout(kAbsenceLayout), *month, header, itemsOf(studentNameList));
        return true;
    } catch (const report::ReportError& e) {
        *error = reports::reportFailure(e.message());
    } catch (const data::DataError& e) {
        *error = e.userMessage();
    }
    return false;
}

void AttendanceWindow::onSheetClicked() {
    // One run at a time, and none while a name-list run prints.
    if (running_ || reports::printRunActive() || appState().PrintBatchActive)
        return;
    // The sheet needs the month of a picked date: without one it asks for it.
    if (!absenceMonthOf(chosenDateLabel->text())) {
        shell::tell(texts::kPickDateFirst);
        openCalendarButton->click();
        return;
    }
    RunEnd end(running_);
    if (classPicker->count() <= 1) {
        classPicker->setCurrentIndex(0);
        return;
    }
    if (classPicker->currentIndex() > 0) {
        QString error = loadError_;
        try {
            if (error.isEmpty() && buildSheet(&error)) {
                report::showPreview(report::layout(kAbsenceLayout), sheetButton->text(),
                                    classPicker->currentText());
                return;
            }
        } catch (const report::ReportError& e) {
            error = reports::reportFailure(e.message());
        }
        shell::tell(error, shell::Tone::Alarm);
        return;
    }
    // Only OK prints: Cancel, or the box closed without a button, prints nothing.
    if (shell::ask({texts::kAskWholeSchool, shell::Buttons::OkCancel, shell::YesEffect::Keeps}) !=
        shell::Answer::Ok)
        return;
    appState().PrintBatchActive = true;
    runWholeSchool();
}

void AttendanceWindow::runWholeSchool() {
    QStringList failed;
    QStringList reasons;
    QString pdfFolderNote;
    const QString title = windowTitle();
    for (int k = 1; k < classPicker->count(); ++k) {
        setWindowTitle(reports::runProgressTitle(k, classPicker->count() - 1, title));
        {
            const QSignalBlocker block(classPicker);
            classPicker->setCurrentIndex(k);
        }
        {
            const QSignalBlocker block(classItems);
            classItems->setCurrentIndex(k);
        }
        QString error;
        bool printed = loadClass(k) && buildSheet(&error);
        if (printed) {
            try {
                // Titled as the one class's preview is, and named for its class.
                const report::PrintOutcome outcome = report::printReport(
                    report::layout(kAbsenceLayout), sheetButton->text(), classPicker->itemText(k));
                if (outcome.tellUser)
                    pdfFolderNote = reports::noPrinterMessage(outcome.file, outcome.fallback);
            } catch (const report::ReportError& e) {
                printed = false;
                // A file that could not be written is named once.
                if (!reasons.contains(e.message()))
                    reasons << e.message();
            }
        }
        if (!printed)
            failed << classPicker->itemText(k);
    }
    setWindowTitle(title);
    {
        const QSignalBlocker block(classPicker);
        classPicker->setCurrentIndex(0);
    }
    {
        const QSignalBlocker block(classItems);
        classItems->setCurrentIndex(0);
    }
    if (!pdfFolderNote.isEmpty())
        shell::tell(pdfFolderNote);
    // Classes whose jobs the spooler took and then did not print fail too.
    const report::UnprintedJobs jobs = report::takeUnprintedJobs();
    failed += jobs.names;
    for (const QString& reason : jobs.reasons)
        if (!reasons.contains(reason))
            reasons << reason;
    if (!failed.isEmpty())
        shell::tell(reports::failedClassesMessage(failed, reasons), shell::Tone::Alarm);
}

} // namespace sijill::attendance
