#pragma once

#include <QString>

namespace sijill::platform {

// The folder holding "Database", "layouts" and "templates": SIJILL_HOME when
// set, otherwise the executable's own folder.
QString programFolder();

} // namespace sijill::platform
