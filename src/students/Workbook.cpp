#include "students/Workbook.h"

#include <cmath>

namespace sijill::students {

QString cellText(const CellValue& value) {
    switch (value.type) {
    case CellValue::Type::Empty:
        return {};
    case CellValue::Type::Integer:
        return QString::number(value.integer);
    case CellValue::Type::Double: {
        const double v = value.number;
        // Whole numbers within the exact range of a double print as digits.
        if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15)
            return QString::number(static_cast<qint64>(v));
        return QString::number(v, 'g', 15);
    }
    case CellValue::Type::Text:
        return value.text;
    }
    return {};
}

QString Sheet::text(int row, int column) const {
    return cells_.value(key(row, column));
}

void Sheet::setText(int row, int column, const QString& text) {
    if (text.isEmpty())
        cells_.remove(key(row, column));
    else
        cells_.insert(key(row, column), text);
}

const Sheet* Workbook::sheet(const QString& name) const {
    for (const Sheet& s : sheets)
        if (s.name().compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

} // namespace sijill::students
