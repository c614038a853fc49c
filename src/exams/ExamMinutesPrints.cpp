#include "exams/ExamMinutesPrints.h"

#include "data/DataError.h"
#include "data/ReportRows.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamMinutes.h"
#include "exams/ExamPaperHeader.h"
#include "exams/MinutesTexts.h"
#include "exams/SingleStudentChooser.h"
#include "exams/Texts.h"
#include "platform/Presenters.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace sijill::exams {

namespace {

const QString kAbsenceLayout = QStringLiteral("ExamAbce");
const QString kCheatingLayout = QStringLiteral("ExamCheat");
const QString kDayLayout = QStringLiteral("ExamQuestions");
const QString kSubjectLayout = QStringLiteral("ExamQueSub");

// Nothing to print: told like every other failure of a print.
struct Failed {};

void tellFailure(const QString& text) {
    platform::showSystemMessage({minutes::texts::kScheduleFailedTitle, text, QMessageBox::Ok,
                                 QMessageBox::Critical, platform::YesDoes::NoQuestion});
}

// The picked date, its blanks trimmed back into pickedDateLabel.
QString pickedDate(ExamControlWindow& w) {
    w.pickedDateLabel->setText(w.pickedDateLabel->text().trimmed());
    return w.pickedDateLabel->text();
}

void showStudentMinutes(ExamControlWindow& w) {
    const SingleStudentChooser* chooser = singleStudentChooser();
    const QString item = chooser ? chooser->studentItem() : QString();
    if (item.isEmpty())
        throw Failed{};
    const QString grade = minutes::scheduleGradeOfKey(chooser->classKey());
    const data::RecordSet rows =
        minutes::dayPeriodRows(pickedDate(w), w.dayPeriodPicker->currentText(), grade);
    const std::optional<minutes::FoundDay> found = minutes::firstRow(rows);
    if (!found)
        throw Failed{};
    const ExamPaperHeader header = currentExamPaperHeader();
    const QStringList student = chooser->studentParts();
    // Both are filled; the print choice picks the one shown.
    report::ReportLayout& absence = report::layout(kAbsenceLayout);
    report::ReportLayout& cheating = report::layout(kCheatingLayout);
    minutes::fillStudentMinutes(absence, header, student, *found);
    minutes::fillStudentMinutes(cheating, header, student, *found);
    // The paper the print panel was opened for, whatever option was selected
    // since.
    const int paper = w.PanelPaper >= 0 ? w.PanelPaper : w.paperOptions[1]->isChecked() ? 1 : 0;
    if (paper == 0) {
        const QString title(texts::kMenu3);
        absence.setDataSource(data::reportRows(rows));
        report::showPreview(absence, title);
    } else if (paper == 1) {
        const QString title(texts::kMenu4);
        cheating.setDataSource(data::reportRows(rows));
        report::showPreview(cheating, title);
    }
}

} // namespace

void installExamMinutes(ExamControlWindow& window) {
    // Installed once per window; a second run would print twice.
    const char* const mark = "sijillExamMinutes";
    if (window.property(mark).toBool())
        return;
    window.setProperty(mark, true);
    ExamControlWindow* w = &window;
    QObject::connect(window.studentMinutesButton, &QPushButton::clicked, w,
                     [w] { printStudentMinutes(*w); });
    QObject::connect(window.dayQuestionsButton, &QPushButton::clicked, w,
                     [w] { printQuestionsOfDay(*w); });
    QObject::connect(window.subjectQuestionsButton, &QPushButton::clicked, w,
                     [w] { printQuestionsOfSubject(*w); });
}

void printStudentMinutes(ExamControlWindow& w) {
    try {
        showStudentMinutes(w);
        return;
    } catch (const Failed&) {
    } catch (const data::DataError&) {
    } catch (const report::ReportError&) {
    }
    tellFailure(minutes::texts::kDayFailed);
}

void printQuestionsOfDay(ExamControlWindow& w) {
    try {
        const data::RecordSet rows =
            minutes::dayPeriodRows(pickedDate(w), w.dayPeriodPicker->currentText());
        const std::optional<minutes::FoundDay> found = minutes::firstRow(rows);
        if (!found || found->subject.isEmpty())
            throw Failed{};
        report::ReportLayout& layout = report::layout(kDayLayout);
        minutes::fillQuestionsOfDay(layout, currentExamPaperHeader(), *found, rows);
        report::showPreview(layout, texts::kMenu5);
        return;
    } catch (const Failed&) {
    } catch (const data::DataError&) {
    } catch (const report::ReportError&) {
    }
    tellFailure(minutes::texts::kDayFailed);
}

void printQuestionsOfSubject(ExamControlWindow& w) {
    try {
        const QString grade = w.dayGradePicker->currentText().trimmed();
        const data::RecordSet rows =
            minutes::dayPeriodRows(pickedDate(w), w.dayPeriodPicker->currentText(), grade);
        const std::optional<minutes::FoundDay> found = minutes::firstRow(rows);
        if (!found || found->subject.isEmpty())
            throw Failed{};
        report::ReportLayout& layout = report::layout(kSubjectLayout);
        minutes::fillQuestionsOfSubject(layout, currentExamPaperHeader(), *found, rows);
        report::showPreview(layout, texts::kMenu6);
        return;
    } catch (const Failed&) {
    } catch (const data::DataError&) {
    } catch (const report::ReportError&) {
    }
    tellFailure(minutes::texts::kSubjectFailed);
}

void openStudentChooser(ExamControlWindow& window) {
    ExamControlWindow* w = &window;
    // The chooser calls these only while the window is open.
    openSingleStudent({w, w,
                       [w] {
                           return w->paperOptions[1]->isChecked() ? dates::MinutesKind::Cheating
                                                                  : dates::MinutesKind::Absence;
                       },
                       [w] { w->studentMinutesWaiting->setChecked(true); }});
}

void openStudentChooser(ExamControlWindow& window, dates::MinutesKind kind) {
    window.paperOptions[kind == dates::MinutesKind::Cheating ? 1 : 0]->setChecked(true);
    openStudentChooser(window);
}

} // namespace sijill::exams
