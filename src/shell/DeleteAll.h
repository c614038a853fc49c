#pragma once

#include <QString>
#include <optional>

namespace sijill::shell {

// Deletes every student and starts "SchoolInfo.ini" anew with its first line,
// step by step: the per-user copy of the students database (a Windows matter,
// skipped where LOCALAPPDATA is unset), the rows of T1, the file. Stops at the
// first step that fails and returns its reason in Arabic; nothing on success.
std::optional<QString> deleteAllStudents(const QString& schoolName);

// Where the window system's file virtualisation keeps a per-user copy of the
// students database; empty where LOCALAPPDATA is unset.
QString perUserDatabaseCopy();

} // namespace sijill::shell
