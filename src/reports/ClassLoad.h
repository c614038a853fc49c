#pragma once

#include "data/RecordSet.h"

#include <QString>

namespace sijill::reports {

// What the name-list menu asks the next class load to do with the class it
// loads: write it to Excel or to Word. NameListIndex is the menu item chosen
// last; the Word export reads it for the page's orientation.
struct ExportRequest {
    bool ExportExcelFlag = false;
    bool ExportWordFlag = false;
    int NameListIndex = -1;
};

// The students of one class, every stored column, in the order of their
// number in class compared as text (rows with the same number by name). Grade
// and class are matched exactly after trimming, so class 1 never takes in 10
// or 11.
// Throws data::DataError.
data::RecordSet loadClassStudents(const QString& grade, const QString& cls);

// The main window's loaded class and the texts of its report header line,
// shared by every print menu.
class ClassData {
public:
    // The class load: the students of the class `classKey` names ("grade-class")
    // replace ClassRecordset, and the trimmed grade goes into HeaderClassText.
    // On any failure ClassRecordset is left empty, never holding another
    // class's rows, and false is returned with the reason in Arabic in
    // loadError().
    bool load(const QString& classKey);

    const QString& loadError() const { return loadError_; }

    // Hands over the armed export request and clears it, so only the first
    // load after the request carries it out.
    ExportRequest takeExportRequest();

    data::RecordSet ClassRecordset;
    QString HeaderGradeText;
    QString HeaderClassText;
    ExportRequest exports;

private:
    QString loadError_;
};

} // namespace sijill::reports
