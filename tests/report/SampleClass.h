#pragma once

#include "report/ReportData.h"
#include "report/ReportModel.h"

namespace sijill::test {

// A generated class in the shape of the students table: d0 number in class,
// d1 name, d2 phone, d3 civil registry number, d4 .. d8 as the import leaves
// them.
report::ReportRowset sampleClass(int students);

// Fills the school header of a layout as the name-list filler does, with
// sample school values (controls a layout lacks are skipped).
void fillSampleHeader(report::ReportLayout& layout);

} // namespace sijill::test
