#include "exams/ExamMinutesPrints.h"

#include "data/DataError.h"
#include "data/ReportRows.h"
#include "exams/ControlAll.h"
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

// The picked date, its blanks trimmed back into Label6.
QString pickedDate(ControlAll& w) {
    w.Label6->setText(w.Label6->text().trimmed());
    return w.Label6->text();
}

void showStudentMinutes(ControlAll& w) {
    const SingleStudentChooser* chooser = singleStudentChooser();
    const QString item = chooser ? chooser->studentItem() : QString();
    if (item.isEmpty())
        throw Failed{};
    const QString grade = minutes::scheduleGradeOfKey(chooser->classKey());
    const data::RecordSet rows =
        minutes::dayPeriodRows(pickedDate(w), w.Combo7->currentText(), grade);
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
    const int paper = w.PanelPaper >= 0 ? w.PanelPaper : w.Option1[1]->isChecked() ? 1 : 0;
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

void installExamMinutes(ControlAll& window) {
    // Installed once per window; a second run would print twice.
    const char* const mark = "sijillExamMinutes";
    if (window.property(mark).toBool())
        return;
    window.setProperty(mark, true);
    ControlAll* w = &window;
    QObject::connect(window.Command4, &QPushButton::clicked, w, [w] { printStudentMinutes(*w); });
    QObject::connect(window.Command5, &QPushButton::clicked, w, [w] { printQuestionsOfDay(*w); });
    QObject::connect(window.Command6, &QPushButton::clicked, w,
                     [w] { printQuestionsOfSubject(*w); });
}

void printStudentMinutes(ControlAll& w) {
    try {
        showStudentMinutes(w);
        return;
    } catch (const Failed&) {
    } catch (const data::DataError&) {
    } catch (const report::ReportError&) {
    }
    tellFailure(minutes::texts::kDayFailed);
}

void printQuestionsOfDay(ControlAll& w) {
    try {
        const data::RecordSet rows = minutes::dayPeriodRows(pickedDate(w), w.Combo7->currentText());
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

void printQuestionsOfSubject(ControlAll& w) {
    try {
        const QString grade = w.Combo8->currentText().trimmed();
        const data::RecordSet rows =
            minutes::dayPeriodRows(pickedDate(w), w.Combo7->currentText(), grade);
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

void openStudentChooser(ControlAll& window) {
    ControlAll* w = &window;
    // The chooser calls these only while the window is open.
    openSingleStudent({w, w,
                       [w] {
                           return w->Option1[1]->isChecked() ? dates::MinutesKind::Cheating
                                                             : dates::MinutesKind::Absence;
                       },
                       [w] { w->Check2->setChecked(true); }});
}

void openStudentChooser(ControlAll& window, dates::MinutesKind kind) {
    window.Option1[kind == dates::MinutesKind::Cheating ? 1 : 0]->setChecked(true);
    openStudentChooser(window);
}

} // namespace sijill::exams
