#pragma once

#include "data/Database.h"

#include <QString>
#include <optional>

namespace sijill::data {

// The schema version this program reads and writes in a database file, as
// the empty file that ships declares it (PRAGMA user_version).
int schemaVersion(Database db);

// Which of the program's databases a file is, by its name ("Schedual.db").
std::optional<Database> databaseNamed(const QString& fileName);

// Brings one database of the data folder to this program's schema version.
// A file made before the files declared a version is first classed by its
// schema. Every change of one file is made in one transaction, so the file
// stays as it was until the upgrade commits. Returns the user's message for
// a file made by a newer program (which is never written to) and for an
// upgrade that failed; nothing for a missing or damaged file, which is told
// where it is used.
std::optional<QString> upgradeDatabase(Database db);

} // namespace sijill::data
