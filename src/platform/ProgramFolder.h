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

// True when SIJILL_HOME names the data folder.
bool dataFolderFromEnvironment();

// Start-up: makes the data folder (without SIJILL_HOME) and its "Database"
// folder, makes it the working folder, and remembers `seedFolder`, whose
// "Database" holds the empty databases that ship, and the folder the program
// was started in, for the copies below. Nothing on success, else the user's
// message in Arabic: a full disk and a folder the user may not write in are
// told as such.
std::optional<QString> enterDataFolder(const QString& seedFolder);

// Copies the empty database `fileName` that ships into the data folder's
// "Database", never over an existing file. Nothing on success, else the
// user's message.
std::optional<QString> copyShippedDatabase(const QString& fileName);

// Without SIJILL_HOME, copies a "SchoolInfo.ini" of the folder the program
// was started in into a data folder that has none. Nothing on success (or
// nothing to copy), else the user's message.
std::optional<QString> copyStartedSchoolInfo();

} // namespace sijill::platform
