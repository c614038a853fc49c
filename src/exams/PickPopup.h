#pragma once

#include "exams/PickLists.h"

#include <QFrame>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace sijill::exams {

// One pick-list popup of the schedule editor: the list's items as small
// boxed labels three to a row (times one to a row), a box and a button to
// add an item, and a close picture in the heading.
class PickPopup : public QFrame {
    Q_OBJECT
public:
    PickPopup(PickList list, QWidget* parent);

    PickList list() const { return list_; }
    // Replaces the items; item i shows the title and keeps the key as its tag.
    void setItems(const std::vector<PickItem>& items);
    int itemCount() const { return static_cast<int>(items.size()); }
    qint64 itemKey(int index) const;
    // The item's whole text (its label may show it shortened).
    QString itemTitle(int index) const;

    std::vector<QLabel*> items; // LSubject, LTeacher or LTime
    QLineEdit* Tex = nullptr;   // Tex_subject, Tex_teacher or Tex_time
    QPushButton* Add = nullptr; // Command8, Command7 or Command10
    QLabel* Close = nullptr;    // Image3(0), Image3(1) or Image3(2)
    QLabel* Hint = nullptr;     // Label11(2), subjects only
    // The items stand on a board that scrolls when they are more than the
    // popup shows, so every item can be reached.
    QScrollArea* Scroll = nullptr;
    QWidget* Board = nullptr;

    // Scrolls the item into view (a hover or a pick from the keyboard).
    void showItem(int index);

private:
    QLabel* makeItem(int index);
    void placeItems();

    QLabel* heading_ = nullptr;

    PickList list_;
};

// Design size of a popup in twips.
int pickPopupWidth(PickList list);
inline constexpr int kPickPopupHeight = 5685;

} // namespace sijill::exams
