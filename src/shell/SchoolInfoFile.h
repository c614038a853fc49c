#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace sijill::shell {

// "SchoolInfo.ini" in the working directory: one item a line, in the Arabic
// Windows code page 1256, every line ending in CR LF.
QString schoolInfoPath();

// Writes `lines` to `path` (replacing the file) in code page 1256 with CR LF
// line ends. Returns false, leaving any old file as it was, when a text holds a
// character the code page lacks or the file cannot be written.
bool writeSchoolInfoLines(const QString& path, const QStringList& lines);

// The lines of `path` decoded from code page 1256, without their line ends;
// nothing when the file cannot be read or is not valid in that code page.
std::optional<QStringList> readSchoolInfoLines(const QString& path);

// The first line the delete-all writes: the school's name, or the stored
// placeholder when the name is empty.
QString schoolInfoHeader(const QString& schoolName);

} // namespace sijill::shell
