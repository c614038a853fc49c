#include "exams/ExamMinutesPrints.h"

#include "data/DataError.h"
#include "data/ReportRows.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamMinutes.h"
#include "exams/MinutesTexts.h"
#include "exams/SingleStudentChooser.h"
#include "exams/Texts.h"
#include "platform/Presenters.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/ReportOutput.h"
#include "shell/MainForm.h"
#include "shell/SchoolProfile.h"
#include "shell/SchoolProfileWindow.h"

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

minutes::ExamHeader examHeader() {
    const shell::SchoolProfile profile = shell::schoolProfile();
    minutes::ExamHeader h{profile.Admin,
                          profile.School,
                          profile.ThisYear,
                          profile.ThisSemester,
                          profile.ThisName,
                          profile.name_2,
                          {}};
    if (const shell::MainForm* main = shell::mainForm())
        h.logo = main->reportLogo->pixmap().toImage();
    return h;
}

void tellFailure(const QString& text) {
    platform::showSystemMessage({minutes::texts::kScheduleFailedTitle, text, QMessageBox::Ok,
                                 QMessageBox::Critical, platform::YesDoes::NoQuestion});
}

// The picked date, its blanks trimmed back into pickedDateLabel.
QString pickedDate(ExamControlWindow& w) {
    w.pickedDateLabel->setText(w.pickedDateLabel->text().trimmed());
    return w.pickedDateLabel->text();
}

void printStudentMinutes(ExamControlWindow& w) {
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
    const minutes::ExamHeader header = examHeader();
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
        const report::PreviewCaption caption(texts::kMenu3);
        absence.setDataSource(data::reportRows(rows));
        report::showPreview(absence);
    } else if (paper == 1) {
        const report::PreviewCaption caption(texts::kMenu4);
        cheating.setDataSource(data::reportRows(rows));
        report::showPreview(cheating);
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
                     [w] { ControlAll_Command4_Click(*w); });
    QObject::connect(window.dayQuestionsButton, &QPushButton::clicked, w,
                     [w] { ControlAll_Command5_Click(*w); });
    QObject::connect(window.subjectQuestionsButton, &QPushButton::clicked, w,
                     [w] { ControlAll_Command6_Click(*w); });
}

void ControlAll_Command4_Click(ExamControlWindow& w) {
    try {
        printStudentMinutes(w);
        return;
    } catch (const Failed&) {
    } catch (const data::DataError&) {
    } catch (const report::ReportError&) {
    }
    tellFailure(minutes::texts::kDayFailed);
}

void ControlAll_Command5_Click(ExamControlWindow& w) {
    try {
        const data::RecordSet rows =
            minutes::dayPeriodRows(pickedDate(w), w.dayPeriodPicker->currentText());
        const std::optional<minutes::FoundDay> found = minutes::firstRow(rows);
        if (!found || found->subject.isEmpty())
            throw Failed{};
        report::ReportLayout& layout = report::layout(kDayLayout);
        minutes::fillQuestionsOfDay(layout, examHeader(), *found, rows);
        const report::PreviewCaption caption(texts::kMenu5);
        report::showPreview(layout);
        return;
    } catch (const Failed&) {
    } catch (const data::DataError&) {
    } catch (const report::ReportError&) {
    }
    tellFailure(minutes::texts::kDayFailed);
}

void ControlAll_Command6_Click(ExamControlWindow& w) {
    try {
        const QString grade = w.dayGradePicker->currentText().trimmed();
        const data::RecordSet rows =
            minutes::dayPeriodRows(pickedDate(w), w.dayPeriodPicker->currentText(), grade);
        const std::optional<minutes::FoundDay> found = minutes::firstRow(rows);
        if (!found || found->subject.isEmpty())
            throw Failed{};
        report::ReportLayout& layout = report::layout(kSubjectLayout);
        minutes::fillQuestionsOfSubject(layout, examHeader(), *found, rows);
        const report::PreviewCaption caption(texts::kMenu6);
        report::showPreview(layout);
        return;
    } catch (const Failed&) {
    } catch (const data::DataError&) {
    } catch (const report::ReportError&) {
    }
    tellFailure(minutes::texts::kSubjectFailed);
}

namespace {

// Which mark a request of these prints set: studentMinutesWaiting, dayPrintWaiting, or none.
QCheckBox* requestMark(ExamControlWindow& w, const dates::CalendarRequest& request) {
    if (request.purpose == dates::CalendarPurpose::StudentMinutes)
        return w.studentMinutesWaiting;
    if (request.purpose == dates::CalendarPurpose::ExamPrint &&
        (request.print == dates::ExamPrintKind::QuestionsOpeningOfDay ||
         request.print == dates::ExamPrintKind::QuestionsOpeningOfSubject))
        return w.dayPrintWaiting;
    return nullptr;
}

} // namespace

bool showMinutesPanel(ExamControlWindow& w, const dates::CalendarRequest& request) {
    QCheckBox* mark = requestMark(w, request);
    if (!mark)
        return false;
    mark->setChecked(false);
    w.setEnabled(true);
    int paper = 2;
    if (request.purpose == dates::CalendarPurpose::StudentMinutes)
        paper = request.minutes == dates::MinutesKind::Cheating ? 1 : 0;
    else if (request.print == dates::ExamPrintKind::QuestionsOpeningOfSubject)
        paper = 3;
    w.showPrintPanel(paper);
    return true;
}

bool dropMinutesRequest(ExamControlWindow& w, const dates::CalendarRequest& request) {
    QCheckBox* mark = requestMark(w, request);
    if (!mark)
        return false;
    mark->setChecked(false);
    return true;
}

} // namespace sijill::exams
