#pragma once

#include "students/Workbook.h"

#include <QString>
#include <QStringList>

namespace sijill::students {

// What a file's first bytes say it is.
// OldXls: the bare records of Excel 2.x to 4.0, without a container.
enum class FileKind { Xls, OldXls, Xlsx, Html, Xml, Empty, Unknown, Missing };
FileKind sniffFile(const QString& path);

struct WorkbookRead {
    bool ok = false;
    Workbook book;
    QString error; // Arabic, for the user, when !ok
};

// Reads the named sheets of an .xls workbook through the reader program, in a
// child process with a time limit: a file that crashes or stalls the reader
// is reported as damaged. Files of another kind are named for what they are.
// A sheet the workbook lacks is no error here; the caller looks for it.
WorkbookRead readWorkbook(const QString& path, const QStringList& sheets);

// The reader program: SIJILL_XLS_READER when set, otherwise "sijill-xls-reader"
// beside the running executable. Tests point it elsewhere.
QString readerProgram();
void setReaderProgram(const QString& path); // empty restores the default
void setReaderTimeLimitMs(int ms);          // 0 or less restores the default

// The message shown for a file of the given kind that is not a usable .xls.
QString fileKindMessage(FileKind kind, const QString& path);

// A sheet's Latin name, quoted and kept whole inside an Arabic message.
QString quotedSheetName(const QString& name);

} // namespace sijill::students
