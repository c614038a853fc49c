#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace sijill::shell {

// Start-up, once the data folder's lock is ours: removes the temporary files
// of writes a killed copy never finished, fills the "Database" folder of a
// new data folder (one without SIJILL_HOME that holds none of the databases)
// with the empty ones that ship, and in any other folder makes empty copies of
// the missing databases only where `confirm`, given the question, says yes,
// and upgrades the databases an older build made.
// Copies a missing "SchoolInfo.ini" from where the program was started.
// Returns the user's messages for what could not be done.
QStringList settleDataFolder(const std::function<bool(const QString& question)>& confirm);

} // namespace sijill::shell
