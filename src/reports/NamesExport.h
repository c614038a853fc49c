#pragma once

#include "data/RecordSet.h"
#include "reports/ClassLoad.h"
#include "shell/Ask.h"
#include "shell/SchoolProfile.h"

#include <QString>
#include <functional>

namespace sijill::reports {

// The workbook and document templates of the names exports.
QString excelTemplatePath();
QString wordTemplatePath();

// The class as the workbook's class cell shows it: the key without the stage
// words ("المتوسطة" before "المتوسط", "الثانوية" before "الثانوي") and dashes.
QString excelClassLabel(const QString& classKey);

// Where the names exports (the Excel copy and the Word documents) are saved:
// the desktop, or the home folder when this user has no desktop folder.
QString namesExportFolder();

// A class key made safe as a file name (no folder separators).
QString exportFileStem(const QString& classKey);

// Writes the profile, the class label and the students' names (in the order
// of the record set) into a copy of the workbook template saved as
// `folder`/<class key>.xlsx, replacing an earlier export whole. Nothing is
// written unless the whole workbook could be made. Returns the file's path.
// Throws ExportError.
QString exportNamesToExcel(const shell::SchoolProfile& profile, const QString& classKey,
                           const data::RecordSet& students, const QString& folder);

// The Excel copy's file: `folder`/<class key>.xlsx.
QString excelExportPath(const QString& folder, const QString& classKey);

// Builds the custom class list from the document template into a new file
// `folder`/<class key>.docx, a number added to the name when it is taken, and
// returns its path. The document is the user's: no earlier one is replaced,
// and the program never removes one. Throws ExportError.
QString exportNamesToWord(const shell::SchoolProfile& profile, const QString& classKey,
                          const data::RecordSet& students, bool landscape, const QString& folder);

// What the user is told after an export; an empty text tells nothing.
struct ExportMessage {
    QString text;
    shell::Tone tone = shell::Tone::Plain; // Alarm: the red title of a failure
};

// Carries out the armed export on the loaded class: to Excel when asked, else
// to Word (landscape for item 18), opening the document for the user. An
// Excel file already there is replaced only when `mayReplace` (asked with its
// path) says yes; otherwise nothing is written and nothing is told.
ExportMessage carryOutNamesExport(const ExportRequest& request, const shell::SchoolProfile& profile,
                                  const QString& classKey, const data::RecordSet& students,
                                  const std::function<bool(const QString&)>& mayReplace);

// Texts of the exports.
inline const QString kExcelExported = QStringLiteral("تم تصدير الأسماء إلى سطح المكتب اسم الملف :");
inline const QString kExcelFailed = QStringLiteral("تعذر تصدير الأسماء إلى ملف إكسل");
inline const QString kWordFailed = QStringLiteral("تعذر تصدير الأسماء إلى مستند وورد");
inline const QString kReplaceQuestion = QStringLiteral("يوجد ملف بالاسم %1، هل تريد استبداله؟");
inline const QString kWordNotOpened =
    QStringLiteral("تم إنشاء المستند ولم يتيسر فتحه، تجده في الملف:");
constexpr int kLandscapeWordItem = 18;

} // namespace sijill::reports
