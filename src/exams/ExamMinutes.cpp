#include "exams/ExamMinutes.h"

#include "data/Connection.h"
#include "data/DataError.h"
#include "data/ReportRows.h"
#include "exams/ExamPaperHeader.h"
#include "exams/MinutesTexts.h"
#include "report/ReportModel.h"
#include "shell/ClassList.h"

#include <algorithm>

namespace sijill::exams::minutes {

namespace {

constexpr int kItemParts = 7;
const QString kTop = QStringLiteral("Section4");
const QString kBody = QStringLiteral("Section2");
const QString kFooter = QStringLiteral("Section5");

QStringList partsOf(const data::RecordSet& rs, int row) {
    QStringList parts;
    for (int i = 1; i <= kItemParts; ++i)
        parts << rs.text(row, QStringLiteral("d%1").arg(i));
    return parts;
}

void fillHeader(report::ReportLayout& layout, const ExamPaperHeader& h) {
    layout.resetToDesign();
    fillExamPaperHeader(layout, h);
    layout.control(kFooter, QStringLiteral("Kl7")).caption = h.principal;
    layout.control(kFooter, QStringLiteral("kl8")).caption = h.preparer;
}

} // namespace

QString withArticle(const QString& subject) {
    const QString s = subject.trimmed();
    // Only a single word takes it: in "تربية بدنية" the article would belong
    // on both words, and "لغتي" (my language) takes none.
    const bool words = std::any_of(s.begin(), s.end(), [](QChar c) { return c.isSpace(); });
    if (s.isEmpty() || words || s.startsWith(texts::kThe) || s == texts::kMyLanguage)
        return s;
    return texts::kThe + s;
}

ChooserLoad loadChooserStudents(const QString& classKey) {
    ChooserLoad load;
    if (!shell::ClassKey::parts(classKey)) {
        load.failed = true;
        return load;
    }
    const auto [grade, cls] = shell::ClassKey::split(classKey);
    try {
        data::Connection c(data::Database::Students);
        const data::RecordSet rs =
            c.query(QStringLiteral("SELECT d1, d2, d3, d4, d5, d6, d7 FROM T1 WHERE d5 IS NOT NULL "
                                   "AND trim(d6) = ? AND trim(d7) = ? ORDER BY id"),
                    {grade, cls});
        for (int row = 0; row < rs.recordCount(); ++row) {
            if (rs.value(row, QStringLiteral("d1")).isNull()) {
                load.failed = true;
                return load;
            }
            const QStringList parts = partsOf(rs, row);
            load.students.push_back(
                {rs.text(row, QStringLiteral("d1")), parts.join(QLatin1Char(':')), parts});
        }
        load.failed = load.students.empty();
    } catch (const data::DataError&) {
        load.failed = true;
    }
    return load;
}

QString scheduleGradeOfKey(const QString& classKey) {
    QString grade = classKey.section(QLatin1Char('-'), 0, 0);
    grade.remove(texts::kStage);
    grade.remove(QStringLiteral("  "));
    return grade.trimmed();
}

data::RecordSet dayPeriodRows(const QString& date, const QString& period,
                              const std::optional<QString>& grade) {
    data::Connection c(data::Database::Schedule);
    // The grade is matched exactly: "خامس" never takes in "خامس مطور". Grade
    // positions are compared as numbers, so the tenth grade follows the ninth.
    const QString order = QStringLiteral(" ORDER BY D2, CAST(D0 AS INTEGER), D0, D8, ID");
    if (grade)
        return c.query(QStringLiteral("SELECT * FROM T1 WHERE D2 = ? AND D8 = ? AND trim(D3) = ?") +
                           order,
                       {date, period, grade->trimmed()});
    return c.query(QStringLiteral("SELECT * FROM T1 WHERE D2 = ? AND D8 = ?") + order,
                   {date, period});
}

std::optional<FoundDay> firstRow(const data::RecordSet& rows) {
    if (rows.isEmpty())
        return std::nullopt;
    auto t = [&rows](const char* f) { return rows.text(0, QString::fromLatin1(f)); };
    return FoundDay{t("D1") + QStringLiteral("   ") + t("D2"), t("D8"), t("D4"), t("D3")};
}

void fillStudentMinutes(report::ReportLayout& layout, const ExamPaperHeader& header,
                        const QStringList& student, const FoundDay& found) {
    fillHeader(layout, header);
    QStringList p = student;
    while (p.size() < kItemParts)
        p << QString();
    layout.control(kBody, QStringLiteral("Name")).caption = p[0];
    layout.control(kBody, QStringLiteral("Class1")).caption = p[4] + QLatin1Char(' ') + p[5];
    layout.control(kBody, QStringLiteral("Class2")).caption = p[6];
    layout.control(kBody, QStringLiteral("Day")).caption = found.day;
    layout.control(kBody, QStringLiteral("Period")).caption = found.period;
    layout.control(kBody, QStringLiteral("Subject")).caption = withArticle(found.subject);
}

void fillQuestionsOfDay(report::ReportLayout& layout, const ExamPaperHeader& header,
                        const FoundDay& found, const data::RecordSet& rows) {
    fillHeader(layout, header);
    layout.control(kBody, QStringLiteral("Day")).caption = found.day;
    layout.control(kBody, QStringLiteral("Period")).caption = found.period;
    layout.setDataSource(data::reportRows(rows));
}

void fillQuestionsOfSubject(report::ReportLayout& layout, const ExamPaperHeader& header,
                            const FoundDay& found, const data::RecordSet& rows) {
    fillHeader(layout, header);
    layout.control(kBody, QStringLiteral("Day")).caption = found.day;
    layout.control(kBody, QStringLiteral("Period")).caption = found.period;
    layout.control(kBody, QStringLiteral("Class1")).caption = found.grade;
    layout.control(kBody, QStringLiteral("subject")).caption = withArticle(found.subject);
    layout.setDataSource(data::reportRows(rows));
}

} // namespace sijill::exams::minutes
