#pragma once

#include "students/Workbook.h"

#include <QString>
#include <vector>

namespace sijill::students {

// One skill line of a course-skills report.
struct SkillLine {
    QString period; // column D
    QString skill;  // column H
    QString order;  // column L
};

struct SkillsReport {
    QString subject; // C8
    std::vector<SkillLine> lines;
    QString error; // Arabic, when the report cannot be used
};

// The lines of sheet "EL_CourseSkillsReport" from row 15 to the first row
// whose column D is empty ("" only: a cell of blanks is a line).
SkillsReport readSkillsReport(const Workbook& book);

struct SkillsOutcome {
    bool ok = false;
    int added = 0;
    QString message; // why nothing was added
};

// Appends the report's lines to elemn_skills, each tagged with `grade` and the
// subject, all in one transaction: a failure adds none.
SkillsOutcome importSkillsWorkbook(const QString& path, const QString& grade);

} // namespace sijill::students
