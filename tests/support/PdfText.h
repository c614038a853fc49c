#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <vector>

namespace sijill::test {

// A program that reads a PDF file's text back, as a viewer's search or copy
// does: poppler's, mupdf's and pdfminer's, which each order a right-to-left
// line their own way, and the engines of the browsers' viewers, pdf.js and
// PDFium, run by node from tests/pdfreaders.
struct PdfReader {
    const char* name;
    QString program;
    QStringList before, after; // the arguments around the file's path; the text goes to stdout
    // Whether it reads a text turned a quarter (a column's heading) as a word:
    // pdfminer takes its glyphs one by one and sorts them by their outlines.
    bool readsTurnedText = true;
    // Whether it gives a lam-alef ligature as its one presentation form
    // (U+FEF5 to U+FEFC), as the font's map has it, where poppler reads the
    // plain letters of the glyph's span: its words are compared after NFKC,
    // as a search that normalises finds them.
    bool givesPresentationForms = false;
    // Whether it reads a word drawn with the lam-alef-maksura ligature (in
    // "على") right: pdf.js takes each glyph as an item of its own and turns
    // the glyph's two letters round, whatever its map says.
    bool readsLamAlefMaksura = true;
    // A node script of tests/pdfreaders (`before` holds its path), which
    // reads many files in one run and can search them (PDFium's).
    bool script = false;
    bool searches = false;
};

const std::vector<PdfReader>& pdfReaders();

bool haveReader(const PdfReader& reader);

// Whether poppler's pdftotext is here to read a written PDF back.
inline bool havePdfToText() {
    return haveReader(pdfReaders().front());
}

// The text of a PDF file as `reader` gives it; empty when it fails.
QString pdfText(const QString& pdf, const PdfReader& reader = pdfReaders().front());

// One file as one reader read it: its text, and for a reader that searches,
// whether each phrase asked for was found. `failure` tells why a reader gave
// nothing (it failed, or did not finish in time).
struct PdfReading {
    QString text;
    std::vector<bool> found;
    QString failure;
};

// Every file read by every reader of pdfReaders(), the readers side by side,
// all within `limit`: [reader][file]. `phrases` (one list a file, or none)
// are searched by the readers that search.
std::vector<std::vector<PdfReading>> readPdfs(const QStringList& files,
                                              const std::vector<QStringList>& phrases,
                                              std::chrono::seconds limit);

} // namespace sijill::test
