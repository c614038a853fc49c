#pragma once

#include "committees/CommitteeStore.h"
#include "data/RecordSet.h"
#include "report/ReportData.h"

#include <QImage>
#include <QString>

namespace sijill::report {
class ReportLayout;
}

namespace sijill::committees {

inline const QString kSheetLayout = QStringLiteral("ComNewP");
inline const QString kLabelsLayout = QStringLiteral("LabelPNew");

// What the signature sheet prints besides the rows.
struct SheetHeader {
    QString administration; // kl3 of the profile
    QString school;         // kl4
    QString year;           // kl2
    QString principal;      // kl7
    QImage logo;
};

// The signature sheet of one committee, from the layout's stored design: the
// header, the principal, the footer spacer (taller past 40 rows), portrait,
// and the committee's rows; up to 40 rows close up to stand on one page.
void fillSignatureSheet(report::ReportLayout& layout, const SheetHeader& header,
                        const QString& committee, const data::RecordSet& rows);

// Desk labels two to a record (d0..d3 the first student, d4..d7 the second),
// paired in row order across grade blocks; header rows are skipped and an odd
// last student stands alone.
report::ReportRowset deskLabelRows(const data::RecordSet& rows);

void fillDeskLabels(report::ReportLayout& layout, const data::RecordSet& rows);

} // namespace sijill::committees
