#include "students/Workbook.h"

#include "platform/BidiText.h"

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
    case CellValue::Type::Error:
        return value.text;
    }
    return {};
}

QString Sheet::text(int row, int column) const {
    return cells_.value(key(row, column));
}

void Sheet::setText(int row, int column, const QString& text) {
    errors_.remove(key(row, column));
    if (text.isEmpty())
        cells_.remove(key(row, column));
    else
        cells_.insert(key(row, column), text);
}

void Sheet::setValue(int row, int column, const CellValue& value) {
    setText(row, column, cellText(value));
    if (value.type == CellValue::Type::Error)
        errors_.insert(key(row, column));
}

QString cellPlaceText(const QString& sheet, int row, int column) {
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return QStringLiteral("الخلية %1 (الصف %2، العمود %3) في الورقة %4")
        .arg(platform::isolate(letters + QString::number(row)))
        .arg(row)
        .arg(platform::isolate(letters), platform::isolate(sheet));
}

QString errorCellProblem(const Sheet& sheet, int row, int column) {
    if (!sheet.isError(row, column))
        return {};
    return QStringLiteral("في %1 رسالة خطأ من Excel (%2) مكان البيانات.\nصحح الخلية في Excel "
                          "ثم أعد الاستيراد.")
        .arg(cellPlaceText(sheet.name(), row, column), platform::isolate(sheet.text(row, column)));
}

const Sheet* Workbook::sheet(const QString& name) const {
    for (const Sheet& s : sheets)
        if (s.name().compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

} // namespace sijill::students
