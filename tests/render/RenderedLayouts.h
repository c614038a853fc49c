#pragma once

#include "render/LayoutFills.h"
#include "report/ReportPages.h"

#include <QString>

namespace sijill::test {

// Every layout filled with the longest texts, laid out once a process on a
// school seeded for them, on first use.
const report::LaidOutReport& filledLayout(const QString& name);

} // namespace sijill::test
