// The attendance window's sheet button: the monthly absence follow-up sheet of
// the chosen class as a preview, or of every class printed after one question.
#include "attendance/AbsenceSheet.h"
#include "attendance/AttendanceWindow.h"
#include "attendance/Texts.h"
#include "data/DataError.h"
#include "platform/AppState.h"
#include "platform/Twips.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "reports/MainWindowRunHost.h"
#include "reports/PrintRun.h"
#include "reports/RunProgressStrip.h"
#include "shell/Ask.h"
#include "shell/SchoolProfileWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
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

// The run's progress stands below the class picker and the buttons.
const QRect kProgressArea = platform::twipsRect(90, 3840, 6510, 1000);

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
                report::showPreview(report::layout(kAbsenceLayout), texts::kMonthSheetName,
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
    lastRun_ = {};
    QString pdfFolderNote;
    const int total = classPicker->count() - 1;
    // Nothing a user does while the run prints changes what it prints: the
    // pickers and buttons take no input, and the window's close is refused.
    const reports::RunInputLock held({optionsPanel, datePanel});
    reports::RunProgress progress(this, kProgressArea);
    for (int k = 1; k <= total; ++k) {
        const QString className = classPicker->itemText(k);
        progress.show(k, total, className, texts::kMonthSheetName);
        // The window repaints and answers between classes; the run itself
        // waits for nothing.
        QCoreApplication::processEvents();
        {
            const QSignalBlocker block(classPicker);
            classPicker->setCurrentIndex(k);
        }
        {
            const QSignalBlocker block(classItems);
            classItems->setCurrentIndex(k);
        }
        QString error;
        bool printed = loadClass(k);
        if (!printed)
            error = loadError_;
        else
            printed = buildSheet(&error);
        if (printed) {
            try {
                // Titled as the one class's preview is, and named for its class.
                const report::PrintOutcome outcome = report::printReport(
                    report::layout(kAbsenceLayout), texts::kMonthSheetName, className);
                if (outcome.tellUser)
                    pdfFolderNote = reports::noPrinterMessage(outcome.file, outcome.fallback);
            } catch (const report::PrintJobError& e) {
                printed = false;
                error = e.message();
            } catch (const report::ReportError& e) {
                printed = false;
                error = reports::reportFailure(e.message());
            }
        }
        reports::recordClass(lastRun_, className, printed, error);
    }
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
    const QString failures = reports::runClosingMessage(lastRun_);
    if (!failures.isEmpty())
        shell::tell(failures, shell::Tone::Alarm);
}

} // namespace sijill::attendance
