#pragma once

#include "data/RecordSet.h"
#include "reports/ReportHeader.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace sijill::reports {

// The texts of a report header's class line, made from a class key.
struct ClassLine {
    QString gradeText; // a blank, then the grade without the words it drops
    QString classText; // the class part as it stands, blanks included
    QString line;      // gradeText [ classText ]
};

// The grade part with " عام ", " الكريم", "القرآن" and "القراّن" taken out.
// Where " عام " stood between two words one blank stays between them.
QString cleanGradeText(QString grade);

// The class line of a key "grade-class"; nullopt when the key has no "-".
std::optional<ClassLine> classLineOf(const QString& classKey);

// The name-list layouts in the order they are filled.
const QStringList& nameListLayoutNames();

// Fills every name-list layout for one class: each first goes back to its
// stored design, then gets the school header, the class line, the logo, its
// own caption, orientation and preview width, and the class's students as its
// rows. Throws report::ReportError when a layout or control cannot be reached.
void fillNameListHeaders(const SchoolHeader& school, const ClassLine& classLine,
                         const data::RecordSet& students);

} // namespace sijill::reports
