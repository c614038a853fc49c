#pragma once

#include "report/ReportData.h"

#include <memory>

namespace sijill::data {

class RecordSet;

// A snapshot of a record set as a report layout's rows: the values are copied
// as text at once, so a preview keeps the rows it opened with.
std::shared_ptr<const report::ReportDataSource> reportRows(const RecordSet& records);

} // namespace sijill::data
