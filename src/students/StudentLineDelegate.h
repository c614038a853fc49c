#pragma once

#include "students/StudentChanges.h"

#include <QStyledItemDelegate>

namespace sijill::students {

// Draws a line of the maintenance window's student list right to left with
// the number in a column of its own at the right edge, so the numbers stand
// one under the other whatever the names beside them hold. The item's text
// stays the whole line.
class StudentLineDelegate : public QStyledItemDelegate {
public:
    static constexpr int kNumberRole = Qt::UserRole + 1;
    static constexpr int kRestRole = Qt::UserRole + 2;

    using QStyledItemDelegate::QStyledItemDelegate;

    // Civil-registry number, name and phone: what follows the number.
    static QString restOf(const StudentLine& line);
    // Where the number is drawn inside a line's rectangle.
    static QRect numberRect(const QRect& line, const QFontMetrics& fm);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace sijill::students
