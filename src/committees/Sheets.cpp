#include "committees/Sheets.h"
#include "committees/Texts.h"
#include "data/ReportRows.h"
#include "report/ReportModel.h"
#include "report/ReportPages.h"

#include <algorithm>
#include <vector>

namespace sijill::committees {

namespace {

constexpr int kRowsBeforeTallSpacer = 40;
constexpr double kSpacer = 20;
constexpr double kTallSpacer = 2500;
const QString kPageHeader = QStringLiteral("Section2");
const QString kPageFooter = QStringLiteral("Section3");
const QString kReportFooter = QStringLiteral("Section5");

void setLabel(report::ReportRowset& out, int first, const data::RecordSet& rows, int r) {
    const auto field = [first](int i) { return QStringLiteral("d%1").arg(first + i); };
    out.set(field(0), rows.text(r, QStringLiteral("Class")));
    out.set(field(1), rows.text(r, QStringLiteral("Name")));
    out.set(field(2), rows.text(r, QStringLiteral("ComNum")));
    out.set(field(3), rows.text(r, QStringLiteral("Com")));
}

} // namespace

void fillSignatureSheet(report::ReportLayout& layout, const SheetHeader& header,
                        const QString& committee, const data::RecordSet& rows) {
    layout.resetToDesign();
    // The spacer holds the page footer open: past 40 rows each page keeps room
    // at its foot.
    report::ReportControl& spacer = layout.control(kPageFooter, QStringLiteral("ShaBlank"));
    const bool onePage = rows.recordCount() <= kRowsBeforeTallSpacer;
    spacer.height = onePage ? kSpacer : kTallSpacer;
    report::ReportSection& footer = layout.section(kPageFooter);
    footer.height = std::max(footer.height, spacer.top + spacer.height);
    layout.control(kPageHeader, QStringLiteral("kl1")).caption = texts::kKingdom;
    layout.control(kPageHeader, QStringLiteral("kl2")).caption = texts::kMinistry;
    layout.control(kPageHeader, QStringLiteral("kl3")).caption = header.administration;
    layout.control(kPageHeader, QStringLiteral("kl4")).caption = header.school;
    layout.control(kPageHeader, QStringLiteral("kl5")).caption = header.year;
    layout.control(kPageHeader, QStringLiteral("Class")).caption = committee;
    layout.control(kReportFooter, QStringLiteral("Headmaster")).caption = header.principal;
    if (!header.logo.isNull())
        layout.control(kPageHeader, QStringLiteral("image1")).picture = header.logo;
    layout.setOrientation(report::Orientation::Portrait);
    layout.setDataSource(data::reportRows(rows));
    // Up to 40 rows the sheet is one page with its signatures: the rows close
    // up as far as that takes, while their texts still stand whole.
    if (onePage)
        report::fitRowsToOnePage(layout, rows.recordCount());
}

report::ReportRowset deskLabelRows(const data::RecordSet& rows) {
    std::vector<int> students;
    for (int r = 0; r < rows.recordCount(); ++r) {
        if (!rows.value(r, QStringLiteral("Class")).isNull())
            students.push_back(r);
    }
    report::ReportRowset out = report::ReportRowset::withFields(7);
    for (std::size_t i = 0; i < students.size(); i += 2) {
        out.addRow();
        setLabel(out, 0, rows, students[i]);
        if (i + 1 < students.size())
            setLabel(out, 4, rows, students[i + 1]);
    }
    return out;
}

void fillDeskLabels(report::ReportLayout& layout, const data::RecordSet& rows) {
    layout.resetToDesign();
    layout.setDataSource(deskLabelRows(rows));
}

} // namespace sijill::committees
