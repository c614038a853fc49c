#pragma once

#include "students/Workbook.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace sijill::students {

// One student row of the workbook's "Sheet2", as read (the name already has
// its hamza forms of alef made plain).
struct WorkbookStudent {
    int row = 0;       // the workbook row, counted from 1
    QString classCode; // column D, its digits made Latin
    QString cls;       // column C, trimmed, its digits made Latin
    QString name;      // column E
    QString civil;     // column F, its digits made Latin
    QString spare;     // column B, unused
};

// One row of the students table as the import writes it, d0 to d8.
struct ImportedStudent {
    QString d0, d1, d2, d3, d4, d5, d6, d7, d8;
};

// The grade word of a grade number 0..6 ("" for 0).
QString gradeWord(int grade);
// The rank of a grade word, 1..6, or nothing for any other word.
std::optional<int> gradeOrder(const QString& word);
// The order_it of a class of the grade word: its rank 1..6, and 0 for the
// empty word of grade "00" wherever that class stands in the list.
int classOrder(const QString& word);
// The grade number that a class code starts with: its first two characters
// as a number from 0 to 6, or nothing.
std::optional<int> gradeNumberOfCode(const QString& classCode);
// Six times over, every two adjacent blanks become one.
QString cleanClassCode(QString code);
// Every alef with madda, hamza above or hamza below becomes a plain alef.
QString plainAlef(QString name);
// The stored name: trimmed, then the digits 0..3 replaced by the alef forms.
QString storedName(const QString& name);
// The exam flag: "0" when the name's first two characters read as a number
// below 3, otherwise "1".
QString examFlag(const QString& storedName);
// A number with at least two digits ("07").
QString twoDigits(int n);

// The students of the working list, sorted (Arabic, letter case ignored) on
// the line of cleaned class code, class, name, number and column B, then
// numbered from 01 within each class.
std::vector<ImportedStudent> numberStudents(const std::vector<WorkbookStudent>& rows);

// The refusal for a workbook that lacks "Sheet1" or "Sheet2", or "".
QString missingSheetError(const Workbook& book);
// True when B3 of "Sheet1" holds exactly "School Info".
bool hasSchoolInfoMark(const Workbook& book);

struct StudentRows {
    std::vector<WorkbookStudent> rows;
    QString error; // Arabic, for the user; rows is then empty
};

// The student rows of "Sheet2" from row 5 to the first empty cell of column
// D. Refused, naming the row, the column and the value, when a class code
// does not start with a grade number 00..06, a class is not a whole number or
// a name is empty, and when there is no row at all. Arabic-Indic digits of
// the code, the class and the civil-registry number become 0-9. `rowRead` is
// told of every row as it is read.
StudentRows
readStudentRows(const Workbook& book,
                const std::function<void(int count, const QString& name)>& rowRead = {});

// Replaces the students table and the class table together in one
// transaction on one connection. Throws data::DataError; then nothing changed.
void replaceStudentsAndClasses(const std::vector<ImportedStudent>& students);

// The whole import, short of the windows.
struct ImportHooks {
    // Asked when the mark is missing; true goes on.
    std::function<bool()> goOnWithoutMark;
    std::function<void(const QString&)> status;
    std::function<void(int count, const QString& name)> rowRead;
};

struct ImportOutcome {
    enum class Result { Imported, Cancelled, Refused };
    Result result = Result::Refused;
    QString message; // why it was refused
    int students = 0;
};

ImportOutcome importStudentsWorkbook(const QString& path, const ImportHooks& hooks);

} // namespace sijill::students
