#pragma once

#include <QString>
#include <optional>

namespace sijill::shell {

// Deletes every student and starts "SchoolInfo.ini" anew with its first line:
// the file's new text is checked and written to a temporary file first, then
// the per-user copy of the students database goes (a Windows matter, skipped
// where LOCALAPPDATA is unset), the student rows are deleted in one
// transaction, and the file is renamed into place. A failure before the deletion changes
// nothing; every failure returns what was and was not done, in Arabic.
std::optional<QString> deleteAllStudents(const QString& schoolName);

// Where the window system's file virtualisation keeps a per-user copy of the
// students database; empty where LOCALAPPDATA is unset.
QString perUserDatabaseCopy();

} // namespace sijill::shell
