#pragma once

#include "report/ReportData.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace sijill::report {
class ReportLayout;
}

namespace sijill::labels {

// The sheet the labels panel asks for (CommitteePrintMode).
enum class SeatSheet { ClassLabels = 0, Distribution = 1, Signatures = 2 };

inline const QString kClassLabelsLayout = QStringLiteral("LabelP");
inline const QString kDistributionLayout = QStringLiteral("LabelNames");
inline const QString kSignaturesLayout = QStringLiteral("ExSign");

// Number of subject headings on the signature sheet (Label5 .. Label12).
inline constexpr int kSignatureSubjects = 8;

const QString& layoutOf(SeatSheet sheet);

// A student as the sheets print him.
struct SeatStudent {
    QString name;
    QString registry; // civil-registry number
};

// A class of the main window's class list.
struct ClassPlace {
    int position = -1; // in the class list, from 0
    QString grade;     // trimmed
    QString cls;       // trimmed; "*" reads as empty
};

// The class-list item the panel's class text names: the first two parts of
// `chosen` split at "-" form the key, which must equal an item exactly (both
// trimmed), so class 1 never finds class 10. nullopt when none does.
std::optional<ClassPlace> findClass(const QString& chosen, const QStringList& classKeys);

// The seat prefix of a class text: "1", "2" or "3" by the grade word it
// holds (a later test wins), empty for other grades.
QString seatPrefix(const QString& classText);

// A running number as a seat prints it: two digits at least.
QString seatNumberText(int n);

// Where continuous numbering over a grade starts for the class at
// `position`: the students of the class-list items of the same grade before
// it. Each count is element j + 1 of `classCounts` split at "|"; a missing or
// unreadable element is asked of `countOf` (grade, class).
int gradeNumberingStart(const QStringList& classKeys, int position, const QString& classCounts,
                        const std::function<int(const QString&, const QString&)>& countOf);

// The class's students in their order in class (grade and class matched
// exactly after trimming). Throws data::DataError.
std::vector<SeatStudent> loadSeatStudents(const QString& grade, const QString& cls);

// The rows of one sheet. `before` is the running number before the first
// seat. Labels and the distribution list take two students to a record (d1,
// d7, d3 the first; d2, d8, d5 the second; d4 the class text, d6 the
// committee); an odd last student's record leaves the second half empty, seat
// number included. The signature sheet takes one student to a record (d0 seat, d1
// name, d2 registry).
struct SeatRows {
    report::ReportRowset rows;
    QString lastNumberText; // the number text of the last seat given
};
SeatRows buildSeatRows(SeatSheet sheet, const std::vector<SeatStudent>& students,
                       const QString& prefix, int before, const QString& classText,
                       const QString& committee);

// The grade's exam subjects in date order, the first period before the
// second on the same day; the grade is matched exactly as the schedule
// stores it. Throws data::DataError.
QStringList gradeExamSubjects(const QString& grade);

// LabelP back to its design with these rows.
report::ReportLayout& fillClassLabels(const report::ReportRowset& rows);

// LabelNames back to its design with these rows, the class text and the
// committee in its header.
report::ReportLayout& fillDistributionList(const report::ReportRowset& rows,
                                           const QString& classText, const QString& committee);

// What the signature sheet's header shows.
struct SignatureHeader {
    QString administration; // profile kl3
    QString school;         // kl4
    QString year;           // kl2
    QString semester;       // kl1
    QString committee;
    QString grade, cls;
    QImage logo;
};

// The class line: grade, "-", class and brackets left blank. The sheet is of
// the chosen class alone: no text of another print stands between them.
QString signatureClassLine(const SignatureHeader& header);

// ExSign back to its design with these rows, the header and the first eight
// subjects over the signature columns (headings beyond them stay empty).
report::ReportLayout& fillSignatureSheet(const report::ReportRowset& rows,
                                         const SignatureHeader& header,
                                         const QStringList& subjects);

} // namespace sijill::labels
