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

    std::vector<QLabel*> items;       // the list's items
    QLineEdit* newItemBox = nullptr;  // the text of an item to add
    QPushButton* addButton = nullptr; // adds it
    QLabel* closeButton = nullptr;    // the close picture in the heading
    QLabel* hint = nullptr;           // subjects only
    // The items stand on a board that scrolls when they are more than the
    // popup shows, so every item can be reached.
    QScrollArea* scroll = nullptr;
    QWidget* board = nullptr;

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
