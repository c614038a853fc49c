#pragma once

#include <QString>
#include <optional>

namespace sijill::platform {

// The folder holding "layouts" and "templates", what ships and never changes:
// SIJILL_HOME when set, otherwise the executable's own folder.
QString programFolder();

// The folder holding the school's data, "Database" and "SchoolInfo.ini":
// SIJILL_HOME when set, otherwise the user's application data folder, so a
// rebuild or a deleted build folder never touches a school.
QString dataFolder();

// Start-up: makes the data folder, seeds it on first use (without SIJILL_HOME)
// from the databases of `seedFolder`/Database and a "SchoolInfo.ini" of the
// working folder the program was started in, never over an existing file, and
// makes the data folder the working folder. Nothing on success, else the
// user's message in Arabic.
std::optional<QString> enterDataFolder(const QString& seedFolder);

} // namespace sijill::platform
