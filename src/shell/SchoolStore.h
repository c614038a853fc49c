#pragma once

#include <QString>
#include <vector>

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

// Reads row id 1 (or, when there is none, the first row by id). Throws
// data::DataError when the database, the table or every row is missing.
SchoolProfile loadSchoolProfile();

// Writes row id 1, creating it when it is missing, so a save never reports
// success over nothing. Throws data::DataError.
void saveSchoolProfile(const SchoolProfile& profile);

// A class as the class list reads it from grades: its texts as stored.
struct ClassRecord {
    QString grade;
    QString cls;
};

// The classes in the order the program shows them: by grade text, then
// order_it descending, then class. Throws data::DataError.
std::vector<ClassRecord> loadClasses();

// How many students one class holds, its grade and class trimmed; students
// without a stage, a grade or a class are not counted.
struct ClassHeadcount {
    QString grade;
    QString cls;
    int students = 0;
};

// One count for every class that holds students. Throws data::DataError.
std::vector<ClassHeadcount> countStudentsPerClass();

// Deletes every student row in one transaction. Throws data::DataError.
void deleteAllStudentRows();

} // namespace sijill::shell
