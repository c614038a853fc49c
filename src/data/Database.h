#pragma once

#include <QString>

namespace sijill::data {

// The five database files of the program folder's "Database" folder. Each is
// named for what it holds; the files keep their own names (Students is
// "MyDatabase.db", the students and their classes).
enum class Database { Students, Schedule, Employee, Labels, ElementarySkills };

// File name of a database, e.g. "Schedual.db".
QString databaseFileName(Database db);

// Full path of a database inside the current program folder.
QString databasePath(Database db);

} // namespace sijill::data
