#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sijill::report {

// Qt's PDF writer maps each shaped Arabic glyph back to its presentation form
// (U+FE70 block), so a search for a word typed in a viewer finds nothing, and
// the space glyph to a tab. These functions rewrite the fonts' ToUnicode maps
// so that every glyph maps to the letters it shows, as typed (Unicode NFKC:
// U+FEDF to U+0644), and the space glyph to a space. A lam-alef ligature keeps
// its one character (U+FEF5 to U+FEFC), which a reader that takes each glyph
// on its own can only read that way. Each glyph of several right-to-left
// letters is given a span with its letters for readers that order a line
// themselves.

// Rewrites one ToUnicode CMap program. Glyphs whose text is already plain
// keep it; the result is a complete CMap. `changed` tells whether any mapping
// differs from the original. Returns an empty array when the program cannot
// be read (nothing is guessed).
QByteArray normalisedToUnicodeCMap(const QByteArray& cmap, bool* changed = nullptr);

// The PDF document `pdf` with the ToUnicode maps of every font rewritten and
// every ligature glyph shown in an ActualText span. When the document cannot
// be read or rewritten whole, it is returned as it was and the failure is
// recorded under `name` (the pages are right either way; only searching them
// suffers).
QByteArray withSearchableText(const QByteArray& pdf, const QString& name);

// Whether a PDF document starts and ends as a written one does.
bool looksWhole(const QByteArray& pdf);

// The failures of withSearchableText in this process, newest last (the file
// and the reason). The PDF itself is still written, with Qt's own maps, so a
// failure here is never a failed print; tests read this list.
QStringList pdfTextMapFailures();
void clearPdfTextMapFailures();

} // namespace sijill::report
