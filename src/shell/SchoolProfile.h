#pragma once

#include "shell/SchoolStore.h"

#include <QString>

namespace sijill::shell {

// The administration text of a profile nobody has filled in yet.
QString unsetAdministration();

// The design texts of the profile boxes; what an empty table reads as.
SchoolProfile designSchoolProfile();

// True while the administration still holds the unset text (exact comparison).
bool isUnfinished(const QString& administration);

} // namespace sijill::shell
