#pragma once

#include "render/LayoutFills.h"
#include "report/ReportPages.h"

#include <QString>

namespace sijill::test {

// Every layout filled with one fill's texts, laid out once a process on a
// school seeded for that fill, on first use.
const report::LaidOutReport& filledLayout(const QString& name, Fill fill = Fill::Long);

} // namespace sijill::test
