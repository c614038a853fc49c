#include "platform/IconButtonStyle.h"

#include <QApplication>
#include <QStyleOptionButton>

namespace sijill::platform {

namespace {

// The room between icon and caption that QPushButton's size hint allows.
constexpr int kIconSpacing = 4;
// Room kept on each side of a combo box's item inside its field.
constexpr int kItemMargin = 3;

} // namespace

void IconButtonStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element != CE_PushButtonLabel || !button || button->direction != Qt::RightToLeft ||
        button->icon.isNull() || button->text.isEmpty()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect room = button->rect;
    const int iconWidth = std::min(button->iconSize.width(), room.width());
    const int group =
        iconWidth + kIconSpacing + button->fontMetrics.horizontalAdvance(button->text);
    const int right = room.right() - std::max(0, (room.width() - group) / 2);

    QStyleOptionButton icon(*button);
    icon.text.clear();
    icon.rect = QRect(right - iconWidth + 1, room.top(), iconWidth, room.height());
    QProxyStyle::drawControl(element, &icon, painter, widget);

    const QRect text(room.left(), room.top(), icon.rect.left() - kIconSpacing - room.left(),
                     room.height());
    proxy()->drawItemText(
        painter, text, Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter | Qt::TextHideMnemonic,
        button->palette, button->state & State_Enabled, button->text, QPalette::ButtonText);
}

QSize IconButtonStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                        const QSize& size, const QWidget* widget) const {
    const QSize hint = QProxyStyle::sizeFromContents(type, option, size, widget);
    return type == CT_ComboBox ? hint + QSize(2 * kItemMargin, 0) : hint;
}

void useIconButtonStyle() {
    if (!dynamic_cast<IconButtonStyle*>(QApplication::style()))
        QApplication::setStyle(new IconButtonStyle);
}

} // namespace sijill::platform
