#pragma once

#include "labels/CustomLabels.h"
#include "report/ReportData.h"

#include <vector>

namespace sijill::report {
class ReportLayout;
}

namespace sijill::labels {

// The layout the custom labels print on.
inline constexpr const char* kCustomLabelLayout = "LabelPCus";

// The print's rows: two labels to a row, d0..d3 the first label of a pair
// (class, name, number, committee; printed on the right), d4..d7 the second
// (on the left). With an odd count the last row's second label stays empty.
report::ReportRowset customLabelRows(const std::vector<CustomLabel>& labels);

// LabelPCus back to its design with these labels as its rows. ReportError
// when the layout cannot be loaded.
report::ReportLayout& fillCustomLabelLayout(const std::vector<CustomLabel>& labels);

} // namespace sijill::labels
