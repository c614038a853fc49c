#include "reports/NamesExport.h"

#include "platform/BidiText.h"
#include "platform/DocumentOpener.h"
#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "reports/DocxCustomList.h"
#include "reports/OoxmlPackage.h"
#include "reports/XlsxSheet.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace sijill::reports {

namespace {

constexpr int kFirstNameRow = 12;
constexpr int kNameColumn = 3; // C

QString templatePath(const QString& file) {
    return QDir(platform::programFolder()).filePath(QStringLiteral("templates/") + file);
}

QString failure(const QString& heading, const ExportError& e) {
    return heading + QLatin1Char('\r') + e.message;
}

} // namespace

QString excelTemplatePath() {
    return templatePath(QStringLiteral("Evaluation.xlsx"));
}

QString wordTemplatePath() {
    return templatePath(QStringLiteral("StylesTemplate.docx"));
}

QString excelClassLabel(const QString& classKey) {
    QString label = classKey;
    for (const QString& word :
         {QStringLiteral("المتوسطة"), QStringLiteral("المتوسط"), QStringLiteral("الثانوية"),
          QStringLiteral("الثانوي"), QStringLiteral("-")})
        label.remove(word);
    return label;
}

QString namesExportFolder() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QDir(desktop).exists())
        return desktop;
    return QDir::homePath();
}

QString exportFileStem(const QString& classKey) {
    QString stem = classKey;
    stem.replace(QLatin1Char('/'), QLatin1Char('_'));
    stem.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return stem;
}

QString excelExportPath(const QString& folder, const QString& classKey) {
    return QDir(folder).filePath(exportFileStem(classKey) + QStringLiteral(".xlsx"));
}

QString exportNamesToExcel(const shell::SchoolProfile& profile, const QString& classKey,
                           const data::RecordSet& students, const QString& folder) {
    OoxmlPackage package = OoxmlPackage::read(excelTemplatePath());
    {
        XlsxSheet sheet(package);
        sheet.setText(QStringLiteral("C4"), profile.Admin);
        sheet.setText(QStringLiteral("AA2"), profile.School);
        sheet.setText(QStringLiteral("AA3"), profile.ThisYear);
        sheet.setText(QStringLiteral("AA4"), profile.ThisSemester);
        sheet.setText(QStringLiteral("D7"), excelClassLabel(classKey));
        sheet.growList(kFirstNameRow, kNameColumn, students.recordCount());
        for (int i = 0; i < students.recordCount(); ++i)
            sheet.setText(QStringLiteral("C%1").arg(kFirstNameRow + i),
                          students.text(i, QStringLiteral("d1")));
        sheet.save();
    }
    const QString path = excelExportPath(folder, classKey);
    writeFileAtomically(path, package.toBytes());
    return path;
}

QString exportNamesToWord(const shell::SchoolProfile& profile, const QString& classKey,
                          const data::RecordSet& students, bool landscape, const QString& folder) {
    CustomList list{profile.ThisSemester, profile.ThisYear, classKey, profile.Admin,
                    profile.School,       landscape,        {}};
    for (int i = 0; i < students.recordCount(); ++i)
        list.rows.push_back({students.text(i, QStringLiteral("d0")),
                             students.text(i, QStringLiteral("d3")),
                             students.text(i, QStringLiteral("d1"))});
    const QByteArray bytes = buildCustomListDocx(wordTemplatePath(), list);

    // A file of its own for every export: the user may have completed the
    // last one, or still have it open.
    return platform::writeNewFile(folder, platform::safeFileName(classKey), QStringLiteral("docx"),
                                  [&](const QString& path) { writeFileAtomically(path, bytes); });
}

ExportMessage carryOutNamesExport(const ExportRequest& request, const shell::SchoolProfile& profile,
                                  const QString& classKey, const data::RecordSet& students,
                                  const std::function<bool(const QString&)>& mayReplace) {
    if (request.ExportExcelFlag) {
        try {
            const QString folder = namesExportFolder();
            const QString target = excelExportPath(folder, classKey);
            if (QFileInfo::exists(target) && !mayReplace(target))
                return {};
            const QString path = exportNamesToExcel(profile, classKey, students, folder);
            const QString file = QFileInfo(path).fileName();
            if (folder == QStandardPaths::writableLocation(QStandardPaths::DesktopLocation))
                return {kExcelExported + QLatin1Char('\r') + platform::shownPath(file),
                        shell::Tone::Plain};
            // No desktop: the message says where the file went.
            return {kExcelExported.section(QLatin1Char(' '), 0, 2) + QLatin1Char('\r') +
                        platform::shownPath(path),
                    shell::Tone::Plain};
        } catch (const ExportError& e) {
            return {failure(kExcelFailed, e), shell::Tone::Alarm};
        }
    }
    if (request.ExportWordFlag) {
        try {
            const QString path =
                exportNamesToWord(profile, classKey, students,
                                  request.NameListIndex == kLandscapeWordItem, namesExportFolder());
            if (!platform::openDocument(path))
                return {kWordNotOpened + QLatin1Char('\r') + platform::shownPath(path),
                        shell::Tone::Alarm};
            return {};
        } catch (const ExportError& e) {
            return {failure(kWordFailed, e), shell::Tone::Alarm};
        }
    }
    return {};
}

} // namespace sijill::reports
