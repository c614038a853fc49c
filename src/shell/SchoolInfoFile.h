#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace sijill::shell {

// "SchoolInfo.ini" in the working directory: one item a line, in the Arabic
// Windows code page 1256, every line ending in CR LF.
QString schoolInfoPath();

// A text as the file can hold it: Arabic-Indic digits as 0-9, the Persian yeh
// as the Arabic one.
QString schoolInfoSafe(const QString& text);

// The file's bytes for `lines` (each made safe first), or, when a character
// still has no place in the code page, a message naming it and its field
// (line 1 the school's name, the others classes).
struct SchoolInfoText {
    QByteArray bytes;
    QString problem;
};
SchoolInfoText encodeSchoolInfo(const QStringList& lines);

// Writes `lines` to `path` whole or not at all; nothing on success, else the
// user's message naming the file or the character that cannot be stored.
std::optional<QString> writeSchoolInfoLines(const QString& path, const QStringList& lines);

// The lines of `path` decoded from code page 1256, without their line ends;
// nothing when the file cannot be read or is not valid in that code page.
std::optional<QStringList> readSchoolInfoLines(const QString& path);

// The first line the delete-all writes: the school's name, or the stored
// placeholder when the name is empty.
QString schoolInfoHeader(const QString& schoolName);

} // namespace sijill::shell
