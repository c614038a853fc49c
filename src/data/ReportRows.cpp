#include "data/ReportRows.h"

#include "data/RecordSet.h"

#include <QVariant>

namespace sijill::data {

namespace {
// Copies the values as text at once: a preview keeps the rows it opened with.
class RecordSetRows : public report::ReportDataSource {
public:
    explicit RecordSetRows(const RecordSet& records) : fields_(records.fieldNames()) {
        rows_.reserve(records.recordCount());
        for (int r = 0; r < records.recordCount(); ++r) {
            std::vector<QString> row;
            row.reserve(fields_.size());
            for (int c = 0; c < fields_.size(); ++c) {
                const QVariant v = records.value(r, c);
                row.push_back(v.isNull() ? QString() : v.toString());
            }
            rows_.push_back(std::move(row));
        }
    }
    QStringList fieldNames() const override { return fields_; }
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    QString text(int row, int column) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= fields_.size())
            return {};
        return rows_[row][column];
    }

private:
    QStringList fields_;
    std::vector<std::vector<QString>> rows_;
};
} // namespace

std::shared_ptr<const report::ReportDataSource> reportRows(const RecordSet& records) {
    return std::make_shared<RecordSetRows>(records);
}

} // namespace sijill::data
