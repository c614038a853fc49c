#pragma once

#include "report/ReportModel.h"
#include "reports/NameListHeaders.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace sijill::reports {

// The mark sheets' class line of a key "grade-class": the grade and class
// parts as they stand, "grade [ class  ]"; nullopt when the key has no "-".
std::optional<ClassLine> markClassLineOf(const QString& classKey);

// The mark-sheet layouts in the order they are filled.
const QStringList& markSheetLayoutNames();

// Fills every mark-sheet layout for one class: each first goes back to its
// stored design, then gets the school header, the class line, the logo, its
// own subject line, orientation and preview width, and the class's students
// as its rows. Throws report::ReportError when a layout or control cannot be
// reached.
void fillMarkSheetHeaders(const SchoolHeader& school, const ClassLine& classLine,
                          const data::RecordSet& students);

// The class key as the Quran-school sheets show it: without "القرآن", its
// spelling with alef and shadda, and "الكريم"; "الثانوية" written "الثانوي".
QString quranCleanedKey(QString classKey);

// The Quran-school class line of a key: its cleaned grade and class parts,
// trimmed, "grade [ class  ]"; nullopt when the key has no "-".
std::optional<ClassLine> quranClassLineOf(const QString& classKey);

// The readings sheet's layout, shared with the mark sheets.
inline const QString kReadingsLayout = QStringLiteral("lang_grade_456");

// Fills the header of the readings sheet for one class (the Quran-school
// class filler): stored design first, then the school header, the class line,
// the logo and the students. Orientation and preview width stay as stored.
void fillReadingsHeader(const SchoolHeader& school, const ClassLine& classLine,
                        const data::RecordSet& students);

} // namespace sijill::reports
