#include "labels/CustomLabelPrint.h"

#include "report/LayoutLibrary.h"

namespace sijill::labels {

namespace {

void copyLabel(report::ReportRowset& rows, const CustomLabel& label, int firstField) {
    for (int f = 0; f < kLabelFields; ++f)
        rows.set(QStringLiteral("d%1").arg(firstField + f), label.text(f));
}

} // namespace

report::ReportRowset customLabelRows(const std::vector<CustomLabel>& labels) {
    report::ReportRowset rows = report::ReportRowset::withFields(2 * kLabelFields - 1);
    for (std::size_t i = 0; i < labels.size(); i += 2) {
        rows.addRow();
        copyLabel(rows, labels[i], 0);
        if (i + 1 < labels.size())
            copyLabel(rows, labels[i + 1], kLabelFields);
    }
    return rows;
}

report::ReportLayout& fillCustomLabelLayout(const std::vector<CustomLabel>& labels) {
    report::ReportLayout& layout = report::layout(QString::fromLatin1(kCustomLabelLayout));
    layout.resetToDesign();
    layout.setDataSource(customLabelRows(labels));
    return layout;
}

} // namespace sijill::labels
