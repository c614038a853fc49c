#include "students/StudentLineDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextOption>

namespace sijill::students {

namespace {
constexpr int kGap = 6;
const QString kSeparator = QStringLiteral(" | ");
} // namespace

QString StudentLineDelegate::restOf(const StudentLine& line) {
    return line.civil + kSeparator + line.name + kSeparator + line.phone;
}

QRect StudentLineDelegate::numberRect(const QRect& line, const QFontMetrics& fm) {
    const int width = fm.horizontalAdvance(QStringLiteral("0000"));
    return QRect(line.right() - width - kGap + 1, line.top(), width + kGap, line.height());
}

void StudentLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const QVariant number = index.data(kNumberRole);
    if (!number.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const QRect numberBox = numberRect(text, opt.fontMetrics);
    QRect restBox = text;
    restBox.setRight(numberBox.left() - 1);

    painter->save();
    painter->setFont(opt.font);
    const bool selected = opt.state & QStyle::State_Selected;
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    QTextOption numberOption(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
    numberOption.setTextDirection(Qt::LeftToRight);
    painter->drawText(numberBox.adjusted(0, 0, -kGap / 2, 0), number.toString(), numberOption);
    QTextOption restOption(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
    restOption.setTextDirection(Qt::RightToLeft);
    restOption.setWrapMode(QTextOption::NoWrap);
    const QString rest = opt.fontMetrics.elidedText(index.data(kRestRole).toString(),
                                                    Qt::ElideRight, restBox.width());
    painter->drawText(restBox, rest, restOption);
    painter->restore();
}

} // namespace sijill::students
