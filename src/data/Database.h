#pragma once

#include <QString>

namespace sijill::data {

// The five database files of the program folder's "Database" folder.
enum class Database { MyDatabase, Schedule, Employee, Labels, ElementarySkills };

// File name of a database, e.g. "Schedual.db".
QString databaseFileName(Database db);

// Full path of a database inside the current program folder.
QString databasePath(Database db);

} // namespace sijill::data
