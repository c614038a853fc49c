#pragma once

#include "platform/ProgramExit.h"
#include "students/WorkbookReader.h"
#include "support/ExitRecorder.h"
#include "support/TestHome.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace sijill::test {

inline QString fixture(const QString& name) {
    return QStringLiteral(SIJILL_FIXTURES_DIR "/") + name;
}

// Points the import at the reader program of this build.
inline void useBuiltReader() {
    students::setReaderProgram(QStringLiteral(SIJILL_XLS_READER_PATH));
    students::setReaderTimeLimitMs(0);
}

// The rows of a table as text, one "a|b|c" line per row in the given order.
QStringList tableRows(const QString& dbFile, const QString& sql);

inline QStringList studentRows() {
    return tableRows(QStringLiteral("MyDatabase.db"),
                     QStringLiteral("SELECT d0,d1,d2,d3,d4,d5,d6,d7,d8 FROM T1 ORDER BY id"));
}
inline QStringList classRows() {
    return tableRows(QStringLiteral("Schedual.db"),
                     QStringLiteral("SELECT kind,grade,class,order_it FROM grades ORDER BY id"));
}

// The bytes of every file of the data folder, to show that nothing was written.
std::map<QString, QByteArray> databaseBytes(const TestHome& home);

// A school already imported: two classes and three students.
void seedOldSchool(const TestHome& home);

} // namespace sijill::test
