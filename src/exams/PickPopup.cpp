#include "exams/PickPopup.h"

#include "exams/ControlAllArt.h"
#include "exams/Texts.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"
#include "platform/VbColor.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sijill::exams {

using platform::twips;
using platform::twipsRect;

namespace {

constexpr int kHeadingHeight = 360;

QString popupName(PickList list) {
    switch (list) {
    case PickList::Subjects:
        return QStringLiteral("FSubjects");
    case PickList::Teachers:
        return QStringLiteral("FTeachers");
    case PickList::Times:
        break;
    }
    return QStringLiteral("FTime");
}

QString itemName(PickList list) {
    switch (list) {
    case PickList::Subjects:
        return QStringLiteral("LSubject");
    case PickList::Teachers:
        return QStringLiteral("LTeacher");
    case PickList::Times:
        break;
    }
    return QStringLiteral("LTime");
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
    title->setGeometry(0, 0, width(), twips(kHeadingHeight));
    title->setAlignment(Qt::AlignCenter);
    title->setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool"), 11, 700));
    title->setStyleSheet(QStringLiteral("background: #3F4A43; color: white;"));

    Close = new QLabel(this);
    Close->setObjectName(QStringLiteral("Image3_%1").arg(static_cast<int>(list)));
    Close->setGeometry(width() - twips(330), twips(30), twips(300), twips(300));
    Close->setPixmap(art::closeMark(twips(300)));
    Close->setCursor(Qt::PointingHandCursor);

    const QFont font = platform::designedFont(QStringLiteral("Al Ruvo Cool-Free"), 11);
    Tex = new QLineEdit(this);
    Add = new QPushButton(texts::kAdd, this);
    Tex->setFont(font);
    Add->setFont(font);
    switch (list) {
    case PickList::Subjects:
        Tex->setObjectName(QStringLiteral("Tex_subject"));
        Add->setObjectName(QStringLiteral("Command8"));
        Tex->setGeometry(twipsRect(915, 5070, 1170, 450));
        Add->setGeometry(twipsRect(50, 5070, 825, 450));
        Hint = new QLabel(texts::kSubjectHint, this);
        Hint->setObjectName(QStringLiteral("Label11_2"));
        Hint->setGeometry(twipsRect(90, 4680, 3330, 300));
        Hint->setAlignment(Qt::AlignCenter);
        Hint->setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool"), 9));
        Hint->setStyleSheet(QStringLiteral("background: #C0C0C0;"));
        break;
    case PickList::Teachers:
        Tex->setObjectName(QStringLiteral("Tex_teacher"));
        Add->setObjectName(QStringLiteral("Command7"));
        Tex->setGeometry(twipsRect(855, 5100, 1170, 450));
        Add->setGeometry(twipsRect(80, 5100, 735, 450));
        break;
    case PickList::Times:
        Tex->setObjectName(QStringLiteral("Tex_time"));
        Add->setObjectName(QStringLiteral("Command10"));
        Tex->setGeometry(twipsRect(45, 4590, 1515, 450));
        Add->setGeometry(twipsRect(45, 5085, 1515, 450));
        break;
    }
    hide();
}

QLabel* PickPopup::makeItem(int index) {
    auto* label = new QLabel(this);
    label->setObjectName(itemName(list_) + QLatin1Char('_') + QString::number(index));
    label->setFrameShape(QFrame::Box);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(platform::designedFont(QStringLiteral("Al Ruvo Cool-Free"), 11));
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
        const QPoint at = pickItemPosition(list_, j);
        label->setGeometry(twipsRect(at.x(), at.y(), kPickItemWidth, kPickItemHeight));
        art::fitText(label);
        label->show();
        items.push_back(label);
    }
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
