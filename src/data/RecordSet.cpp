#include "data/RecordSet.h"

#include "data/DataError.h"
#include "data/SqlName.h"

#include <algorithm>

namespace sijill::data {

namespace {
const QString kNotWritable = QStringLiteral("لا يمكن حفظ التعديل في قاعدة البيانات");
}

int RecordSet::fieldIndex(const QString& name) const {
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant RecordSet::value(int row, const QString& field) const {
    return value(row, fieldIndex(field));
}

QVariant RecordSet::value(int row, int column) const {
    if (row < 0 || row >= recordCount() || column < 0 || column >= fields_.size())
        return {};
    return rows_[row][column];
}

qint64 RecordSet::rowId(int row) const {
    return idColumn_ < 0 ? 0 : value(row, idColumn_).toLongLong();
}

void RecordSet::requireWritable() const {
    if (!conn_ || idColumn_ < 0)
        throw DataError(kNotWritable, QStringLiteral("record set is read-only"));
}

void RecordSet::checkRow(int row) const {
    if (row < 0 || row >= recordCount())
        throw DataError(kNotWritable, QStringLiteral("no current row"));
}

qint64 RecordSet::addNew(const QStringList& fields, const QVariantList& values) {
    requireWritable();
    QStringList names, marks;
    for (const QString& f : fields) {
        names << quoteName(f);
        marks << QStringLiteral("?");
    }
    conn_->execute(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(quoteName(table_), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
        values);
    const qint64 id = conn_->lastInsertId();
    // Read the row back so defaults and the identity are as stored.
    RecordSet fresh =
        conn_->query(QStringLiteral("SELECT * FROM %1 WHERE id = ?").arg(quoteName(table_)), {id});
    if (fresh.recordCount() == 1) {
        rows_.push_back(fresh.rows_.front());
        pos_ = recordCount() - 1;
    }
    return id;
}

void RecordSet::update(int row, const QString& field, const QVariant& value) {
    requireWritable();
    checkRow(row);
    const int col = fieldIndex(field);
    if (col < 0)
        throw DataError(kNotWritable, QStringLiteral("no field ") + field);
    conn_->execute(QStringLiteral("UPDATE %1 SET %2 = ? WHERE id = ?")
                       .arg(quoteName(table_), quoteName(fields_[col])),
                   {value, rowId(row)});
    rows_[row][col] = value;
}

void RecordSet::remove(int row) {
    requireWritable();
    checkRow(row);
    conn_->execute(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(quoteName(table_)),
                   {rowId(row)});
    rows_.erase(rows_.begin() + row);
}

void RecordSet::sort(const QString& field, bool descending) {
    const int col = fieldIndex(field);
    if (col < 0)
        return;
    std::stable_sort(rows_.begin(), rows_.end(), [&](const auto& a, const auto& b) {
        const int c = QString::compare(a[col].toString(), b[col].toString());
        return descending ? c > 0 : c < 0;
    });
    pos_ = 0;
}

} // namespace sijill::data
