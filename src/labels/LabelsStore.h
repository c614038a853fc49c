#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

namespace sijill::labels {

// Columns d0 to d3 of the custom-label table T1 of Labels.db: class, name,
// number, committee.
inline constexpr int kLabelFields = 4;

// The four texts of one label as the editor's boxes hold them, d0 first.
using LabelTexts = std::array<QString, kLabelFields>;

// One stored label. A column holding Null reads as no value, so the editor
// can leave its box as it was.
struct CustomLabel {
    qint64 id = 0;
    std::array<std::optional<QString>, kLabelFields> fields;

    // The column's text, empty for Null.
    QString text(int field) const { return fields.at(field).value_or(QString()); }
};

// Every stored label in the table's own order (by id, which follows
// insertion). data::DataError when Labels.db cannot be read.
std::vector<CustomLabel> readCustomLabels();

// Stores a new label and returns its id. data::DataError on failure.
qint64 addCustomLabel(const LabelTexts& texts);

// Rewrites the label with this id; false when no such row exists.
bool updateCustomLabel(qint64 id, const LabelTexts& texts);

// Deletes the label with this id; false when no such row exists.
bool deleteCustomLabel(qint64 id);

} // namespace sijill::labels
