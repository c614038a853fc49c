#include "attendance/AbsenceSheet.h"

#include "attendance/SchoolDays.h"
#include "attendance/Texts.h"
#include "report/ReportModel.h"

namespace sijill::attendance {

namespace {

constexpr int kLastField = 25;
constexpr double kPreviewWidth = 16700;
const QColor kSundayShade(0xE0, 0xE0, 0xE0); // &HE0E0E0

const QString kHeader = QStringLiteral("Section4");
const QString kPageHeader = QStringLiteral("Section2");
const QString kDetail = QStringLiteral("Section1");
const QString kFooter = QStringLiteral("Section5");

QString monthCaption(int month) {
    return hijriMonthName(month) + QStringLiteral(" ") + QStringLiteral("( ") +
           QString::number(month) + QStringLiteral(" )");
}

void fillDays(report::ReportLayout& layout, int month, const std::vector<DayColumn>& days) {
    const int count = std::min(static_cast<int>(days.size()), kDayColumns);
    for (int j = 1; j <= count; ++j) {
        const DayColumn& d = days[static_cast<std::size_t>(j - 1)];
        const QString n = QString::number(j);
        layout.control(kPageHeader, QStringLiteral("D") + n).caption = columnWeekdayName(d.weekday);
        layout.control(kPageHeader, QStringLiteral("T") + n).caption = dateCaption(month, d.day);
        if (d.weekday == 0) {
            layout.control(kPageHeader, QStringLiteral("Shape") + n).setBackColor(kSundayShade);
            layout.control(kDetail, QStringLiteral("C") + n).setBackColor(kSundayShade);
        }
    }
}

} // namespace

std::optional<ClassItemText> splitClassItem(const QString& item) {
    const int colon = item.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return std::nullopt;
    // A grade holds no ":"; the class is the rest, whatever it holds.
    return ClassItemText{item.left(colon), item.mid(colon + 1)};
}

report::ReportRowset absenceRows(const QStringList& names) {
    report::ReportRowset rows = report::ReportRowset::withFields(kLastField);
    int number = 0;
    for (const QString& name : names) {
        rows.addRow();
        rows.set(QStringLiteral("d0"), QString::number(++number));
        rows.set(QStringLiteral("d1"), name);
        rows.set(QStringLiteral("d24"), QStringLiteral("0"));
        rows.set(QStringLiteral("d25"), QStringLiteral("0"));
    }
    return rows;
}

void fillAbsenceSheet(report::ReportLayout& layout, const AbsenceMonth& month,
                      const AbsenceSheetHeader& header, const QStringList& names) {
    // Nothing of an earlier sheet (another month's shading) carries over.
    layout.resetToDesign();
    fillDays(layout, month.month, schoolDays(month.firstWeekday, month.length));
    layout.setOrientation(report::Orientation::Landscape);
    layout.setPreviewWidth(kPreviewWidth);

    layout.control(kHeader, QStringLiteral("kl5")).caption = texts::kSheetTitle + texts::kOfMonth;
    layout.control(kHeader, QStringLiteral("class")).caption = monthCaption(month.month);
    layout.control(kHeader, QStringLiteral("Label2")).caption =
        header.cls.grade + QStringLiteral("( ") + header.cls.cls + QStringLiteral(" )");
    layout.control(kHeader, QStringLiteral("kl1")).caption = texts::kKingdom;
    layout.control(kHeader, QStringLiteral("kl2")).caption = texts::kMinistry;
    layout.control(kHeader, QStringLiteral("kl3")).caption = header.administration;
    layout.control(kHeader, QStringLiteral("kl4")).caption = header.school;
    layout.control(kFooter, QStringLiteral("Headmaster")).caption = header.principal;
    layout.control(kFooter, QStringLiteral("Label9")).caption = header.jobTitle;
    layout.control(kFooter, QStringLiteral("Label1")).caption.clear();
    if (!header.logo.isNull())
        layout.control(kHeader, QStringLiteral("image1")).picture = header.logo;

    layout.setDataSource(absenceRows(names));
}

} // namespace sijill::attendance
