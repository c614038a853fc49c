#include "labels/LabelsStore.h"

#include "data/Connection.h"

#include <QVariantList>

namespace sijill::labels {

namespace {

QVariantList valuesOf(const LabelTexts& texts) {
    QVariantList values;
    for (const QString& t : texts)
        values << t;
    return values;
}

} // namespace

std::vector<CustomLabel> readCustomLabels() {
    data::Connection c(data::Database::Labels);
    const data::RecordSet rows =
        c.query(QStringLiteral("SELECT id, d0, d1, d2, d3 FROM T1 ORDER BY id"));
    std::vector<CustomLabel> labels;
    labels.reserve(rows.recordCount());
    for (int r = 0; r < rows.recordCount(); ++r) {
        CustomLabel label;
        label.id = rows.value(r, 0).toLongLong();
        for (int f = 0; f < kLabelFields; ++f) {
            const QVariant v = rows.value(r, f + 1);
            if (!v.isNull())
                label.fields[f] = v.toString();
        }
        labels.push_back(std::move(label));
    }
    return labels;
}

qint64 addCustomLabel(const LabelTexts& texts) {
    data::Connection c(data::Database::Labels);
    c.execute(QStringLiteral("INSERT INTO T1 (d0, d1, d2, d3) VALUES (?, ?, ?, ?)"),
              valuesOf(texts));
    return c.lastInsertId();
}

bool updateCustomLabel(qint64 id, const LabelTexts& texts) {
    data::Connection c(data::Database::Labels);
    QVariantList params = valuesOf(texts);
    params << id;
    return c.execute(QStringLiteral("UPDATE T1 SET d0 = ?, d1 = ?, d2 = ?, d3 = ? WHERE id = ?"),
                     params) > 0;
}

bool deleteCustomLabel(qint64 id) {
    data::Connection c(data::Database::Labels);
    return c.execute(QStringLiteral("DELETE FROM T1 WHERE id = ?"), {id}) > 0;
}

} // namespace sijill::labels
