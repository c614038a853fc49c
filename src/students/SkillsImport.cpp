#include "students/SkillsImport.h"

#include "data/DataError.h"
#include "students/StudentsStore.h"
#include "students/WorkbookReader.h"

namespace sijill::students {

namespace {
const QString kSkillsSheet = QStringLiteral("EL_CourseSkillsReport");
constexpr int kFirstSkillRow = 15;
} // namespace

SkillsReport readSkillsReport(const Workbook& book) {
    SkillsReport report;
    const Sheet* sheet = book.sheet(kSkillsSheet);
    if (!sheet) {
        report.error = QStringLiteral("الملف لا يحوي الورقة %1، فهو ليس تقرير مهارات المقرر "
                                      "المصدر من نظام نور.")
                           .arg(quotedSheetName(kSkillsSheet));
        return report;
    }
    report.subject = sheet->text(8, col('C'));
    report.error = errorCellProblem(*sheet, 8, col('C'));
    for (int row = kFirstSkillRow; report.error.isEmpty(); ++row) {
        const QString period = sheet->text(row, col('D'));
        if (period.isEmpty())
            break;
        // An error value where a skill line's data belongs.
        for (const char column : {'D', 'H', 'L'})
            if (report.error.isEmpty())
                report.error = errorCellProblem(*sheet, row, col(column));
        report.lines.push_back({period, sheet->text(row, col('H')), sheet->text(row, col('L'))});
    }
    if (!report.error.isEmpty())
        report.lines.clear();
    return report;
}

SkillsOutcome importSkillsWorkbook(const QString& path, const QString& grade) {
    SkillsOutcome outcome;
    const WorkbookRead read = readWorkbook(path, {kSkillsSheet});
    if (!read.ok) {
        outcome.message = read.error;
        return outcome;
    }
    const SkillsReport report = readSkillsReport(read.book);
    if (!report.error.isEmpty()) {
        outcome.message = report.error;
        return outcome;
    }
    try {
        std::vector<SkillRecord> skills;
        skills.reserve(report.lines.size());
        for (const SkillLine& line : report.lines)
            skills.push_back({grade, report.subject, line.period, line.skill, line.order});
        appendSkills(skills);
    } catch (const data::DataError& e) {
        outcome.message = e.userMessage();
        return outcome;
    }
    outcome.ok = true;
    outcome.added = static_cast<int>(report.lines.size());
    return outcome;
}

} // namespace sijill::students
