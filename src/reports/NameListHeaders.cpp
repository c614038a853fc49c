#include "reports/NameListHeaders.h"

#include "platform/report/LayoutLibrary.h"

namespace sijill::reports {

namespace {

constexpr double kWidePreview = 16700;

struct LayoutHeader {
    const char* name;
    QString label1; // empty: Label1 keeps its stored caption (or there is none)
    report::Orientation orientation;
    bool widePreview;
};

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
    const QStringList parts = classKey.split(QLatin1Char('-'));
    if (parts.size() < 2)
        return std::nullopt;
    ClassLine c;
    c.gradeText = cleanGradeText(QLatin1Char(' ') + parts[0]);
    c.classText = parts[1];
    c.line = c.gradeText + QStringLiteral(" [ ") + c.classText + QStringLiteral("  ] ");
    return c;
}

const QStringList& nameListLayoutNames() {
    static const QStringList names = [] {
        QStringList n;
        for (const LayoutHeader& h : headers())
            n << QString::fromLatin1(h.name);
        return n;
    }();
    return names;
}

void fillNameListHeaders(const SchoolHeader& school, const ClassLine& classLine,
                         const data::RecordSet& students) {
    const QString top = QStringLiteral("Section4");
    for (const LayoutHeader& h : headers()) {
        report::ReportLayout& layout = report::layout(QString::fromLatin1(h.name));
        // Nothing of an earlier print carries over into this one.
        layout.resetToDesign();
        layout.control(top, QStringLiteral("kl1")).caption =
            QStringLiteral("المملكة العربية السعودية");
        layout.control(top, QStringLiteral("kl2")).caption = QStringLiteral("وزارة التعليم");
        layout.control(top, QStringLiteral("kl3")).caption = school.administration;
        layout.control(top, QStringLiteral("kl4")).caption = school.school;
        layout.control(top, QStringLiteral("kl5")).caption = school.year;
        layout.control(top, QStringLiteral("Class")).caption = classLine.line;
        if (!h.label1.isEmpty())
            layout.control(top, QStringLiteral("Label1")).caption = h.label1;
        if (layout.name().compare(QLatin1String("Quran1"), Qt::CaseInsensitive) == 0)
            layout.control(QStringLiteral("Section1"), QStringLiteral("Text2")).visible = false;
        if (!school.logo.isNull())
            layout.control(top, QStringLiteral("image1")).picture = school.logo;
        layout.setDataSource(students);
        layout.setOrientation(h.orientation);
        if (h.widePreview)
            layout.setPreviewWidth(kWidePreview);
    }
}

} // namespace sijill::reports
