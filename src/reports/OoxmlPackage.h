#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace pugi {
class xml_document;
}

namespace sijill::reports {

// Why an export could not be made, in Arabic, for the user.
struct ExportError {
    QString message;
};

// The parts of an Office Open XML file (.xlsx, .docx) held in memory, in the
// order of the file, so a template can be changed and written out whole.
class OoxmlPackage {
public:
    // Reads every part of the file. Throws ExportError when it is missing or
    // not a readable package.
    static OoxmlPackage read(const QString& path);

    bool contains(const QString& name) const;
    // Throws ExportError when the part is missing.
    QByteArray part(const QString& name) const;
    // Replaces the part, or adds it at the end.
    void setPart(const QString& name, const QByteArray& bytes);

    // The whole package as a ZIP file. Throws ExportError.
    QByteArray toBytes() const;

private:
    QString source_;
    std::vector<std::pair<QString, QByteArray>> parts_;
};

// Parses a part's XML. Throws ExportError naming the part.
void parseXml(pugi::xml_document& doc, const QByteArray& bytes, const QString& partName);
// The document as UTF-8 XML, written without added indentation.
QByteArray xmlBytes(const pugi::xml_document& doc);

// Writes the file through a temporary file that replaces `path` only when it
// is complete. Throws ExportError naming the file and the system's reason.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// The text without the characters XML 1.0 forbids (control characters but
// tab, line feed and carriage return; U+FFFE, U+FFFF; unpaired surrogates),
// none of which can be seen in a name; `keepLineEnds` false drops line feeds
// and carriage returns too.
QString xmlAllowedText(const QString& text, bool keepLineEnds = true);

// The message for a template that is missing or unreadable.
QString templateProblem(const QString& path);

} // namespace sijill::reports
