#include "reports/ReportHeader.h"

#include "data/ReportRows.h"
#include "report/LayoutLibrary.h"

namespace sijill::reports {

namespace {
constexpr double kWidePreview = 16700;
const QString kTop = QStringLiteral("Section4");
} // namespace

void fillSchoolHeader(report::ReportLayout& layout, const SchoolHeader& school,
                      const QString& classLine) {
    layout.control(kTop, QStringLiteral("kl1")).caption =
        QStringLiteral("المملكة العربية السعودية");
    layout.control(kTop, QStringLiteral("kl2")).caption = QStringLiteral("وزارة التعليم");
    layout.control(kTop, QStringLiteral("kl3")).caption = school.administration;
    layout.control(kTop, QStringLiteral("kl4")).caption = school.school;
    layout.control(kTop, QStringLiteral("kl5")).caption = school.year;
    layout.control(kTop, QStringLiteral("Class")).caption = classLine;
    if (!school.logo.isNull())
        layout.control(kTop, QStringLiteral("image1")).picture = school.logo;
}

QStringList layoutNames(const std::vector<LayoutHeader>& table) {
    QStringList names;
    for (const LayoutHeader& h : table)
        names << QString::fromLatin1(h.name);
    return names;
}

void fillLayoutHeaders(const std::vector<LayoutHeader>& table, const SchoolHeader& school,
                       const QString& classLine, const data::RecordSet& students,
                       const std::function<void(report::ReportLayout&)>& extra) {
    for (const LayoutHeader& h : table) {
        report::ReportLayout& layout = report::layout(QString::fromLatin1(h.name));
        // Nothing of an earlier print carries over into this one.
        layout.resetToDesign();
        fillSchoolHeader(layout, school, classLine);
        if (!h.label1.isEmpty())
            layout.control(kTop, QStringLiteral("Label1")).caption = h.label1;
        if (extra)
            extra(layout);
        layout.setDataSource(data::reportRows(students));
        layout.setOrientation(h.orientation);
        if (h.widePreview)
            layout.setPreviewWidth(kWidePreview);
    }
}

} // namespace sijill::reports
