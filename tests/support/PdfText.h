#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <vector>

namespace sijill::test {

// A program that reads a PDF file's text back, as a viewer's search or copy
// does: poppler's, mupdf's and pdfminer's, which each order a right-to-left
// line their own way.
struct PdfReader {
    const char* name;
    QString program;
    QStringList before, after; // the arguments around the file's path; the text goes to stdout
    // Whether it reads a text turned a quarter (a column's heading) as a word:
    // pdfminer takes its glyphs one by one and sorts them by their outlines.
    bool readsTurnedText = true;
};

inline const std::vector<PdfReader>& pdfReaders() {
    static const std::vector<PdfReader> readers = {
        {"pdftotext",
         QStringLiteral("pdftotext"),
         {QStringLiteral("-enc"), QStringLiteral("UTF-8")},
         {QStringLiteral("-")}},
        {"mutool",
         QStringLiteral("mutool"),
         {QStringLiteral("draw"), QStringLiteral("-q"), QStringLiteral("-F"), QStringLiteral("txt"),
          QStringLiteral("-o"), QStringLiteral("-")},
         {}},
        {"pdf2txt", QStringLiteral("pdf2txt"), {}, {}, false},
    };
    return readers;
}

inline bool haveReader(const PdfReader& reader) {
    return !QStandardPaths::findExecutable(reader.program).isEmpty();
}

// Whether poppler's pdftotext is here to read a written PDF back.
inline bool havePdfToText() {
    return haveReader(pdfReaders().front());
}

// The text of a PDF file as `reader` gives it; empty when it fails.
inline QString pdfText(const QString& pdf, const PdfReader& reader = pdfReaders().front()) {
    QProcess p;
    p.start(reader.program, reader.before + QStringList{pdf} + reader.after);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace sijill::test
