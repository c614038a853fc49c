#include "exams/ExamControlWindow.h"
#include "data/Connection.h"
#include "dates/CalendarWindow.h"
#include "exams/ExamsWiring.h"
#include "exams/PickPopup.h"
#include "exams/Texts.h"
#include "platform/Clock.h"
#include "platform/Twips.h"
#include "platform/Wait.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"
#include "support/WidgetText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>

namespace sijill::exams {
namespace {

using platform::twips;

// The program started on Thursday 5 Muharram 1446 with classes of five
// grades, one of whose names contains another's; the exam-control window
// opened from the main menu.
class ExamControl : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Clock::setToday(QDate(2024, 7, 11));
        scale_ = platform::waitScale();
        platform::setWaitScale(0);
        test::finishProfile(home);
        for (const auto& [grade, cls] :
             std::vector<std::pair<QString, QString>>{{"أول", "1"},
                                                      {"ثالث", "1"},
                                                      {"ثالث", "2"},
                                                      {"رابع", "1"},
                                                      {"خامس", "1"},
                                                      {"خامس مطور", "1"}})
            home.exec("Schedual.db", QString("INSERT INTO grades (kind, grade, class, order_it) "
                                             "VALUES ('ابتدائي', '%1', '%2', 1)")
                                         .arg(grade, cls));
        form = std::make_unique<shell::MainForm>();
        ASSERT_TRUE(form->formLoad());
        installExamControl(*form);
        form->show();
    }
    void TearDown() override {
        delete examControlWindow();
        delete dates::calendarWindow();
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::Clock::setToday(std::nullopt);
        platform::setWaitScale(scale_);
    }

    ExamControlWindow* open() {
        form->chooseMenuItem(shell::MainMenuItem::ExamControl);
        return examControlWindow();
    }
    static void choose(ExamControlWindow* w, const QString& grade) {
        const int i = w->gradePicker->findText(grade);
        ASSERT_GT(i, 0) << grade.toStdString();
        w->gradePicker->setCurrentIndex(i);
        w->onGradeChosen();
    }
    // The calendar's OK on today's cell.
    static void pickToday() {
        dates::CalendarWindow* c = dates::calendarWindow();
        c->onDayClicked(c->model().todayCell());
        c->onOkClicked();
    }
    void addRow(const QString& grade, int order, const QString& subject = {}) {
        home.exec("Schedual.db",
                  QString("INSERT INTO T1 (D0, D1, D2, D3, D4, D5, D6, D7, D8, F_Order) VALUES "
                          "('2', 'الأحد', '1446/02/0%1', '%2', '%3', '', '', '', '%4', %5)")
                      .arg(order / 2 + 1)
                      .arg(grade, subject, order % 2 ? "الثانية" : "الأولى")
                      .arg(order));
    }
    static QStringList rows(const QString& grade) {
        data::Connection c(data::Database::Schedule);
        const data::RecordSet rs =
            c.query("SELECT F_Order, D1, D2, D4 FROM T1 WHERE D3 = ? ORDER BY F_Order", {grade});
        QStringList out;
        for (int i = 0; i < rs.recordCount(); ++i)
            out << QString("%1:%2:%3:%4")
                       .arg(rs.text(i, "F_Order"), rs.text(i, "D1"), rs.text(i, "D2"),
                            rs.text(i, "D4"));
        return out;
    }
    // Typing into a cell as a user does, key by key.
    static void type(QLineEdit* cell, const QString& text) {
        for (const QChar c : text) {
            cell->end(false); // where a user's click at the text's end puts the cursor
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(cell, &press);
        }
    }
    static QStringList stored(const QString& grade, const char* column) {
        data::Connection c(data::Database::Schedule);
        const data::RecordSet rs = c.query(
            QString("SELECT %1 FROM T1 WHERE D3 = ? ORDER BY F_Order").arg(column), {grade});
        QStringList out;
        for (int i = 0; i < rs.recordCount(); ++i)
            out << rs.value(i, 0).toString();
        return out;
    }
    QStringList systemTexts() const {
        QStringList out;
        for (const auto& m : scope.systemShown)
            out << m.text;
        return out;
    }

    test::TestHome home;
    test::ScriptedScope scope;
    std::unique_ptr<shell::MainForm> form;

private:
    double scale_ = 1;
};

TEST_F(ExamControl, OpensWithTheGradeListsAndLeavesTheClassListAlone) {
    form->classPicker->setCurrentIndex(2);
    ExamControlWindow* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(form->isEnabled());
    EXPECT_EQ(test::comboItems(w->gradePicker),
              (QStringList{texts::kGradePrompt, "ثالث", "خامس", "خامس مطور", "رابع"}));
    EXPECT_EQ(test::comboItems(w->sheetGradePicker),
              (QStringList{"ثالث", "خامس", "خامس مطور", "رابع"}));
    EXPECT_EQ(test::comboItems(w->dayGradePicker), test::comboItems(w->sheetGradePicker));
    EXPECT_EQ(test::comboItems(w->dayPeriodPicker), (QStringList{"الأولى", "الثانية"}));
    EXPECT_EQ(w->labelsClassPicker->count(), 6); // the prompt and five class keys
    EXPECT_EQ(w->labelsClassText->text(), texts::kGradePrompt);
    EXPECT_TRUE(w->allSeriesBox->isChecked());
    EXPECT_EQ(form->classPicker->currentIndex(), 2);
    EXPECT_TRUE(w->saveButton->isHidden());
    EXPECT_TRUE(w->labelsPanelFrame->isHidden());
    EXPECT_EQ(w->editorFrame->height(), twips(990));
    EXPECT_EQ(w->height(), form->height());

    w->close();
    EXPECT_TRUE(form->isEnabled());
    form->chooseMenuItem(shell::MainMenuItem::ExamControlLabels);
    ASSERT_NE(examControlWindow(), nullptr);
    EXPECT_FALSE(examControlWindow()->labelsPanelFrame->isHidden());
}

TEST_F(ExamControl, AGradeWithoutRowsGetsItsFirstRow) {
    ExamControlWindow* w = open();
    choose(w, "ثالث");
    EXPECT_EQ(rows("ثالث"), (QStringList{"0:::"}));
    EXPECT_NE(w->keyCells[0]->text(), "ID");
    EXPECT_FALSE(w->saveButton->isHidden());
    EXPECT_EQ(w->editorFrame->height(), twips(8160));
    EXPECT_EQ(w->shownGradeBox->text(), "ثالث");
    EXPECT_EQ(w->newDayButton->y(), twips(2225));
    EXPECT_TRUE(w->dayStrips[1]->isHidden());

    // The prompt folds the editor and keeps the grid.
    w->gradePicker->setCurrentIndex(0);
    w->onGradeChosen();
    EXPECT_EQ(w->editorFrame->height(), twips(990));
    EXPECT_EQ(w->shownGradeBox->text(), "ثالث");
}

TEST_F(ExamControl, AGradeShowsOnlyItsOwnRows) {
    addRow("خامس مطور", 0, "لغتي");
    addRow("خامس مطور", 2, "علوم");
    addRow("خامس مطور", 3, "فنية");
    addRow("خامس مطور", 4, "رياضيات");
    ExamControlWindow* w = open();
    choose(w, "خامس");
    EXPECT_TRUE(w->dayStrips[1]->isHidden());
    EXPECT_EQ(w->subjectCells[0]->text(), "");
    EXPECT_EQ(rows("خامس").size(), 1);

    choose(w, "خامس مطور");
    EXPECT_FALSE(w->dayStrips[2]->isHidden());
    EXPECT_TRUE(w->dayStrips[3]->isHidden());
    EXPECT_FALSE(w->secondPeriodPanels[1]->isHidden());
    EXPECT_EQ(w->subjectCells[3]->text(), "فنية");
    EXPECT_EQ(w->weekdayCells[2]->text(), "الأحد");
    EXPECT_EQ(w->dateCells[2]->text(), "1446/02/03");
    EXPECT_EQ(w->newDayButton->y(), twips(3215));
    EXPECT_EQ(rows("خامس مطور").size(), 4);
}

TEST_F(ExamControl, TheCalendarWritesOnlyAnExamDaysDate) {
    ExamControlWindow* w = open();
    choose(w, "ثالث");
    w->onNewDayClicked();
    EXPECT_FALSE(w->dayStrips[1]->isHidden());
    EXPECT_EQ(rows("ثالث").size(), 2);

    w->onDayHovered(1);
    EXPECT_EQ(w->hoveredDay->text(), "1");
    w->onPickDateClicked();
    EXPECT_FALSE(w->isEnabled());
    EXPECT_FALSE(w->ScheduleSaved);
    pickToday();
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(w->weekdayCells[1]->text(), "الخميس");
    EXPECT_EQ(w->dateCells[1]->text(), "1446/01/05");
    EXPECT_EQ(w->pickedWeekdayLabel->text(), "الخميس");
    EXPECT_EQ(w->pickedDateLabel->text(), "1446/01/05");
    EXPECT_EQ(w->weekdayCells[0]->text(), "");

    // A pick for a print leaves every day alone, and so does a cancel.
    w->weekdayCells[1]->setText("");
    dates::calendarWindow()->openFor(
        dates::CalendarRequest::examPrint(dates::ExamPrintKind::HandOver), w);
    pickToday();
    dates::calendarWindow()->openFor(
        dates::CalendarRequest::studentMinutes(dates::MinutesKind::Absence), w);
    pickToday();
    w->onPickDateClicked();
    dates::calendarWindow()->onCloseClicked();
    EXPECT_TRUE(w->isEnabled());
    for (int k = 0; k < kExamDays; ++k)
        EXPECT_EQ(w->weekdayCells[k]->text(), "") << k;
    EXPECT_EQ(w->pickedDateLabel->text(), "1446/01/05");
}

TEST_F(ExamControl, SaveStoresTheGridAsTypedAndSaysSoAfterwards) {
    ExamControlWindow* w = open();
    choose(w, "ثالث");
    // Day 0 incomplete: refused, nothing written.
    w->onSaveClicked();
    EXPECT_EQ(systemTexts(), (QStringList{texts::kFirstDayEmpty}));

    w->onDayHovered(0);
    w->onPickDateClicked();
    pickToday();
    w->subjectCells[0]->setText("O'Brien's قراءة");
    w->onAddPeriodClicked(0);
    EXPECT_FALSE(w->secondPeriodPanels[0]->isHidden());
    w->subjectCells[1]->setText("علوم");
    w->reviewerCells[1]->setText("سعد");
    w->onSaveClicked();
    EXPECT_EQ(systemTexts().last(), texts::kSaved);
    EXPECT_EQ(rows("ثالث"),
              (QStringList{"0:الخميس:1446/01/05:O'Brien's قراءة", "1:الخميس:1446/01/05:علوم"}));
    EXPECT_TRUE(w->ScheduleSaved);
    EXPECT_EQ(w->subjectCells[0]->text(), "O'Brien's قراءة");
    EXPECT_EQ(w->reviewerCells[1]->text(), "سعد");
}

TEST_F(ExamControl, AFailedSaveIsReportedAndWritesNothing) {
    ExamControlWindow* w = open();
    choose(w, "ثالث");
    w->onNewDayClicked();
    w->onPickDateClicked();
    pickToday();
    w->subjectCells[0]->setText("لغتي");
    w->subjectCells[2]->setText("x");
    home.exec("Schedual.db", "CREATE TRIGGER refuse BEFORE UPDATE ON T1 WHEN NEW.D4 = 'x' "
                             "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    scope.dialogs().answer("موافق");
    w->onSaveClicked();
    ASSERT_EQ(scope.dialogs().shown.size(), 1u);
    EXPECT_TRUE(scope.dialogs().shown[0].text.startsWith(texts::kSaveFailed));
    EXPECT_FALSE(systemTexts().contains(texts::kSaved));
    EXPECT_EQ(rows("ثالث"), (QStringList{"0:::", "2:::"}));
    EXPECT_EQ(w->subjectCells[0]->text(), "لغتي"); // the grid keeps what was typed
}

TEST_F(ExamControl, RowsAreDeletedOnlyOnOkAndOnlyOnTheLastDay) {
    addRow("رابع", 0, "لغتي");
    addRow("رابع", 2, "علوم");
    addRow("رابع", 3, "فنية");
    addRow("رابع", 4, "رياضيات");
    addRow("رابع", 5, "بدنية");
    ExamControlWindow* w = open();
    choose(w, "رابع");

    scope.dialogs().answer("موافق");
    w->onDeleteRowClicked(2); // day 1 while day 2 exists
    ASSERT_EQ(scope.dialogs().shown.size(), 1u);
    EXPECT_EQ(scope.dialogs().shown[0].text,
              texts::kCannotDeleteDay + "\r\n" + texts::kDeleteLaterDayFirst);
    EXPECT_EQ(rows("رابع").size(), 5);

    scope.dialogs().answer("موافق");
    w->onDeleteRowClicked(3); // a second period goes on any day
    EXPECT_EQ(scope.dialogs().shown.back().text, texts::kAskDeleteDay);
    EXPECT_EQ(rows("رابع").size(), 4);
    EXPECT_TRUE(w->secondPeriodPanels[1]->isHidden());

    scope.dialogs().answer("إلغاء");
    w->onDeleteRowClicked(4);
    scope.dialogs().answer(test::ScriptedDialogs::kClose);
    w->onDeleteRowClicked(4);
    EXPECT_EQ(rows("رابع").size(), 4);

    scope.dialogs().answer("موافق");
    w->onDeleteRowClicked(4); // the last day goes with both its periods
    EXPECT_EQ(rows("رابع"), (QStringList{"0:الأحد:1446/02/01:لغتي", "2:الأحد:1446/02/02:علوم"}));
    EXPECT_TRUE(w->dayStrips[2]->isHidden());
    EXPECT_EQ(w->subjectCells[2]->text(), "علوم");
}

TEST_F(ExamControl, APeriodPanelClickAsksFirst) {
    addRow("رابع", 0, "لغتي");
    addRow("رابع", 1, "فنية");
    ExamControlWindow* w = open();
    choose(w, "رابع");
    scope.systemAnswers.push_back(QMessageBox::Cancel);
    w->onSecondPeriodClicked(0);
    EXPECT_EQ(systemTexts(), (QStringList{texts::kAskDeletePeriod + "رابع"}));
    EXPECT_EQ(rows("رابع").size(), 2);

    w->onSecondPeriodClicked(0); // closed without an answer
    EXPECT_EQ(rows("رابع").size(), 2);

    scope.systemAnswers.push_back(QMessageBox::Ok);
    w->onSecondPeriodClicked(0);
    EXPECT_EQ(rows("رابع").size(), 1);
    EXPECT_EQ(systemTexts().last(), texts::kGradeErased + "رابع");
    EXPECT_TRUE(w->secondPeriodPanels[0]->isHidden());

    scope.systemShown.clear();
    w->onSecondPeriodClicked(0); // an empty subject: nothing asked
    EXPECT_TRUE(scope.systemShown.empty());
}

TEST_F(ExamControl, ErasingAGradeTakesOnlyThatGradeAndOnlyOnOk) {
    addRow("خامس", 0, "لغتي");
    addRow("خامس", 2, "علوم");
    addRow("خامس مطور", 0, "رياضيات");
    ExamControlWindow* w = open();
    w->onEraseGradeClicked(); // the prompt: nothing
    EXPECT_TRUE(scope.systemShown.empty());

    choose(w, "خامس");
    w->onDeleteOptionsClicked();
    scope.systemAnswers.push_back(QMessageBox::Cancel);
    w->onEraseGradeClicked();
    w->onEraseGradeClicked(); // closed without an answer
    EXPECT_EQ(rows("خامس").size(), 2);

    scope.systemAnswers.push_back(QMessageBox::Ok);
    w->onEraseGradeClicked();
    EXPECT_TRUE(rows("خامس").isEmpty());
    EXPECT_EQ(rows("خامس مطور").size(), 1);
    EXPECT_EQ(systemTexts().last(), texts::kGradeErased + "خامس");
    EXPECT_TRUE(w->dayStrips[1]->isHidden());
    EXPECT_EQ(w->subjectCells[0]->text(), "");

    scope.systemAnswers.push_back(QMessageBox::Ok);
    w->onEraseAllClicked();
    EXPECT_TRUE(rows("خامس مطور").isEmpty());
    EXPECT_EQ(systemTexts().last(), texts::kAllErased);
}

TEST_F(ExamControl, UnsavedChoicesAreAskedAboutBeforeAnotherGrade) {
    home.exec("Schedual.db", "INSERT INTO subjects (Title) VALUES ('لغتي'), ('علوم')");
    ExamControlWindow* w = open();
    w->reloadPickLists();
    choose(w, "ثالث");
    w->onCellPressed(w->subjectCells[0]);
    w->onCellFocused(w->subjectCells[0]);
    w->onPickItemClicked(PickList::Subjects, 1);
    EXPECT_EQ(w->subjectCells[0]->text(), "علوم");
    EXPECT_FALSE(w->ScheduleSaved);

    // Closed without an answer: the shown grade and its choice stay.
    choose(w, "رابع");
    EXPECT_EQ(scope.systemShown.back().text, texts::kAskSave + "ثالث\r");
    EXPECT_EQ(w->gradePicker->currentText(), "ثالث");
    EXPECT_EQ(w->subjectCells[0]->text(), "علوم");

    scope.systemAnswers.push_back(QMessageBox::No);
    choose(w, "رابع");
    EXPECT_EQ(w->shownGradeBox->text(), "رابع");
    EXPECT_EQ(rows("ثالث"), (QStringList{"0:::"}));
    EXPECT_TRUE(w->ScheduleSaved);
}

TEST_F(ExamControl, PickListsAddChooseAndDelete) {
    ExamControlWindow* w = open();
    choose(w, "ثالث");
    w->timesPopup->newItemBox->setText("8:00");
    w->onPickTextKeyReleased(PickList::Times, Qt::Key_Return);
    EXPECT_EQ(w->timesPopup->newItemBox->text(), "");
    ASSERT_EQ(w->timesPopup->itemCount(), 1);
    EXPECT_EQ(w->timesPopup->items[0]->text(), "8:00");
    w->timesPopup->newItemBox->setText("8:00");
    w->onPickTextKeyReleased(PickList::Times, Qt::Key_Return);
    EXPECT_EQ(systemTexts().last(), " الوقت 8:00 موجود");
    EXPECT_EQ(w->timesPopup->itemCount(), 1);
    w->timesPopup->newItemBox->setText("");
    w->onPickTextKeyReleased(PickList::Times, Qt::Key_Return);
    EXPECT_EQ(w->timesPopup->itemCount(), 1);

    for (const QString name : {"سعد", "فهد"}) {
        w->teachersPopup->newItemBox->setText(name);
        w->teachersPopup->addButton->click();
    }
    ASSERT_EQ(w->teachersPopup->itemCount(), 2);
    EXPECT_EQ(w->teachersPopup->newItemBox->text(), "فهد"); // the button keeps the text

    // A corrector cell opens the staff list beside the first period.
    w->onCellPressed(w->correctorCells[0]);
    w->onCellFocused(w->correctorCells[0]);
    EXPECT_FALSE(w->teachersPopup->isHidden());
    EXPECT_TRUE(w->subjectsPopup->isHidden());
    EXPECT_EQ(w->teachersPopup->x(), twips(1890));
    w->onPickItemClicked(PickList::Teachers, 1);
    EXPECT_EQ(w->correctorCells[0]->text(), "فهد");
    EXPECT_TRUE(w->teachersPopup->isHidden());

    // A reviewer cell reached by the keyboard is the target as well.
    w->onCellFocused(w->reviewerCells[0]);
    w->onPickItemClicked(PickList::Teachers, 0);
    EXPECT_EQ(w->reviewerCells[0]->text(), "سعد");
    EXPECT_EQ(w->correctorCells[0]->text(), "فهد");

    w->onCellFocused(w->reviewerCells[0]);
    w->onPickItemHovered(PickList::Teachers, 0);
    EXPECT_FALSE(w->deletePickItemMark->isHidden());
    w->onDeletePickItemClicked();
    EXPECT_TRUE(w->deletePickItemMark->isHidden());
    ASSERT_EQ(w->teachersPopup->itemCount(), 1);
    EXPECT_EQ(w->teachersPopup->items[0]->text(), "فهد");
    EXPECT_EQ(w->timesPopup->itemCount(), 1);
}

TEST_F(ExamControl, TenDaysAtMostAndEveryGradeMayUseThemAll) {
    ExamControlWindow* w = open();
    choose(w, "ثالث");
    for (int i = 1; i < kExamDays; ++i)
        w->onNewDayClicked();
    EXPECT_FALSE(w->dayStrips[9]->isHidden());
    EXPECT_TRUE(w->newDayButton->isHidden());
    EXPECT_EQ(rows("ثالث").size(), 10);
    w->onNewDayClicked();
    EXPECT_EQ(rows("ثالث").size(), 10);

    choose(w, "رابع");
    EXPECT_FALSE(w->newDayButton->isHidden());
    EXPECT_EQ(w->newDayButton->y(), twips(2225));

    w->onFoldClicked();
    EXPECT_EQ(w->editorFrame->height(), twips(990));
    EXPECT_TRUE(w->foldButton->isHidden());
    choose(w, "ثالث");
    EXPECT_EQ(w->editorFrame->height(), twips(8160));
    EXPECT_EQ(w->newDayButton->y(), twips(6995));
}

TEST_F(ExamControl, PrintMenuShowsItsPanelsAndRunsWhatThePaperworkInstalled) {
    ExamControlWindow* w = open();
    int runs = 0;
    w->setPrintMenuAction(0, [&runs] { ++runs; });
    w->onPrintMenuItemClicked(0);
    EXPECT_EQ(runs, 1);
    w->onPrintMenuItemClicked(11);
    EXPECT_FALSE(w->labelsPanelFrame->isHidden());
    w->onLabelsPanelButtonClicked(2);
    EXPECT_TRUE(w->labelsPanelFrame->isHidden());
    w->onPrintMenuItemClicked(1);
    EXPECT_FALSE(w->gradeSheetPanel->isHidden());
    w->onPrintMenuItemClicked(0); // the grade chooser is open: the menu rests
    EXPECT_EQ(runs, 1);
    w->onCloseSheetPanelClicked();
    EXPECT_TRUE(w->gradeSheetPanel->isHidden());
}

TEST_F(ExamControl, ClosingWithTypedChangesAsksToSaveDiscardOrStay) {
    addRow("رابع", 0, "لغتي");
    ExamControlWindow* w = open();
    choose(w, "رابع");
    type(w->timeCells[0], "9:00");
    EXPECT_EQ(w->timeCells[0]->text(), "9:00");
    EXPECT_FALSE(w->ScheduleSaved);

    // Stay: cancel, or the box closed without an answer.
    for (const QString& answer : {QString("إلغاء"), test::ScriptedDialogs::kClose}) {
        scope.dialogs().answer(answer);
        EXPECT_FALSE(w->close());
        EXPECT_EQ(scope.dialogs().shown.back().text, texts::kAskSave + "رابع");
        EXPECT_EQ(scope.dialogs().shown.back().mode, 3);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->timeCells[0]->text(), "9:00");
    }
    EXPECT_FALSE(form->isEnabled());

    // Discard: the window goes and nothing is stored.
    scope.dialogs().answer("لا");
    EXPECT_TRUE(w->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(examControlWindow(), nullptr);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(stored("رابع", "D5"), (QStringList{""}));

    // Save: stored, then the window goes.
    w = open();
    choose(w, "رابع");
    type(w->correctorCells[0], "سعد");
    scope.dialogs().answer("نعم");
    EXPECT_TRUE(w->close());
    EXPECT_EQ(stored("رابع", "D6"), (QStringList{"سعد"}));
    EXPECT_EQ(systemTexts().last(), texts::kSaved);

    // Nothing changed: nothing asked.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w = open();
    choose(w, "رابع");
    const std::size_t asked = scope.dialogs().shown.size();
    EXPECT_TRUE(w->close());
    EXPECT_EQ(scope.dialogs().shown.size(), asked);
}

TEST_F(ExamControl, AFailedSaveOnClosingKeepsTheWindowAndTheEdits) {
    addRow("رابع", 0, "لغتي");
    ExamControlWindow* w = open();
    choose(w, "رابع");
    type(w->subjectCells[0], " x");
    home.exec("Schedual.db", "CREATE TRIGGER refuse BEFORE UPDATE ON T1 "
                             "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    scope.dialogs().answer("نعم");
    scope.dialogs().answer("موافق");
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(scope.dialogs().shown.back().text.startsWith(texts::kSaveFailed));
    EXPECT_EQ(w->subjectCells[0]->text(), "لغتي x");
    EXPECT_EQ(stored("رابع", "D4"), (QStringList{"لغتي"}));
}

TEST_F(ExamControl, DeletingOneRowKeepsTheOtherRowsEdits) {
    addRow("رابع", 0, "لغتي");
    addRow("رابع", 1, "فنية");
    addRow("رابع", 2, "علوم");
    addRow("رابع", 3, "بدنية");
    addRow("رابع", 4, "رياضيات");
    ExamControlWindow* w = open();
    choose(w, "رابع");
    type(w->correctorCells[0], "سعد");
    type(w->timeCells[2], "8:00");

    scope.dialogs().answer("موافق");
    w->onDeleteRowClicked(3);
    EXPECT_EQ(stored("رابع", "D4"), (QStringList{"لغتي", "فنية", "علوم", "رياضيات"}));
    EXPECT_TRUE(w->secondPeriodPanels[1]->isHidden());
    EXPECT_EQ(w->keyCells[3]->text(), "ID");
    EXPECT_EQ(w->correctorCells[0]->text(), "سعد");
    EXPECT_EQ(w->timeCells[2]->text(), "8:00");
    EXPECT_FALSE(w->ScheduleSaved);

    scope.systemAnswers.push_back(QMessageBox::Ok);
    w->onSecondPeriodClicked(0);
    scope.dialogs().answer("موافق");
    w->onDeleteRowClicked(4); // the last day
    EXPECT_EQ(stored("رابع", "D4"), (QStringList{"لغتي", "علوم"}));
    EXPECT_TRUE(w->dayStrips[2]->isHidden());
    EXPECT_EQ(w->subjectCells[4]->text(), "");
    EXPECT_EQ(w->newDayButton->y(), twips(2235 + 485)); // below day 1, now the last
    EXPECT_EQ(w->correctorCells[0]->text(), "سعد");
    EXPECT_EQ(w->timeCells[2]->text(), "8:00");

    // The save that follows stores the edits under the remaining rows.
    w->onSaveClicked();
    EXPECT_EQ(systemTexts().last(), texts::kSaved);
    EXPECT_EQ(stored("رابع", "D6"), (QStringList{"سعد", ""}));
    EXPECT_EQ(stored("رابع", "D5"), (QStringList{"", "8:00"}));
    EXPECT_TRUE(w->ScheduleSaved);
}

TEST_F(ExamControl, APaperAsksAboutUnsavedEditsFirst) {
    addRow("رابع", 0, "لغتي");
    ExamControlWindow* w = open();
    int runs = 0;
    w->setPrintMenuAction(0, [&runs] { ++runs; });
    choose(w, "رابع");
    type(w->subjectCells[0], "2");
    w->onFoldClicked(); // the menu lies under the open editor

    scope.dialogs().answer("إلغاء");
    w->onPrintMenuItemClicked(0);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(w->subjectCells[0]->text(), "لغتي2");

    // Discard: the paper reads the stored schedule, which the grid shows again.
    scope.dialogs().answer("لا");
    w->onPrintMenuItemClicked(0);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(w->subjectCells[0]->text(), "لغتي");
    EXPECT_EQ(w->editorFrame->height(), twips(990));

    type(w->subjectCells[0], "3");
    scope.dialogs().answer("نعم");
    w->onPrintMenuItemClicked(0);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(stored("رابع", "D4"), (QStringList{"لغتي3"}));
}

// Every day of the grid with both periods: stored and read back whole.
TEST_F(ExamControl, TwentyRowsSaveAndReload) {
    ExamControlWindow* w = open();
    choose(w, "ثالث");
    for (int k = 1; k < kExamDays; ++k)
        w->onNewDayClicked();
    for (int k = 0; k < kExamDays; ++k) {
        w->onAddPeriodClicked(k);
        w->onDayHovered(k);
        w->onPickDateClicked();
        pickToday();
    }
    for (int r = 0; r < kGridRows; ++r) {
        w->subjectCells[r]->setText(QString("مادة %1").arg(r));
        w->timeCells[r]->setText(QString("%1:00").arg(8 + r % 3));
        w->correctorCells[r]->setText(QString("مصحح %1").arg(r));
        w->reviewerCells[r]->setText(QString("مراجع %1").arg(r));
    }
    QElapsedTimer clock;
    clock.start();
    w->onSaveClicked(); // the save and its reload
    const qint64 saveMs = clock.elapsed();
    EXPECT_EQ(systemTexts().last(), texts::kSaved);
    EXPECT_EQ(rows("ثالث").size(), kGridRows);

    choose(w, "رابع");
    for (int r = 0; r < kGridRows; ++r)
        EXPECT_EQ(w->subjectCells[r]->text(), "") << r;
    clock.restart();
    choose(w, "ثالث");
    const qint64 reloadMs = clock.elapsed();
    for (int r = 0; r < kGridRows; ++r) {
        EXPECT_EQ(w->subjectCells[r]->text(), QString("مادة %1").arg(r)) << r;
        EXPECT_EQ(w->reviewerCells[r]->text(), QString("مراجع %1").arg(r)) << r;
        EXPECT_NE(w->keyCells[r]->text(), "ID") << r;
    }
    for (int k = 0; k < kExamDays; ++k) {
        EXPECT_FALSE(w->secondPeriodPanels[k]->isHidden()) << k;
        EXPECT_EQ(w->dateCells[k]->text(), "1446/01/05") << k;
    }
    std::cout << "[ timing ] save of 20 rows (with its reload) " << saveMs << " ms, reload "
              << reloadMs << " ms\n";
    RecordProperty("save_ms", static_cast<int>(saveMs));
    RecordProperty("reload_ms", static_cast<int>(reloadMs));
    EXPECT_LT(saveMs, 5000);
    EXPECT_LT(reloadMs, 5000);
}

} // namespace
} // namespace sijill::exams
