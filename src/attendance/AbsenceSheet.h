#pragma once

#include "attendance/AbsenceMonth.h"
#include "report/ReportData.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace sijill::report {
class ReportLayout;
}

namespace sijill::attendance {

inline const QString kAbsenceLayout = QStringLiteral("AbcentLand");

// A class picker item "grade:class" split into its two parts, untrimmed as
// they print; nothing for an item without ":".
struct ClassItemText {
    QString grade;
    QString cls;
};
std::optional<ClassItemText> splitClassItem(const QString& item);

// What a sheet prints besides the days.
struct AbsenceSheetHeader {
    QString administration; // the profile's kl3
    QString school;         // kl4
    QString jobTitle;       // kl6
    QString principal;      // kl7
    QImage logo;
    ClassItemText cls;
};

// The rows of a class: d0 the running number from 1, d1 the name, d2 .. d23
// the day cells left blank for handwriting, d24 and d25 the totals 0.
report::ReportRowset absenceRows(const QStringList& names);

// Fills the layout for one class and month, starting from its stored design:
// the day columns, Sunday columns shaded, the header and footer, landscape,
// and the rows.
void fillAbsenceSheet(report::ReportLayout& layout, const AbsenceMonth& month,
                      const AbsenceSheetHeader& header, const QStringList& names);

} // namespace sijill::attendance
