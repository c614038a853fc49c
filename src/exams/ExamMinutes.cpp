#include "exams/ExamMinutes.h"

#include "data/DataError.h"
#include "data/ReportRows.h"
#include "exams/ExamPaperHeader.h"
#include "exams/ExamsStore.h"
#include "exams/MinutesTexts.h"
#include "report/ReportModel.h"
#include "shell/ClassList.h"
#include "students/StudentsStore.h"

#include <algorithm>

namespace sijill::exams::minutes {

namespace {

constexpr int kItemParts = 7;
const QString kTop = QStringLiteral("Section4");
const QString kBody = QStringLiteral("Section2");
const QString kFooter = QStringLiteral("Section5");

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
        for (const sijill::students::StagedStudent& staged :
             sijill::students::stagedClassStudents(grade, cls)) {
            if (!staged.hasName) {
                load.failed = true;
                return load;
            }
            const sijill::students::StudentRecord& s = staged.student;
            const QStringList parts{s.name, s.phone, s.civil, s.examFlag, s.stage, s.grade, s.cls};
            load.students.push_back({parts.value(0), parts.join(QLatin1Char(':')), parts});
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

std::optional<FoundDay> firstRow(const data::RecordSet& rows) {
    if (rows.isEmpty())
        return std::nullopt;
    const ScheduleRow r = scheduleRowAt(rows, 0);
    return FoundDay{r.weekday + QStringLiteral("   ") + r.date, r.period, r.subject, r.grade};
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
