#pragma once

#include "support/TestHome.h"

#include <QStringList>

namespace sijill::test {

// One school whose names carry every separator and format character the
// program joins, splits or formats with: "-", ":", "|", "'", '"', "%1", "%",
// "&", "<", blanks at both ends, Arabic-Indic and Latin digits. Grade "أول"
// holds the classes "1", "1-أ", "1:ب" and "%1 & <ج>"; grade "ثاني" the class
// ' 2|"د" ' (blanks kept as stored). Written straight into the databases.
void seedOddNamesSchool(const TestHome& home);

// The students as stored, "d0|d1|d2|d3|d4|d5|d6|d7" in id order (ids 1 to 9).
QStringList oddNamesStudents();
// The students of one class of the fixture, in the same form.
QStringList oddNamesStudentsOf(const QString& cls);
// The class rows as stored, "kind|grade|class|order_it" in id order.
QStringList oddNamesClasses();

} // namespace sijill::test
