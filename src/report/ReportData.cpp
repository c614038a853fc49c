#include "report/ReportData.h"

#include "report/ReportError.h"

namespace sijill::report {

int ReportDataSource::fieldIndex(const QString& name) const {
    const QStringList fields = fieldNames();
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

ReportRowset::ReportRowset(QStringList fields) : fields_(std::move(fields)) {}

ReportRowset ReportRowset::withFields(int last) {
    QStringList fields;
    for (int i = 0; i <= last; ++i)
        fields << QStringLiteral("d%1").arg(i);
    return ReportRowset(fields);
}

QString ReportRowset::text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= fields_.size())
        return {};
    return rows_[row][column];
}

QString ReportRowset::text(int row, const QString& field) const {
    return text(row, fieldIndex(field));
}

int ReportRowset::addRow() {
    rows_.emplace_back(fields_.size());
    return rowCount() - 1;
}

int ReportRowset::requireField(const QString& field) const {
    const int column = fieldIndex(field);
    if (column < 0)
        throw ReportError(QStringLiteral("the rows have no field \"%1\"").arg(field));
    return column;
}

void ReportRowset::set(int row, const QString& field, const QString& value) {
    const int column = requireField(field);
    if (row < 0 || row >= rowCount())
        throw ReportError(QStringLiteral("the rows have no row %1").arg(row));
    rows_[row][column] = value;
}

void ReportRowset::set(const QString& field, const QString& value) {
    set(rowCount() - 1, field, value);
}

} // namespace sijill::report
