#pragma once

#include "data/RecordSet.h"
#include "report/ReportModel.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace sijill::reports {

// What every header shows of the school.
struct SchoolHeader {
    QString administration; // profile kl3
    QString school;         // profile kl4
    QString year;           // profile kl2
    QImage logo;            // the main window's report logo
};

// What a header filler sets on one of its layouts beside the school header.
struct LayoutHeader {
    const char* name;
    QString label1; // empty: Label1 keeps its stored caption (or there is none)
    report::Orientation orientation;
    bool widePreview;
};

// The school header of one layout: kl1 to kl5, the class line and the logo.
void fillSchoolHeader(report::ReportLayout& layout, const SchoolHeader& school,
                      const QString& classLine);

// Names of a filler's layouts, in the order they are filled.
QStringList layoutNames(const std::vector<LayoutHeader>& table);

// Fills every layout of a table for one class: each first goes back to its
// stored design, then gets the school header, the class line, the logo, its
// own Label1, orientation and preview width, and the class's students as its
// rows; `extra` then sets what a filler owns on a layout itself. Throws
// report::ReportError when a layout or control cannot be reached.
void fillLayoutHeaders(const std::vector<LayoutHeader>& table, const SchoolHeader& school,
                       const QString& classLine, const data::RecordSet& students,
                       const std::function<void(report::ReportLayout&)>& extra = {});

} // namespace sijill::reports
