#include "exams/ControlAll.h"
#include "exams/ExamWindowTest.h"
#include "exams/PickPopup.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <gtest/gtest.h>

namespace sijill::exams {
namespace {

int lineOf(const QFont& f) {
    const QFontMetrics m(f);
    return m.ascent() + m.descent();
}

// Where a single-line control draws its text.
QRect textRoom(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        QStyleOptionFrame o;
        o.initFrom(e);
        o.rect = e->rect();
        o.lineWidth =
            e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, e) : 0;
        QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &o, e);
        r = r.marginsRemoved(e->textMargins());
        return r.adjusted(0, 1, 0, -1); // the line edit's own margin above and below
    }
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox o;
        o.initFrom(c);
        return c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        const int m = b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) / 2;
        const int f = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
        return b->rect().adjusted(m, f, -m, -f);
    }
    return w->contentsRect();
}

// Why a widget's text does not fit it; empty when it does.
QString misfit(QWidget* w) {
    QString text;
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (!l->pixmap().isNull() || l->text().isEmpty())
            return {};
        const QRect room = l->contentsRect().marginsRemoved(
            QMargins(l->margin(), l->margin(), l->margin(), l->margin()));
        if (l->wordWrap()) {
            const QRect need = QFontMetrics(l->font()).boundingRect(
                QRect(0, 0, room.width(), 100000), Qt::TextWordWrap | l->alignment(), l->text());
            return need.height() <= room.height()
                       ? QString()
                       : QString("wraps to %1 in %2").arg(need.height()).arg(room.height());
        }
        text = l->text();
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        text = e->text();
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        text = b->text();
        if (qobject_cast<QCheckBox*>(w)) {
            // The box's indicator takes its share of the width.
            const int box = w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                            w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
            if (QFontMetrics(w->font()).horizontalAdvance(text) + box > w->width())
                return "check box text too wide";
            return lineOf(w->font()) <= w->height() ? QString() : QString("check box too low");
        }
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < c->count(); ++i)
            if (QFontMetrics(c->font()).horizontalAdvance(c->itemText(i)) > textRoom(w).width())
                return "item too wide: " + c->itemText(i);
        text = c->currentText();
    } else {
        return {};
    }
    const QRect room = textRoom(w);
    if (lineOf(w->font()) > room.height())
        return QString("line %1 in %2").arg(lineOf(w->font())).arg(room.height());
    if (!text.isEmpty() && QFontMetrics(w->font()).horizontalAdvance(text) > room.width())
        return QString("advance %1 in %2")
            .arg(QFontMetrics(w->font()).horizontalAdvance(text))
            .arg(room.width());
    return {};
}

class ControlAllFit : public ExamWindowTest {
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
        w->Combo4->setCurrentIndex(w->Combo4->findText("خامس مطور"));
        w->Combo4_Click();
        for (int k = 1; k < kExamDays; ++k)
            w->NewDay_Click();
        for (int k = 0; k < kExamDays; ++k) {
            w->Image7_Click(k);
            w->Day[k]->setText("الأربعاء");
            w->DayDate[k]->setText("1446/12/29");
        }
        for (int r = 0; r < kGridRows; ++r) {
            w->Subj[r]->setText("لغتي");
            w->Time[r]->setText("10:30");
            w->T1[r]->setText("سعد");
            w->T2[r]->setText("فهد");
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

TEST_F(ControlAllFit, EveryTextOfTheWindowAndItsPanelsFits) {
    w->Command9_Click();
    int checked = checkAll("editor");
    w->Image10_Click();
    checked += checkAll("menu");
    for (QFrame* panel : {w->Picture1, w->Picture3, w->CommeteePic}) {
        panel->show();
        panel->raise();
        checked += checkAll(panel->objectName().toLatin1().constData());
        panel->hide();
    }
    for (int paper = 0; paper < 4; ++paper) {
        w->showPrintPanel(paper);
        checked += checkAll("print panel");
    }
    w->Combo4->setCurrentIndex(w->Combo4->findText("خامس مطور"));
    w->Combo4_Click();
    for (PickList list : kPickLists) {
        w->popup(list)->show();
        checked += checkAll("popup");
        w->popup(list)->hide();
    }
    EXPECT_GT(checked, 200);

    // The single-student chooser, over the window.
    openSingleStudent(dates::MinutesKind::Absence);
    SingelStudent* chooser = singelStudent();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->Title->property("banner").toString(), "اسم الطالب");
    for (QWidget* c : chooser->findChildren<QWidget*>()) {
        if (c->isVisibleTo(chooser)) {
            EXPECT_EQ(misfit(c), "") << c->objectName().toStdString();
        }
    }
    EXPECT_LT(chooser->Combo4->geometry().bottom(), chooser->Combo1->y());
    EXPECT_LT(chooser->Combo1->geometry().bottom(), chooser->Image1->y());
}

TEST_F(ControlAllFit, EveryEntryOfEveryPopupCanBePicked) {
    w->Command9_Click();
    const std::vector<std::pair<PickList, std::vector<QLineEdit*>*>> lists = {
        {PickList::Subjects, &w->Subj}, {PickList::Teachers, &w->T1}, {PickList::Times, &w->Time}};
    for (const auto& [list, cells] : lists) {
        PickPopup* p = w->popup(list);
        ASSERT_EQ(p->itemCount(), list == PickList::Subjects   ? 30
                                  : list == PickList::Teachers ? 50
                                                               : 12);
        for (int j = 0; j < p->itemCount(); ++j) {
            SCOPED_TRACE(j);
            QLineEdit* cell = (*cells)[j % kGridRows];
            w->cell_Click(cell);
            w->cell_GotFocus(cell);
            ASSERT_FALSE(p->isHidden());
            // More items than the popup shows: a scroll bar reaches the others.
            EXPECT_TRUE(p->Scroll->verticalScrollBar()->isVisible());
            EXPECT_TRUE(p->rect().contains(p->Scroll->verticalScrollBar()->geometry()));
            p->showItem(j);
            QLabel* item = p->items[j];
            // The whole item lies in the part of the popup that is seen.
            const QRect seen = p->Scroll->viewport()->rect();
            const QRect at(item->mapTo(p->Scroll->viewport(), QPoint(0, 0)), item->size());
            EXPECT_TRUE(seen.contains(at)) << at.y() << " " << seen.height();
            EXPECT_TRUE(p->rect().contains(QRect(item->mapTo(p, QPoint(0, 0)), item->size())));
            EXPECT_TRUE(item->isVisibleTo(p));
            EXPECT_EQ(misfit(item), "");
            EXPECT_EQ(item->text(), p->itemTitle(j));
            w->pickItem_Click(list, j);
            EXPECT_EQ(cell->text(), p->itemTitle(j));
        }
    }
}

TEST_F(ControlAllFit, ABlankEntryIsNotStored) {
    for (PickList list : kPickLists) {
        PickPopup* p = w->popup(list);
        p->Tex->setText("   ");
        p->Add->click();
        w->Tex_KeyUp(list, Qt::Key_Return);
        p->Tex->setText(",2");
        p->Add->click();
    }
    EXPECT_EQ(w->FSubjects->itemCount(), 30);
    EXPECT_EQ(w->FTeachers->itemCount(), 50);
    EXPECT_EQ(w->FTime->itemCount(), 12);
    EXPECT_EQ(loadPickList(PickList::Teachers).size(), 50u);
    EXPECT_TRUE(scope.systemShown.empty());
}

} // namespace
} // namespace sijill::exams
