#include "reports/NameListHeaders.h"

#include "report/LayoutLibrary.h"
#include "shell/ClassList.h"

namespace sijill::reports {

namespace {

const std::vector<LayoutHeader>& headers() {
    using report::Orientation;
    static const QString quran = QStringLiteral("القرآن الكريم");
    static const QString subject = QStringLiteral("المادة:");
    static const std::vector<LayoutHeader> table = {
        {"Quran", quran, Orientation::Landscape, true},
        {"Quran1", quran, Orientation::Portrait, false},
        {"StudentsNames", {}, Orientation::Portrait, false},
        {"Weeks4", subject, Orientation::Landscape, true},
        {"Weeks", subject, Orientation::Landscape, true},
        {"Land30", subject, Orientation::Landscape, true},
        {"SNamesLand", subject, Orientation::Landscape, true},
        {"MyLangUnit", subject, Orientation::Landscape, true},
        {"Lang2", QStringLiteral("لغتي الوحدة:"), Orientation::Portrait, false},
        {"AbcentWeek", {}, Orientation::Landscape, true},
        {"FollowUp", {}, Orientation::Landscape, false},
        {"Books", QStringLiteral("كشف باستلام الكتب"), Orientation::Portrait, false},
        {"General", QStringLiteral("كشف عام"), Orientation::Portrait, false},
    };
    return table;
}

void removeAll(QString& text, const QString& word) {
    text.remove(word, Qt::CaseSensitive);
}

} // namespace

QString cleanGradeText(QString grade) {
    // The word between two others leaves one blank, so they stay two words.
    const QString general = QStringLiteral(" عام ");
    while (grade.contains(general))
        grade.replace(general, QStringLiteral(" "));
    removeAll(grade, QStringLiteral(" الكريم"));
    removeAll(grade, QStringLiteral("القرآن"));
    removeAll(grade, QStringLiteral("القراّن"));
    return grade;
}

std::optional<ClassLine> classLineOf(const QString& classKey) {
    const std::optional<shell::ClassKey> parts = shell::ClassKey::parts(classKey);
    if (!parts)
        return std::nullopt;
    ClassLine c;
    c.gradeText = cleanGradeText(QLatin1Char(' ') + parts->grade);
    c.classText = parts->cls;
    c.line = c.gradeText + QStringLiteral(" [ ") + c.classText + QStringLiteral("  ] ");
    return c;
}

const QStringList& nameListLayoutNames() {
    static const QStringList names = layoutNames(headers());
    return names;
}

void fillNameListHeaders(const SchoolHeader& school, const ClassLine& classLine,
                         const data::RecordSet& students) {
    fillLayoutHeaders(headers(), school, classLine.line, students, [](report::ReportLayout& l) {
        if (l.name().compare(QLatin1String("Quran1"), Qt::CaseInsensitive) == 0)
            l.control(QStringLiteral("Section1"), QStringLiteral("Text2")).visible = false;
    });
}

} // namespace sijill::reports
