#pragma once

#include <QString>

namespace sijill::shell {

// The school's profile: the one row (id 1) of MyInfo in Schedual. Every report
// header and footer and both name exports read these texts.
struct SchoolProfile {
    QString Admin;        // administrationBox
    QString School;       // schoolBox
    QString ThisYear;     // yearBox
    QString ThisSemester; // semesterBox
    QString Job;          // jobTitleBox
    QString ThisName;     // principalBox
    QString name_2;       // firstPreparerBox
    QString name_3;       // secondPreparerBox
    int Gender = 1;       // 1 boys, 2 girls; other stored values read as 0

    bool operator==(const SchoolProfile&) const = default;
};

// The administration text of a profile nobody has filled in yet.
QString unsetAdministration();

// The design texts of the profile boxes; what an empty table reads as.
SchoolProfile designSchoolProfile();

// True while the administration still holds the unset text (exact comparison).
bool isUnfinished(const QString& administration);

// Reads row id 1 (or, when there is none, the first row by id). Throws
// data::DataError when the database, the table or every row is missing.
SchoolProfile loadSchoolProfile();

// Writes row id 1, creating it when it is missing, so a save never reports
// success over nothing. Throws data::DataError.
void saveSchoolProfile(const SchoolProfile& profile);

} // namespace sijill::shell
