#include "exams/ExamPrintMenu.h"

#include "data/DataError.h"
#include "dates/CalendarWindow.h"
#include "exams/ExamControlArt.h"
#include "exams/ExamControlWindow.h"
#include "exams/ExamMinutesPrints.h"
#include "exams/ExamSheets.h"
#include "exams/HandOverPrints.h"
#include "exams/SheetTexts.h"
#include "exams/Texts.h"
#include "report/LayoutLibrary.h"
#include "report/ReportError.h"
#include "report/ReportModel.h"
#include "report/ReportOutput.h"
#include "shell/Ask.h"
#include "shell/MainForm.h"
#include "shell/SchoolProfileWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace sijill::exams {

namespace {

const char* const kInstalled = "sijillExamPrintMenu";

enum Option {
    Absence = 0,
    Cheating = 1,
    DayQuestions = 2,
    SubjectQuestions = 3,
    HandOverChecked = 4,
    HandOver = 5,
    RevisersOfDay = 6
};

// Left clicks on the window's picture buttons, which are labels.
class ClickFilter : public QObject {
public:
    using QObject::QObject;
    void on(QWidget* w, std::function<void()> action) {
        w->installEventFilter(this);
        w->setCursor(Qt::PointingHandCursor);
        actions_.insert(w, std::move(action));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        auto* me = static_cast<QMouseEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        const auto it = actions_.constFind(watched);
        if (it == actions_.constEnd() || !w || me->button() != Qt::LeftButton ||
            !w->rect().contains(me->position().toPoint()))
            return false;
        const std::function<void()> action = *it;
        action();
        return true;
    }

private:
    QHash<QObject*, std::function<void()>> actions_;
};

// A green button with a white arrow pointing left, the way the sheets go.
QPixmap goMark(QSize size) {
    QPixmap p(size);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x2E, 0x8B, 0x57));
    g.drawRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 6, 6);
    const double h = size.height(), w = size.width();
    QPainterPath arrow;
    arrow.moveTo(w * 0.35, h * 0.5);
    arrow.lineTo(w * 0.6, h * 0.25);
    arrow.lineTo(w * 0.6, h * 0.75);
    arrow.closeSubpath();
    g.setBrush(Qt::white);
    g.drawPath(arrow);
    return p;
}

bool selected(const ExamControlWindow& window, int option) {
    return window.paperOptions[static_cast<std::size_t>(option)]->isChecked();
}

void select(ExamControlWindow& window, int option) {
    window.paperOptions[static_cast<std::size_t>(option)]->setChecked(true);
}

dates::ExamPrintKind printKind(int option) {
    switch (option) {
    case SubjectQuestions:
        return dates::ExamPrintKind::QuestionsOpeningOfSubject;
    case HandOverChecked:
        return dates::ExamPrintKind::HandOverWithChecking;
    case HandOver:
        return dates::ExamPrintKind::HandOver;
    case RevisersOfDay:
        return dates::ExamPrintKind::CorrectorsAndReviewers;
    default:
        break;
    }
    return dates::ExamPrintKind::QuestionsOpeningOfDay;
}

void openCalendar(ExamControlWindow& window, const dates::CalendarRequest& request) {
    if (dates::CalendarWindow* calendar = dates::loadCalendarWindow(shell::mainForm()))
        calendar->openFor(request, &window);
}

SheetSchool sheetSchool() {
    const shell::SchoolProfile p = shell::schoolProfile();
    SheetSchool s{p.Admin,    p.School, p.ThisYear, p.ThisSemester,
                  p.ThisName, p.name_2, p.name_3,   {}};
    if (const shell::MainForm* main = shell::mainForm())
        s.logo = main->reportLogo->pixmap().toImage();
    return s;
}

// Runs one sheet; a database or layout that cannot be reached is said to the
// user and nothing is shown.
void showSheet(const std::function<void()>& fill) {
    try {
        fill();
    } catch (const data::DataError& e) {
        shell::tell(sheet_texts::kSheetFailed + QStringLiteral("\r\n") + e.userMessage(),
                    shell::Tone::Alarm);
    } catch (const report::ReportError& e) {
        shell::tell(sheet_texts::kSheetFailed + QStringLiteral("\r\n") + e.message(),
                    shell::Tone::Alarm);
    }
}

// The hidden box lastSheetGrade keeps the grade the last sheet cleaned.
void keepLastGrade(ExamControlWindow& window, const report::ReportRowset& rows, const char* field) {
    if (rows.rowCount() > 0)
        window.lastSheetGrade->setText(rows.text(rows.rowCount() - 1, QString::fromLatin1(field)));
}

} // namespace

void installExamPrintMenu(ExamControlWindow& window) {
    if (window.property(kInstalled).toBool())
        return;
    window.setProperty(kInstalled, true);

    ExamControlWindow* w = &window;
    window.setPrintMenuAction(0, [w] { printSchoolExamSchedule(*w); });
    window.setPrintMenuAction(2, [w] { printLatenessMinutes(*w); });
    window.setPrintMenuAction(3, [w] { requestStudentMinutes(*w, Absence); });
    window.setPrintMenuAction(4, [w] { requestStudentMinutes(*w, Cheating); });
    window.setPrintMenuAction(5, [w] { requestPrintDay(*w, DayQuestions); });
    window.setPrintMenuAction(6, [w] { requestPrintDay(*w, SubjectQuestions); });
    window.setPrintMenuAction(7, [w] { requestPrintDay(*w, HandOver); });
    window.setPrintMenuAction(8, [w] { requestPrintDay(*w, HandOverChecked); });
    window.setPrintMenuAction(9, [w] { printCheckingSheet(*w); });
    // Item 10 is every day's sheet, whatever day an earlier item 12 picked.
    window.setPrintMenuAction(10, [w] { printRevisers(*w, std::nullopt); });
    window.setPrintMenuAction(12, [w] { requestPrintDay(*w, RevisersOfDay); });
    QObject::connect(window.revisersButton, &QPushButton::clicked, window.revisersButton,
                     [w] { onRevisersPrintClicked(*w); });

    auto* clicks = new ClickFilter(&window);
    clicks->on(window.sheetShowButton, [w] { showGradeSchedule(*w); });
    clicks->on(window.dayPrintButton, [w] { printPanelPaper(*w); });
    clicks->on(window.pickDayAgainButton, [w] { pickPanelDayAgain(*w); });
    window.sheetShowButton->setPixmap(goMark(window.sheetShowButton->size()));
    window.dayPrintButton->setPixmap(goMark(window.dayPrintButton->size()));
    window.pickDayAgainButton->setPixmap(
        art::calendarMark(window.pickDayAgainButton->width(), window.pickDayAgainButton->height()));
}

void printSchoolExamSchedule(ExamControlWindow& window) {
    const QString title(texts::kMenu0);
    showSheet([&window, &title] {
        const report::ReportRowset rows =
            scheduleSheetRows(schoolSheetRecords(), ScheduleSheet::School);
        report::ReportLayout& layout = report::layout(sheet_texts::kSchoolSheet);
        fillSchoolScheduleSheet(layout, sheetSchool(), rows);
        keepLastGrade(window, rows, "d0");
        report::showPreview(layout, title);
    });
}

void showGradeSchedule(ExamControlWindow& window) {
    if (!window.settleUnsavedChanges())
        return;
    const QString grade = window.sheetGradePicker->currentText();
    const QString title(texts::kMenu1);
    showSheet([&window, grade, &title] {
        const report::ReportRowset rows =
            scheduleSheetRows(gradeSheetRecords(grade), ScheduleSheet::Grade);
        report::ReportLayout& layout = report::layout(sheet_texts::kGradeSheet);
        fillGradeScheduleSheet(layout, sheetSchool(), grade, rows);
        keepLastGrade(window, rows, "d0");
        report::showPreview(layout, title);
    });
}

void onRevisersPrintClicked(ExamControlWindow& window) {
    if (selected(window, RevisersOfDay))
        printRevisers(window, window.pickedDateLabel->text().trimmed());
    else
        printRevisers(window, std::nullopt);
}

void printRevisers(ExamControlWindow& window, const std::optional<QString>& date) {
    // The day's sheet is printed after the calendar closes: titled after its item.
    const QString title(date ? texts::kMenu12 : texts::kMenu10);
    showSheet([&window, date, &title] {
        const report::ReportRowset rows = revisersSheetRows(revisersSheetRecords(date));
        report::ReportLayout& layout = report::layout(sheet_texts::kRevisersSheet);
        fillRevisersSheet(layout, sheetSchool(), rows);
        keepLastGrade(window, rows, "d2");
        report::showPreview(layout, title);
    });
}

void requestPrintDay(ExamControlWindow& window, int option) {
    window.dayPrintWaiting->setChecked(true);
    select(window, option);
    openCalendar(window, dates::CalendarRequest::examPrint(printKind(option)));
}

void requestStudentMinutes(ExamControlWindow& window, int option) {
    select(window, option);
    openStudentChooser(window);
}

namespace {

// The paper of the print panel: the one it was opened for, else the option.
int panelPaper(const ExamControlWindow& window) {
    if (window.PanelPaper >= 0)
        return window.PanelPaper;
    for (int option : {DayQuestions, SubjectQuestions, Cheating})
        if (selected(window, option))
            return option;
    return Absence;
}

} // namespace

void printPanelPaper(ExamControlWindow& window) {
    // A paper reads the stored schedule: unsaved edits are settled first.
    if (!window.settleUnsavedChanges())
        return;
    switch (panelPaper(window)) {
    case DayQuestions:
        window.dayQuestionsButton->click();
        break;
    case SubjectQuestions:
        window.subjectQuestionsButton->click();
        break;
    default:
        window.studentMinutesButton->click();
        break;
    }
}

void pickPanelDayAgain(ExamControlWindow& window) {
    // The day is picked again for the panel's paper only: the request names
    // the print, so its date never lands in the schedule editor's day boxes.
    const int paper = panelPaper(window);
    dates::CalendarRequest request =
        paper == Absence    ? dates::CalendarRequest::studentMinutes(dates::MinutesKind::Absence)
        : paper == Cheating ? dates::CalendarRequest::studentMinutes(dates::MinutesKind::Cheating)
                            : dates::CalendarRequest::examPrint(printKind(paper));
    request.note.clear();
    openCalendar(window, request);
}

} // namespace sijill::exams
