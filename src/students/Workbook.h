#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

namespace sijill::students {

// A cell's stored value as the reader reports it.
struct CellValue {
    enum class Type { Empty, Integer, Double, Text, Error };
    Type type = Type::Empty;
    qint64 integer = 0;
    double number = 0;
    QString text;
};

// The one place where a cell's stored value becomes text: a text cell gives
// its text (a boolean "TRUE" or "FALSE"), an error the text Excel shows
// ("#N/A", ...), a whole number its digits without ".0", any other number its
// shortest form of up to 15 significant digits, an empty cell "".
QString cellText(const CellValue& value);

// One worksheet: the texts of its non-empty cells.
class Sheet {
public:
    explicit Sheet(QString name = {}) : name_(std::move(name)) {}
    const QString& name() const { return name_; }
    // Row and column count from 1 (row 1, column 1 is A1); "" where empty.
    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    void setValue(int row, int column, const CellValue& value);
    // True when the cell holds an error value such as "#N/A".
    bool isError(int row, int column) const { return errors_.contains(key(row, column)); }

private:
    static quint64 key(int row, int column) {
        return (static_cast<quint64>(static_cast<quint32>(row)) << 16) |
               static_cast<quint16>(column);
    }
    QString name_;
    QHash<quint64, QString> cells_;
    QSet<quint64> errors_;
};

// A cell's place for a message: "الخلية E7 (الصف 7، العمود E) في الورقة Sheet2",
// row and column counted from 1.
QString cellPlaceText(const QString& sheet, int row, int column);

// The refusal for a cell the import needs that holds an error value instead
// of data, naming the cell; "" when the cell holds no error.
QString errorCellProblem(const Sheet& sheet, int row, int column);

// The column number of a column letter: 'A' 1, 'B' 2, ...
constexpr int col(char letter) {
    return letter - 'A' + 1;
}

struct Workbook {
    std::vector<Sheet> sheets;
    const Sheet* sheet(const QString& name) const;
};

} // namespace sijill::students
