#include "exams/PickPopup.h"

#include "exams/ExamControlArt.h"
#include "exams/Texts.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"

#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

namespace sijill::exams {

using platform::twips;
using platform::twipsRect;

namespace {

constexpr int kHeadingHeight = 360;
constexpr int kItemGap = 90;  // twips between columns
constexpr int kRowGap = 40;   // twips between rows
constexpr int kBoardTop = 80; // twips above the first row

// Where the items' board ends: above the hint or the add box.
int boardBottom(PickList list) {
    switch (list) {
    case PickList::Subjects:
        return 4640;
    case PickList::Teachers:
        return 5060;
    case PickList::Times:
        break;
    }
    return 4550;
}

// The rightmost column's right margin at the design size.
int rightMargin(PickList list) {
    return list == PickList::Times ? 295 : 65;
}

QString popupName(PickList list) {
    switch (list) {
    case PickList::Subjects:
        return QStringLiteral("subjectsPopup");
    case PickList::Teachers:
        return QStringLiteral("teachersPopup");
    case PickList::Times:
        break;
    }
    return QStringLiteral("timesPopup");
}

QString itemName(PickList list) {
    switch (list) {
    case PickList::Subjects:
        return QStringLiteral("subjectItem");
    case PickList::Teachers:
        return QStringLiteral("teacherItem");
    case PickList::Times:
        break;
    }
    return QStringLiteral("timeItem");
}

QString heading(PickList list) {
    switch (list) {
    case PickList::Subjects:
        return texts::kColSubject;
    case PickList::Teachers:
        return texts::kColCorrector + QStringLiteral(" / ") + texts::kColReviewer;
    case PickList::Times:
        break;
    }
    return texts::kColTime;
}

} // namespace

int pickPopupWidth(PickList list) {
    switch (list) {
    case PickList::Subjects:
        return 3705;
    case PickList::Teachers:
        return 3750;
    case PickList::Times:
        break;
    }
    return 1635;
}

PickPopup::PickPopup(PickList list, QWidget* parent) : QFrame(parent), list_(list) {
    setObjectName(popupName(list));
    resize(twips(pickPopupWidth(list)), twips(kPickPopupHeight));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, platform::vbColor(0xC8D0D4));
    setPalette(p);
    setMouseTracking(true);

    auto* title = new QLabel(heading(list), this);
    title->setObjectName(objectName() + QStringLiteral("Heading"));
    title->setAlignment(Qt::AlignCenter);
    title->setFont(platform::windowFont(11, 700));
    title->setStyleSheet(QStringLiteral("background: #3F4A43; color: white;"));
    const int headingHeight = std::max(twips(kHeadingHeight), art::lineHeight(title->font()) + 2);
    title->setGeometry(0, 0, width(), headingHeight);
    heading_ = title;

    scroll = new QScrollArea(this);
    scroll->setObjectName(objectName() + QStringLiteral("Scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->viewport()->setAutoFillBackground(false);
    scroll->setGeometry(0, headingHeight, width(), twips(boardBottom(list)) - headingHeight);
    board = new QWidget;
    board->setObjectName(objectName() + QStringLiteral("Board"));
    board->setAutoFillBackground(false);
    board->setMouseTracking(true);
    scroll->setWidget(board);

    closeButton = new QLabel(this);
    closeButton->setObjectName(objectName() + QStringLiteral("Close"));
    closeButton->setGeometry(width() - twips(330), twips(30), twips(300), twips(300));
    closeButton->setPixmap(art::closeMark(twips(300)));
    closeButton->setCursor(Qt::PointingHandCursor);

    const QFont font = platform::windowFreeFont(10);
    newItemBox = new QLineEdit(this);
    addButton = new QPushButton(texts::kAdd, this);
    newItemBox->setFont(font);
    addButton->setFont(font);
    switch (list) {
    case PickList::Subjects:
        newItemBox->setObjectName(QStringLiteral("newSubjectBox"));
        addButton->setObjectName(QStringLiteral("addSubjectButton"));
        newItemBox->setGeometry(twipsRect(915, 5070, 1170, 450));
        addButton->setGeometry(twipsRect(50, 5070, 825, 450));
        hint = new QLabel(texts::kSubjectHint, this);
        hint->setObjectName(QStringLiteral("subjectHint"));
        hint->setGeometry(twipsRect(90, 4680, 3330, 300));
        hint->setAlignment(Qt::AlignCenter);
        hint->setFont(platform::windowFont(9));
        hint->setStyleSheet(QStringLiteral("background: #C0C0C0;"));
        break;
    case PickList::Teachers:
        newItemBox->setObjectName(QStringLiteral("newTeacherBox"));
        addButton->setObjectName(QStringLiteral("addTeacherButton"));
        newItemBox->setGeometry(twipsRect(855, 5100, 1170, 450));
        addButton->setGeometry(twipsRect(80, 5100, 735, 450));
        break;
    case PickList::Times:
        newItemBox->setObjectName(QStringLiteral("newTimeBox"));
        addButton->setObjectName(QStringLiteral("addTimeButton"));
        newItemBox->setGeometry(twipsRect(45, 4590, 1515, 450));
        addButton->setGeometry(twipsRect(45, 5100, 1515, 450));
        break;
    }
    art::fitOneLine(newItemBox);
    art::fitOneLine(addButton);
    if (hint)
        art::fitOneLine(hint);
    hide();
}

QLabel* PickPopup::makeItem(int index) {
    auto* label = new QLabel(board);
    label->setObjectName(itemName(list_) + QString::number(index));
    label->setFrameShape(QFrame::Box);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(platform::windowFreeFont(11));
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, list_ == PickList::Teachers ? platform::vbColor(0x80000005)
                                                             : platform::vbColor(0xFFFFFF));
    label->setPalette(p);
    label->setMouseTracking(true);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

void PickPopup::setItems(const std::vector<PickItem>& list) {
    for (QLabel* item : items)
        delete item;
    items.clear();
    for (int j = 0; j < static_cast<int>(list.size()); ++j) {
        QLabel* label = makeItem(j);
        label->setText(list[j].title);
        label->setToolTip(list[j].title);
        label->setProperty("tag", QString::number(list[j].id));
        label->setProperty("title", list[j].title);
        items.push_back(label);
    }
    placeItems();
}

void PickPopup::placeItems() {
    // An item is as high as one line of its font needs (the dots below the
    // line included), never lower than its design height.
    QLabel probe;
    probe.setFrameShape(QFrame::Box);
    probe.setFont(platform::windowFreeFont(11));
    const int frame = 2 * probe.frameWidth();
    const int itemHeight =
        std::max(twips(kPickItemHeight), art::lineHeight(probe.font()) + frame + 2);
    const int pitch = itemHeight + twips(kRowGap);
    const int columns = pickColumns(list_);
    const int rows = (itemCount() + columns - 1) / columns;
    const int boardHeight = twips(kBoardTop) + rows * pitch;
    board->setMinimumHeight(boardHeight);
    // More rows than the popup shows: it grows by the scroll bar's width, so
    // the items keep their width beside it.
    const bool scrolls = boardHeight > scroll->height();
    const int scrollBar = scrolls ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    const int room = twips(pickPopupWidth(list_));
    resize(room + scrollBar, height());
    scroll->resize(width(), scroll->height());
    scroll->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    heading_->resize(width(), heading_->height());
    closeButton->move(width() - twips(330), closeButton->y());
    const int gap = twips(kItemGap);
    const int margin = twips(rightMargin(list_));
    const int itemWidth =
        std::min(twips(kPickItemWidth), (room - margin - columns * gap + gap / 2) / columns);
    for (int j = 0; j < itemCount(); ++j) {
        const PickSlot slot = pickItemSlot(list_, j);
        const int left = room - margin - (slot.column + 1) * itemWidth - slot.column * gap;
        items[j]->setGeometry(left, twips(kBoardTop) + slot.row * pitch, itemWidth, itemHeight);
        art::fitText(items[j], 6);
        items[j]->show();
    }
}

void PickPopup::showItem(int index) {
    if (index >= 0 && index < itemCount())
        scroll->ensureWidgetVisible(items[index], 0, 0);
}

QString PickPopup::itemTitle(int index) const {
    if (index < 0 || index >= itemCount())
        return {};
    return items[index]->property("title").toString();
}

qint64 PickPopup::itemKey(int index) const {
    if (index < 0 || index >= itemCount())
        return 0;
    return items[index]->property("tag").toString().toLongLong();
}

} // namespace sijill::exams
