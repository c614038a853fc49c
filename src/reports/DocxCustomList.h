#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace sijill::reports {

struct CustomListRow {
    QString number; // number in class (d0)
    QString civil;  // civil-registry number (d3)
    QString name;   // d1
};

// What the custom class list shows: the school header of every page and one
// row per student.
struct CustomList {
    QString semester, year, classKey, administration, school;
    bool landscape = false; // a landscape A4 page and a wide notes column
    std::vector<CustomListRow> rows;
};

// Builds the custom list as a .docx made from the template at
// `templatePath`: its styles and page are the start; the page header gets the
// school's header table, the body the bordered list table. Throws ExportError.
QByteArray buildCustomListDocx(const QString& templatePath, const CustomList& list);

// Twips of a length in centimetres, as the word processor rounds it.
int cmToTwips(double cm);

} // namespace sijill::reports
