#include "students/ClassChanges.h"

#include "data/DataError.h"
#include "platform/SafeFileWriter.h"
#include "shell/SchoolInfoFile.h"
#include "students/StudentsStore.h"
#include "students/Texts.h"

namespace sijill::students {

AddClassResult addClass(const ClassItem& cls) {
    if (cls.kind.isEmpty() || cls.grade.isEmpty() || cls.cls.isEmpty())
        return AddClassResult::EmptyField;
    return insertClassUnlessThere({cls.kind, cls.grade, cls.cls, std::nullopt})
               ? AddClassResult::Added
               : AddClassResult::AlreadyThere;
}

namespace {

// The file's lines: its first line kept (the default header when the file is
// missing or empty), then one item per line.
QStringList classListFileLines(const QStringList& items) {
    const std::optional<QStringList> old = shell::readSchoolInfoLines(shell::schoolInfoPath());
    QString header = old && !old->isEmpty() ? old->front() : QString();
    if (header.isEmpty())
        header = texts::kIniDefaultHeader;
    return QStringList{header} + items;
}

const QString kNothingRemoved = QStringLiteral("لم يُحذف الفصل ولا طلابه.\r");

} // namespace

std::optional<QString> saveClassListFile(const QStringList& items) {
    return shell::writeSchoolInfoLines(shell::schoolInfoPath(), classListFileLines(items));
}

ClassRemoval removeClassAndSaveList(const ClassItem& cls, const QStringList& remainingItems) {
    // The file is made and written beside its place before the deletion is
    // committed, and renamed into place after it.
    const QString path = shell::schoolInfoPath();
    const shell::SchoolInfoText text = shell::encodeSchoolInfo(classListFileLines(remainingItems));
    if (!text.problem.isEmpty())
        return {false, kNothingRemoved + text.problem};
    platform::SafeFileWriter file(path);
    if (!file.prepare(text.bytes))
        return {false, kNothingRemoved + platform::fileNotWrittenMessage(path, file.reason())};
    try {
        deleteClassAndStudents(cls);
    } catch (const data::DataError& e) {
        return {false, kNothingRemoved + e.userMessage()};
    }
    if (!file.commit())
        return {true, QStringLiteral("تم حذف طلاب الفصل، ولم يُحدَّث ملف قائمة الفصول.\r") +
                          platform::fileNotWrittenMessage(path, file.reason())};
    return {true, {}};
}

} // namespace sijill::students
