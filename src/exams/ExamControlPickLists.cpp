// The pick lists of the schedule editor: building them, adding and deleting
// items, the delete mark that follows the pointer, choosing an item into the
// target cell, and the cells' side (which popup a cell opens, the highlight).
#include "data/DataError.h"
#include "exams/ExamControlLayout.h"
#include "exams/ExamControlWindow.h"
#include "exams/PickPopup.h"
#include "exams/Texts.h"
#include "platform/Presenters.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sijill::exams {

using namespace layout;
using platform::twips;

namespace {

const QColor kCellBack = platform::vbColor(0xFFFFFF);
const QColor kFocusedBack = platform::vbColor(0xF0D4AF);

void setBack(QLineEdit* e, const QColor& colour) {
    QPalette p = e->palette();
    p.setColor(QPalette::Base, colour);
    e->setPalette(p);
}

template <typename T> int indexIn(const std::vector<T*>& v, const QObject* w) {
    for (int i = 0; i < static_cast<int>(v.size()); ++i)
        if (v[i] == w)
            return i;
    return -1;
}

} // namespace

void ExamControlWindow::reloadPickLists() {
    teachersPopup->resize(twips(pickPopupWidth(PickList::Teachers)), teachersPopup->height());
    QString failure;
    // Every list is read, also after an empty one: an empty table gives an
    // empty popup.
    for (PickList list : kPickLists) {
        PickPopup* p = popup(list);
        try {
            p->setItems(loadPickList(list));
        } catch (const data::DataError& e) {
            failure = e.userMessage();
            continue;
        }
        for (QLabel* item : p->items)
            item->installEventFilter(this);
    }
    if (!failure.isEmpty())
        reportFailure(texts::kListsFailed, failure);
}

void ExamControlWindow::addPickItem(PickList list) {
    PickPopup* p = popup(list);
    const QString text = p->newItemBox->text();
    // Nothing to store, or an add still running (its half-second wait lets
    // a second press through otherwise).
    if (isBlankTitle(text) || adding_)
        return;
    adding_ = true;
    p->addButton->setEnabled(false);
    try {
        if (isDuplicate(loadPickList(list), text)) {
            platform::showSystemMessage({QString(), duplicateMessage(list, text), QMessageBox::Ok,
                                         QMessageBox::NoIcon, platform::YesDoes::NoQuestion});
        } else {
            exams::addPickItem(list, text);
            reloadListsButton->click();
        }
    } catch (const data::DataError& e) {
        reportFailure(texts::kAddFailed, e.userMessage());
    }
    p->addButton->setEnabled(true);
    adding_ = false;
}

void ExamControlWindow::onPickTextKeyReleased(PickList list, int key) {
    PickPopup* p = popup(list);
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || p->newItemBox->text().isEmpty())
        return;
    p->addButton->click();
    p->newItemBox->clear();
}

void ExamControlWindow::onPickItemClicked(PickList list, int index) {
    PickPopup* p = popup(list);
    if (!p->isHidden() && index >= 0 && index < p->itemCount()) {
        const QString text = p->itemTitle(index);
        const int r = std::clamp(PickTargetRow, 0, kGridRows - 1);
        switch (list) {
        case PickList::Subjects:
            subjectCells[r]->setText(text);
            break;
        case PickList::Teachers:
            (PickToCorrector ? correctorCells : reviewerCells)[r]->setText(text);
            break;
        case PickList::Times:
            timeCells[r]->setText(text);
            break;
        }
    }
    ScheduleSaved = false;
    p->hide();
    deletePickItemMark->hide();
}

void ExamControlWindow::onPickItemHovered(PickList list, int index) {
    PickPopup* p = popup(list);
    PickHoverIndex = index;
    const QLabel* item = p->items[index];
    // The item stands on the popup's scrolling board.
    const QPoint at = item->mapTo(editorFrame, QPoint(0, 0));
    deletePickItemMark->move(at.x(), at.y() + twips(30));
    deletePickItemMark->show();
    deletePickItemMark->raise();
}

void ExamControlWindow::onDeletePickItemClicked() {
    for (PickList list : kPickLists)
        popup(list)->newItemBox->clear();
    QString failure;
    for (PickList list : kPickLists) {
        const PickPopup* p = popup(list);
        const qint64 key = p->itemKey(PickHoverIndex);
        if (p->isHidden() || key <= 0)
            continue;
        try {
            deletePickItem(list, key);
        } catch (const data::DataError& e) {
            failure = e.userMessage();
        }
    }
    deletePickItemMark->hide();
    reloadListsButton->click();
    if (!failure.isEmpty())
        reportFailure(texts::kDeleteFailed, failure);
}

void ExamControlWindow::onClosePopupClicked() {
    hidePopups();
}

int ExamControlWindow::cellRow(QLineEdit* c, PickList* list, bool* corrector) const {
    *corrector = false;
    if (int r = indexIn(subjectCells, c); r >= 0) {
        *list = PickList::Subjects;
        return r;
    }
    if (int r = indexIn(timeCells, c); r >= 0) {
        *list = PickList::Times;
        return r;
    }
    if (int r = indexIn(correctorCells, c); r >= 0) {
        *list = PickList::Teachers;
        *corrector = true;
        return r;
    }
    if (int r = indexIn(reviewerCells, c); r >= 0) {
        *list = PickList::Teachers;
        return r;
    }
    return -1;
}

void ExamControlWindow::onCellPressed(QLineEdit* c) {
    PickList list = PickList::Subjects;
    bool corrector = false;
    const int r = cellRow(c, &list, &corrector);
    if (r < 0)
        return;
    PickTargetRow = r;
    if (list == PickList::Teachers)
        PickToCorrector = corrector;
}

void ExamControlWindow::onCellFocused(QLineEdit* c) {
    PickList list = PickList::Subjects;
    bool corrector = false;
    if (cellRow(c, &list, &corrector) < 0)
        return;
    // A cell reached by the keyboard is the target of a choice as much as a
    // clicked one.
    onCellPressed(c);
    placePopupFor(c);
    paintCells(c);
    PickPopup* p = popup(list);
    p->show();
    p->raise();
}

void ExamControlWindow::placePopupFor(QLineEdit* c) {
    PickList list = PickList::Subjects;
    bool corrector = false;
    const int r = cellRow(c, &list, &corrector);
    const bool second = r % 2 == 1;
    const int top = twips(kStripTops[0]);
    hidePopups();
    PickPopup* p = popup(list);
    const int width = pickPopupWidth(list);
    int left = 4875;
    if (list == PickList::Teachers)
        left = second ? kT12Left + kStripLeft + kT12Width + 80 : kT2Left + kStripLeft - width;
    else if (list == PickList::Times)
        left = (second ? kTime2Left : kTimeLeft) + kStripLeft - width - 320;
    p->move(twips(left), top);
}

void ExamControlWindow::paintCells(QLineEdit* focused) {
    for (int r = 0; r < kGridRows; ++r)
        for (QLineEdit* e : {timeCells[r], subjectCells[r], correctorCells[r], reviewerCells[r]})
            setBack(e, kCellBack);
    setBack(focused, kFocusedBack);
}

} // namespace sijill::exams
