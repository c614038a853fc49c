#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <vector>

namespace sijill::data {

class Connection;
class RecordSet;

// Where a writable record set sends its adds, updates and deletes: the
// connection it was opened on.
class RowWriter {
public:
    virtual int execute(const QString& sql, const QVariantList& params) = 0;
    virtual RecordSet query(const QString& sql, const QVariantList& params) = 0;
    virtual qint64 lastInsertId() const = 0;

protected:
    ~RowWriter() = default;
};

// The rows of one query held in memory (client-side and static): moving
// through them never touches the file. A record set opened on a table writes
// its adds, updates and deletes straight back, addressing rows by `id`.
class RecordSet {
public:
    RecordSet() = default;

    const QStringList& fieldNames() const { return fields_; }
    int fieldIndex(const QString& name) const; // -1 when absent; letter case ignored
    int recordCount() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }

    // Cursor.
    void moveFirst() { pos_ = 0; }
    void moveNext() { ++pos_; }
    void move(int row) { pos_ = row; }
    bool eof() const { return pos_ < 0 || pos_ >= recordCount(); }
    int position() const { return pos_; }

    // Values of the current row, or of any row. Missing fields read as null.
    QVariant value(const QString& field) const { return value(pos_, field); }
    QVariant value(int row, const QString& field) const;
    QVariant value(int row, int column) const;
    QString text(const QString& field) const { return value(field).toString(); }
    QString text(int row, const QString& field) const { return value(row, field).toString(); }
    qint64 rowId(int row) const; // the row identity, 0 when the set has none

    // Writing (only on a record set from Connection::openTable).
    // Adds a row with the given field values and appends it; returns its id.
    qint64 addNew(const QStringList& fields, const QVariantList& values);
    void update(int row, const QString& field, const QVariant& value);
    void remove(int row);

    // Sorts the rows in memory by one field, as text, ascending or descending.
    void sort(const QString& field, bool descending = false);

private:
    friend class Connection;
    void requireWritable() const;
    void checkRow(int row) const;

    RowWriter* conn_ = nullptr;
    QString table_;
    QStringList fields_;
    int idColumn_ = -1;
    std::vector<std::vector<QVariant>> rows_;
    int pos_ = 0;
};

} // namespace sijill::data
