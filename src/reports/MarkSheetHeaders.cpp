#include "reports/MarkSheetHeaders.h"

#include "data/ReportRows.h"
#include "report/LayoutLibrary.h"
#include "shell/ClassList.h"

namespace sijill::reports {

namespace {

const std::vector<LayoutHeader>& headers() {
    using report::Orientation;
    static const QString subject = QStringLiteral("المادة:");
    static const std::vector<LayoutHeader> table = {
        {"Marks", QStringLiteral("المعلم:"), Orientation::Portrait, false},
        {"HandExam", QStringLiteral("القرآن الكريم"), Orientation::Portrait, false},
        {"lang_grade_456", QStringLiteral("حاسب"), Orientation::Landscape, true},
        {"Lang4", subject, Orientation::Landscape, true},
        {"lang_grade_3", {}, Orientation::Landscape, true},
        {"lang_grade_3_1_period", {}, Orientation::Landscape, true},
        {"Final", subject, Orientation::Portrait, false},
        {"MarksPeriod", subject, Orientation::Portrait, false},
    };
    return table;
}

ClassLine lineOf(const QString& grade, const QString& cls) {
    return {grade, cls, grade + QStringLiteral(" [ ") + cls + QStringLiteral("  ]")};
}

} // namespace

std::optional<ClassLine> markClassLineOf(const QString& classKey) {
    const std::optional<shell::ClassKey> parts = shell::ClassKey::parts(classKey);
    if (!parts)
        return std::nullopt;
    return lineOf(parts->grade, parts->cls);
}

const QStringList& markSheetLayoutNames() {
    static const QStringList names = layoutNames(headers());
    return names;
}

void fillMarkSheetHeaders(const SchoolHeader& school, const ClassLine& classLine,
                          const data::RecordSet& students) {
    // The readings sheet's headings go back to their stored design too.
    fillLayoutHeaders(headers(), school, classLine.line, students);
}

QString quranCleanedKey(QString classKey) {
    for (const QString& word :
         {QStringLiteral("القرآن"), QStringLiteral("القراّن"), QStringLiteral("الكريم")})
        classKey.remove(word, Qt::CaseSensitive);
    classKey.replace(QStringLiteral("الثانوية"), QStringLiteral("الثانوي"), Qt::CaseSensitive);
    return classKey;
}

std::optional<ClassLine> quranClassLineOf(const QString& classKey) {
    if (!shell::ClassKey::parts(classKey))
        return std::nullopt;
    const shell::ClassKey k = shell::ClassKey::split(classKey);
    return lineOf(quranCleanedKey(k.grade).trimmed(), quranCleanedKey(k.cls).trimmed());
}

void fillReadingsHeader(const SchoolHeader& school, const ClassLine& classLine,
                        const data::RecordSet& students) {
    report::ReportLayout& layout = report::layout(kReadingsLayout);
    layout.resetToDesign();
    fillSchoolHeader(layout, school, classLine.line);
    layout.setDataSource(data::reportRows(students));
}

} // namespace sijill::reports
