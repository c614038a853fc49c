#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace sijill::report {

// The rows a layout prints: named fields, every value as text.
class ReportDataSource {
public:
    virtual ~ReportDataSource() = default;
    virtual QStringList fieldNames() const = 0;
    virtual int rowCount() const = 0;
    // The field's column, -1 when absent; letter case is ignored.
    int fieldIndex(const QString& name) const;
    virtual QString text(int row, int column) const = 0;
};

// Rows built in memory, one at a time, for sheets whose rows are not a class's
// students: fields d0 .. dN, all text; a field a row leaves unassigned prints
// blank.
class ReportRowset : public ReportDataSource {
public:
    ReportRowset() = default;
    explicit ReportRowset(QStringList fields);
    // Fields d0 to d<last>.
    static ReportRowset withFields(int last);

    QStringList fieldNames() const override { return fields_; }
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    QString text(int row, int column) const override;
    QString text(int row, const QString& field) const;

    // Adds an empty row and returns its index.
    int addRow();
    // Sets a field of a row; an unknown field or row throws ReportError.
    void set(int row, const QString& field, const QString& value);
    // Sets a field of the last row added.
    void set(const QString& field, const QString& value);
    void clear() { rows_.clear(); }

private:
    int requireField(const QString& field) const;

    QStringList fields_;
    std::vector<std::vector<QString>> rows_;
};

} // namespace sijill::report
