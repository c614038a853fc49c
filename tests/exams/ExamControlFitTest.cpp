#include "exams/ExamControlWindow.h"
#include "exams/ExamMinutesPrints.h"
#include "exams/ExamWindowTest.h"
#include "exams/PickPopup.h"
#include "support/TextFit.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace sijill::exams {
namespace {

using test::misfit;

class ExamControlFit : public ExamWindowTest {
protected:
    void SetUp() override {
        ExamWindowTest::SetUp();
        for (const QString grade : {"ثالث", "رابع", "خامس مطور"})
            home.exec("Schedual.db", QString("INSERT INTO grades (kind, grade, class, order_it) "
                                             "VALUES ('ابتدائي', '%1', '1', 1)")
                                         .arg(grade));
        for (int i = 0; i < 30; ++i)
            home.exec("Schedual.db",
                      QString("INSERT INTO subjects (Title) VALUES ('مادة %1')").arg(i));
        for (int i = 0; i < 50; ++i)
            home.exec("Schedual.db",
                      QString("INSERT INTO teachers_names (Title) VALUES ('معلم %1')").arg(i));
        for (int i = 0; i < 12; ++i)
            home.exec("Schedual.db",
                      QString("INSERT INTO exam_time (Title) VALUES ('%1:30')").arg(7 + i));
        ASSERT_NO_FATAL_FAILURE(openExamWindow());
        w->gradePicker->setCurrentIndex(w->gradePicker->findText("خامس مطور"));
        w->onGradeChosen();
        for (int k = 1; k < kExamDays; ++k)
            w->onNewDayClicked();
        for (int k = 0; k < kExamDays; ++k) {
            w->onAddPeriodClicked(k);
            w->weekdayCells[k]->setText("الأربعاء");
            w->dateCells[k]->setText("1446/12/29");
        }
        for (int r = 0; r < kGridRows; ++r) {
            w->subjectCells[r]->setText("لغتي");
            w->timeCells[r]->setText("10:30");
            w->correctorCells[r]->setText("سعد");
            w->reviewerCells[r]->setText("فهد");
        }
    }

    // Every widget shown in the window checked; returns how many were.
    int checkAll(const char* where) {
        int checked = 0;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(w))
                continue;
            const QString why = misfit(c);
            EXPECT_TRUE(why.isEmpty()) << where << ": " << c->objectName().toStdString() << " ("
                                       << c->metaObject()->className() << ") " << why.toStdString();
            ++checked;
        }
        return checked;
    }
};

TEST_F(ExamControlFit, EveryTextOfTheWindowAndItsPanelsFits) {
    w->reloadPickLists();
    int checked = checkAll("editor");
    w->onFoldClicked();
    checked += checkAll("menu");
    for (QFrame* panel : {w->deleteOptionsPanel, w->labelsPanelFrame, w->gradeSheetPanel}) {
        panel->show();
        panel->raise();
        checked += checkAll(panel->objectName().toLatin1().constData());
        panel->hide();
    }
    for (int paper = 0; paper < 4; ++paper) {
        w->showPrintPanel(paper);
        checked += checkAll("print panel");
    }
    w->gradePicker->setCurrentIndex(w->gradePicker->findText("خامس مطور"));
    w->onGradeChosen();
    for (PickList list : kPickLists) {
        w->popup(list)->show();
        checked += checkAll("popup");
        w->popup(list)->hide();
    }
    EXPECT_GT(checked, 200);

    // The single-student chooser, over the window.
    openStudentChooser(*w, dates::MinutesKind::Absence);
    SingleStudentChooser* chooser = singleStudentChooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->titleBanner->property("banner").toString(), "اسم الطالب");
    for (QWidget* c : chooser->findChildren<QWidget*>()) {
        if (c->isVisibleTo(chooser)) {
            EXPECT_EQ(misfit(c), "") << c->objectName().toStdString();
        }
    }
    EXPECT_LT(chooser->classPicker->geometry().bottom(), chooser->studentPicker->y());
    EXPECT_LT(chooser->studentPicker->geometry().bottom(), chooser->nextButton->y());
}

TEST_F(ExamControlFit, EveryEntryOfEveryPopupCanBePicked) {
    w->reloadPickLists();
    const std::vector<std::pair<PickList, std::vector<QLineEdit*>*>> lists = {
        {PickList::Subjects, &w->subjectCells},
        {PickList::Teachers, &w->correctorCells},
        {PickList::Times, &w->timeCells}};
    for (const auto& [list, cells] : lists) {
        PickPopup* p = w->popup(list);
        ASSERT_EQ(p->itemCount(), list == PickList::Subjects   ? 30
                                  : list == PickList::Teachers ? 50
                                                               : 12);
        for (int j = 0; j < p->itemCount(); ++j) {
            SCOPED_TRACE(j);
            QLineEdit* cell = (*cells)[j % kGridRows];
            w->onCellPressed(cell);
            w->onCellFocused(cell);
            ASSERT_FALSE(p->isHidden());
            // More items than the popup shows: a scroll bar reaches the others.
            EXPECT_TRUE(p->scroll->verticalScrollBar()->isVisible());
            EXPECT_TRUE(p->rect().contains(p->scroll->verticalScrollBar()->geometry()));
            p->showItem(j);
            QLabel* item = p->items[j];
            // The whole item lies in the part of the popup that is seen.
            const QRect seen = p->scroll->viewport()->rect();
            const QRect at(item->mapTo(p->scroll->viewport(), QPoint(0, 0)), item->size());
            EXPECT_TRUE(seen.contains(at)) << at.y() << " " << seen.height();
            EXPECT_TRUE(p->rect().contains(QRect(item->mapTo(p, QPoint(0, 0)), item->size())));
            EXPECT_TRUE(item->isVisibleTo(p));
            EXPECT_EQ(misfit(item), "");
            EXPECT_EQ(item->text(), p->itemTitle(j));
            w->onPickItemClicked(list, j);
            EXPECT_EQ(cell->text(), p->itemTitle(j));
        }
    }
}

TEST_F(ExamControlFit, ABlankEntryIsNotStored) {
    for (PickList list : kPickLists) {
        PickPopup* p = w->popup(list);
        p->newItemBox->setText("   ");
        p->addButton->click();
        w->onPickTextKeyReleased(list, Qt::Key_Return);
        p->newItemBox->setText(",2");
        p->addButton->click();
    }
    EXPECT_EQ(w->subjectsPopup->itemCount(), 30);
    EXPECT_EQ(w->teachersPopup->itemCount(), 50);
    EXPECT_EQ(w->timesPopup->itemCount(), 12);
    EXPECT_EQ(loadPickList(PickList::Teachers).size(), 50u);
    EXPECT_TRUE(scope.systemShown.empty());
}

} // namespace
} // namespace sijill::exams
