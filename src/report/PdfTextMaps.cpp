#include "report/PdfTextMaps.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <unordered_map>
// Only the shared-pointer API of the library is used.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

namespace sijill::report {

namespace {

QStringList& failures() {
    static QStringList list;
    return list;
}

// A CMap program or a page's content as the tokens they use: hex strings
// "<...>", array brackets, literal strings "(...)" and bare words, each with
// where it stands in the program. Comments are skipped. A token's text is a
// view into the program, except a hex string written with spaces, whose
// digits are gathered in `gathered`.
struct CMapToken {
    enum Kind { Hex, Open, Close, Word, Literal } kind;
    QByteArrayView text;
    qsizetype start = 0, end = 0;
};

struct CMapTokens {
    std::vector<CMapToken> list;
    std::deque<QByteArray> gathered;
    size_t size() const { return list.size(); }
    const CMapToken& operator[](size_t i) const { return list[i]; }
};

// PDF's white-space characters and delimiters, as a table for the scanner.
enum : unsigned char { Plain = 0, Space = 1, Delimiter = 2 };

constexpr std::array<unsigned char, 256> characterClasses() {
    std::array<unsigned char, 256> classes{};
    for (unsigned char c : {'\0', '\t', '\n', '\f', '\r', ' '})
        classes[c] = Space;
    for (unsigned char c : {'<', '>', '[', ']', '(', ')', '%', '{', '}', '/'})
        classes[c] = Delimiter;
    return classes;
}

constexpr std::array<unsigned char, 256> kCharacterClass = characterClasses();

unsigned char characterClass(char c) {
    return kCharacterClass[static_cast<unsigned char>(c)];
}

// Reads a program's tokens one after another, without keeping them.
class TokenScanner {
public:
    explicit TokenScanner(const QByteArray& program, std::deque<QByteArray>& gathered)
        : in_(program.constData()), n_(program.size()), gathered_(gathered) {}

    // The next token; false at the end of the program, or where it cannot
    // be read (failed()).
    bool next(CMapToken& token);
    bool failed() const { return failed_; }

private:
    const char* in_;
    qsizetype n_;
    qsizetype i_ = 0;
    bool failed_ = false;
    std::deque<QByteArray>& gathered_;
};

bool TokenScanner::next(CMapToken& token) {
    const char* in = in_;
    const qsizetype n = n_;
    qsizetype& i = i_;
    const auto found = [&](CMapToken::Kind kind, qsizetype start) {
        token = {kind, QByteArrayView(in + start, i - start), start, i};
        return true;
    };
    while (i < n) {
        const char c = in[i];
        const qsizetype start = i;
        if (characterClass(c) == Space) {
            ++i;
        } else if (c == '%') {
            while (i < n && in[i] != '\n' && in[i] != '\r')
                ++i;
        } else if ((c == '<' || c == '>') && i + 1 < n && in[i + 1] == c) {
            i += 2;
            return found(CMapToken::Word, start);
        } else if (c == '<') {
            const char* close = static_cast<const char*>(std::memchr(in + i, '>', size_t(n - i)));
            if (!close) {
                failed_ = true;
                return false;
            }
            i = close - in + 1;
            const QByteArrayView digits(in + start + 1, i - start - 2);
            bool spaced = false;
            for (char d : digits)
                spaced |= characterClass(d) == Space;
            token = {CMapToken::Hex, digits, start, i};
            if (spaced) {
                QByteArray& kept = gathered_.emplace_back();
                for (char d : digits) {
                    if (characterClass(d) != Space)
                        kept += d;
                }
                token.text = QByteArrayView(kept);
            }
            return true;
        } else if (c == '[' || c == ']') {
            ++i;
            return found(c == '[' ? CMapToken::Open : CMapToken::Close, start);
        } else if (c == '(') {
            int depth = 0;
            for (; i < n; ++i) {
                if (in[i] == '\\') {
                    ++i;
                } else if (in[i] == '(') {
                    ++depth;
                } else if (in[i] == ')' && --depth == 0) {
                    ++i;
                    break;
                }
            }
            i = std::min(i, n);
            return found(CMapToken::Literal, start);
        } else {
            // A name's slash starts its word; any other delimiter stands alone.
            ++i;
            if (c == '/' || characterClass(c) == Plain) {
                while (i < n && characterClass(in[i]) == Plain)
                    ++i;
            }
            return found(CMapToken::Word, start);
        }
    }
    return false;
}

bool tokenize(const QByteArray& program, CMapTokens& out) {
    TokenScanner scanner(program, out.gathered);
    CMapToken token{};
    while (scanner.next(token))
        out.list.push_back(token);
    return !scanner.failed();
}

// The value of a hex string of at most eight digits; nothing when it holds
// another character.
std::optional<uint> hexValue(QByteArrayView hex) {
    if (hex.isEmpty() || hex.size() > 8)
        return std::nullopt;
    uint value = 0;
    for (char c : hex) {
        uint digit;
        if (c >= '0' && c <= '9')
            digit = uint(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = uint(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = uint(c - 'a' + 10);
        else
            return std::nullopt;
        value = value << 4 | digit;
    }
    return value;
}

bool hexToText(QByteArrayView hex, QString& text) {
    if (hex.size() % 4 != 0)
        return false;
    text.clear();
    for (qsizetype i = 0; i < hex.size(); i += 4) {
        const std::optional<uint> unit = hexValue(hex.sliced(i, 4));
        if (!unit)
            return false;
        text.append(QChar(char16_t(*unit)));
    }
    return true;
}

QByteArray textToHex(const QString& text) {
    QByteArray hex;
    for (QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex;
}

// Source codes, with their width in hex digits, mapped to their text; and
// the glyphs shown in a span, each with the operators that open its span.
struct Mapping {
    int codeDigits = 4;
    std::map<uint, QString> glyphs;
    QList<QByteArray> codespace;
    std::unordered_map<uint, QByteArray> spans;
};

bool readBfChar(const CMapTokens& t, size_t& i, Mapping& m) {
    for (; i < t.size() && t[i].text != "endbfchar"; i += 2) {
        if (i + 1 >= t.size() || t[i].kind != CMapToken::Hex || t[i + 1].kind != CMapToken::Hex)
            return false;
        const std::optional<uint> code = hexValue(t[i].text);
        QString text;
        if (!code || !hexToText(t[i + 1].text, text))
            return false;
        m.codeDigits = int(t[i].text.size());
        m.glyphs[*code] = text;
    }
    return i < t.size();
}

bool readBfRange(const CMapTokens& t, size_t& i, Mapping& m) {
    while (i < t.size() && t[i].text != "endbfrange") {
        if (i + 2 >= t.size() || t[i].kind != CMapToken::Hex || t[i + 1].kind != CMapToken::Hex)
            return false;
        const std::optional<uint> first = hexValue(t[i].text), last = hexValue(t[i + 1].text);
        if (!first || !last || *last < *first || *last - *first > 0xFFFF)
            return false;
        const uint lo = *first, hi = *last;
        m.codeDigits = int(t[i].text.size());
        i += 2;
        if (t[i].kind == CMapToken::Hex) {
            QString first;
            if (!hexToText(t[i].text, first) || first.isEmpty())
                return false;
            // The last unit counts up through the range.
            for (uint code = lo; code <= hi; ++code) {
                QString text = first;
                text.back() = QChar(char16_t(first.back().unicode() + (code - lo)));
                m.glyphs[code] = text;
            }
            ++i;
        } else if (t[i].kind == CMapToken::Open) {
            ++i;
            for (uint code = lo; code <= hi; ++code, ++i) {
                QString text;
                if (i >= t.size() || t[i].kind != CMapToken::Hex || !hexToText(t[i].text, text))
                    return false;
                m.glyphs[code] = text;
            }
            if (i >= t.size() || t[i].kind != CMapToken::Close)
                return false;
            ++i;
        } else {
            return false;
        }
    }
    return i < t.size();
}

bool readMapping(const QByteArray& cmap, Mapping& m) {
    CMapTokens t;
    if (!tokenize(cmap, t))
        return false;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i].text == "begincodespacerange") {
            for (++i; i < t.size() && t[i].text != "endcodespacerange"; ++i)
                m.codespace.append(t[i].text.toByteArray());
        } else if (t[i].text == "beginbfchar") {
            ++i;
            if (!readBfChar(t, i, m))
                return false;
        } else if (t[i].text == "beginbfrange") {
            ++i;
            if (!readBfRange(t, i, m))
                return false;
        }
    }
    return !m.glyphs.empty();
}

QByteArray writeMapping(const Mapping& m) {
    QByteArray out = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n";
    if (m.codespace.size() >= 2) {
        out += QByteArray::number(m.codespace.size() / 2) + " begincodespacerange\n";
        for (qsizetype i = 0; i + 1 < m.codespace.size(); i += 2)
            out += '<' + m.codespace[i] + "> <" + m.codespace[i + 1] + ">\n";
        out += "endcodespacerange\n";
    }
    // At most 100 entries a block, as CMap programs require.
    auto it = m.glyphs.begin();
    while (it != m.glyphs.end()) {
        QByteArray block;
        int count = 0;
        for (; it != m.glyphs.end() && count < 100; ++it, ++count) {
            block += '<' +
                     QByteArray::number(it->first, 16).rightJustified(m.codeDigits, '0').toUpper() +
                     "> <" + textToHex(it->second) + ">\n";
        }
        out += QByteArray::number(count) + " beginbfchar\n" + block + "endbfchar\n";
    }
    out += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return out;
}

void recordFailure(const QString& name, const QString& reason) {
    failures().append(QStringLiteral("%1: %2").arg(name, reason));
}

// Whether a character is one of Arabic's presentation forms.
bool isPresentationForm(char16_t u) {
    return (u >= 0xFB50 && u <= 0xFDFF) || (u >= 0xFE70 && u <= 0xFEFF);
}

// Whether a text is one of the eight lam-alef ligatures (U+FEF5 to U+FEFC).
bool isLamAlef(const QString& text) {
    return text.size() == 1 && text[0].unicode() >= 0xFEF5 && text[0].unicode() <= 0xFEFC;
}

// The text a glyph of several right-to-left letters (a lam-alef ligature,
// the word of God) gives a reader inside a span, from its readable text (see
// readableText); empty for any other glyph. Readers that take the glyphs in
// the order they are written (mupdf, pdfminer) read the map. poppler reads
// the span instead, lays its letters out left to right over the glyph and
// then reverses the line's right-to-left runs, so the span holds them in the
// order they stand on the page (alef left of lam).
QString ligatureText(const QString& readable) {
    const QString letters =
        isLamAlef(readable) ? readable.normalized(QString::NormalizationForm_KC) : readable;
    if (letters.size() < 2 || !letters.isRightToLeft())
        return {};
    QString reversed;
    for (qsizetype i = letters.size() - 1; i >= 0; --i)
        reversed.append(letters[i]);
    return reversed;
}

// The text a glyph's map gives it in this program's PDFs:
// - the space glyph reads as a space: a font's character map gives the glyph
//   to the tab and the other white-space controls too, and the writer takes
//   the first of them;
// - a presentation form reads as the letters it shows, in the order they were
//   typed (Unicode NFKC: U+FEDF to U+0644), what a reader that takes the
//   glyphs in the order they are written gets;
// - except a lam-alef ligature, which keeps its one character: pdf.js takes
//   each glyph as an item of its own and turns a two-letter right-to-left
//   item round; the one character is found by a search that normalises, and
//   its span gives poppler the plain letters.
// Other compatibility characters (a ligature "ﬁ", a superscript) are not
// folded: NFKC would give text that is not what the glyph shows.
QString readableText(const QString& text) {
    if (text.size() == 1 && text[0].unicode() >= 0x09 && text[0].unicode() <= 0x0D)
        return QStringLiteral(" ");
    bool presentation = false;
    for (QChar c : text)
        presentation |= isPresentationForm(c.unicode());
    if (!presentation || isLamAlef(text))
        return text;
    const QString plain = text.normalized(QString::NormalizationForm_KC);
    return plain.isEmpty() ? text : plain;
}

// Gives every glyph of a map its readable text and notes the glyphs to show
// in a span. Whether any mapping changed.
bool normalise(Mapping& m) {
    bool any = false;
    m.spans.clear();
    for (auto& [code, text] : m.glyphs) {
        const QString readable = readableText(text);
        if (readable != text) {
            text = readable;
            any = true;
        }
        const QString span = ligatureText(text);
        if (!span.isEmpty())
            m.spans.emplace(code, "/Span <</ActualText <FEFF" + textToHex(span) + ">>> BDC <");
    }
    return any;
}

using FontMaps = std::map<QPDFObjGen, Mapping>;

// A page's content with every ligature glyph shown on its own inside a span
// that carries its letters for poppler (see ligatureText); the glyphs are the
// same, drawn at the same places. Empty, with `reason` set, when a ligature
// is shown by an operator other than Tj (nothing is guessed).
std::optional<QByteArray> withLigatureSpans(const QByteArray& content, QPDFObjectHandle fonts,
                                            const FontMaps& maps, QString& reason) {
    // The map of each font the page names, looked up once.
    std::map<QByteArrayView, const Mapping*> fontMaps;
    const auto mapOf = [&](QByteArrayView name) -> const Mapping* {
        const auto known = fontMaps.find(name);
        if (known != fontMaps.end())
            return known->second;
        QPDFObjectHandle font = fonts.isDictionary()
                                    ? fonts.getKey(name.toByteArray().toStdString())
                                    : QPDFObjectHandle::newNull();
        QPDFObjectHandle cmap =
            font.isDictionary() ? font.getKey("/ToUnicode") : QPDFObjectHandle::newNull();
        const auto found = cmap.isStream() ? maps.find(cmap.getObjGen()) : maps.end();
        const Mapping* map =
            found == maps.end() || found->second.spans.empty() ? nullptr : &found->second;
        fontMaps.emplace(name, map);
        return map;
    };
    QByteArray out;
    qsizetype copied = 0;
    const Mapping* map = nullptr;
    std::deque<QByteArray> gathered;
    TokenScanner scanner(content, gathered);
    // The token read and the two before it: a font is named two tokens
    // before its Tf.
    CMapToken k{}, before{}, beforeThat{};
    int seen = 0;
    const auto shift = [&](const CMapToken& last) {
        beforeThat = before;
        before = last;
        ++seen;
    };
    while (scanner.next(k)) {
        if (k.kind == CMapToken::Word && k.text == "Tf" && seen >= 2)
            map = mapOf(beforeThat.text);
        if (k.kind != CMapToken::Hex || !map || k.text.size() % map->codeDigits != 0) {
            shift(k);
            continue;
        }
        const auto spanOf = [&](qsizetype at) -> const QByteArray* {
            const std::optional<uint> code = hexValue(k.text.sliced(at, map->codeDigits));
            const auto span = code ? map->spans.find(*code) : map->spans.end();
            return span == map->spans.end() ? nullptr : &span->second;
        };
        qsizetype first = 0;
        while (first < k.text.size() && !spanOf(first))
            first += map->codeDigits;
        if (first == k.text.size()) {
            shift(k);
            continue;
        }
        CMapToken op{};
        if (!scanner.next(op) || op.kind != CMapToken::Word || op.text != "Tj") {
            reason = QStringLiteral("a ligature is shown by an operator not rewritten");
            return std::nullopt;
        }
        if (out.isEmpty())
            out.reserve(content.size() + content.size() / 4);
        // Shown one string after another, glyphs advance as in one string.
        out.append(content.constData() + copied, k.start - copied);
        qsizetype plain = 0;
        const auto flush = [&](qsizetype upTo) {
            if (upTo > plain)
                out.append('<').append(k.text.sliced(plain, upTo - plain)).append("> Tj ");
        };
        for (qsizetype at = first; at < k.text.size(); at += map->codeDigits) {
            const QByteArray* span = spanOf(at);
            if (!span)
                continue;
            flush(at);
            out.append(*span).append(k.text.sliced(at, map->codeDigits)).append("> Tj EMC ");
            plain = at + map->codeDigits;
        }
        flush(k.text.size());
        out.chop(1);
        copied = op.end;
        shift(k);
        shift(op);
    }
    if (scanner.failed()) {
        reason = QStringLiteral("its content cannot be read");
        return std::nullopt;
    }
    if (copied == 0)
        return content;
    return out.append(content.constData() + copied, content.size() - copied);
}

// The fonts a page's resources name; null when it names none.
QPDFObjectHandle fontsOf(QPDFObjectHandle page) {
    QPDFObjectHandle resources = page.getKey("/Resources");
    return resources.isDictionary() ? resources.getKey("/Font") : QPDFObjectHandle::newNull();
}

} // namespace

QByteArray normalisedToUnicodeCMap(const QByteArray& cmap, bool* changed) {
    if (changed)
        *changed = false;
    Mapping m;
    if (!readMapping(cmap, m))
        return {};
    const bool any = normalise(m);
    if (changed)
        *changed = any;
    return writeMapping(m);
}

bool looksWhole(const QByteArray& pdf) {
    return pdf.startsWith("%PDF-") && pdf.right(64).trimmed().endsWith("%%EOF");
}

QByteArray withSearchableText(const QByteArray& pdf, const QString& name) {
    if (!looksWhole(pdf)) {
        recordFailure(name, QStringLiteral("the file is not a whole PDF"));
        return pdf;
    }
    try {
        QPDF doc;
        doc.setSuppressWarnings(true);
        // A damaged file is not repaired here: it stays as Qt wrote it.
        doc.setAttemptRecovery(false);
        doc.processMemoryFile(QFile::encodeName(name).constData(), pdf.constData(),
                              size_t(pdf.size()));
        // The text map of every font the pages use, each read and rewritten
        // once.
        FontMaps maps;
        bool anyChanged = false, anySpans = false;
        const std::vector<QPDFObjectHandle>& pages = doc.getAllPages();
        for (QPDFObjectHandle page : pages) {
            QPDFObjectHandle fonts = fontsOf(page);
            if (!fonts.isDictionary())
                continue;
            for (auto& [key, font] : fonts.ditems()) {
                QPDFObjectHandle map =
                    font.isDictionary() ? font.getKey("/ToUnicode") : QPDFObjectHandle::newNull();
                if (!map.isStream() || maps.count(map.getObjGen()))
                    continue;
                const std::shared_ptr<Buffer> data = map.getStreamData(qpdf_dl_generalized);
                const QByteArray cmap = QByteArray::fromRawData(
                    reinterpret_cast<const char*>(data->getBuffer()), qsizetype(data->getSize()));
                Mapping m;
                if (!readMapping(cmap, m)) {
                    recordFailure(name, QStringLiteral("a text map cannot be read"));
                    return pdf;
                }
                if (normalise(m)) {
                    map.replaceStreamData(writeMapping(m).toStdString(),
                                          QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
                    anyChanged = true;
                }
                anySpans |= !m.spans.empty();
                maps.emplace(map.getObjGen(), std::move(m));
            }
        }
        int pageNumber = 0;
        // Without a glyph of several letters, no page has a span to get.
        for (QPDFObjectHandle page : pages) {
            ++pageNumber;
            if (!anySpans)
                break;
            QPDFObjectHandle contents = page.getKey("/Contents");
            if (contents.isNull())
                continue;
            QString reason = QStringLiteral("its content is not one stream");
            std::optional<QByteArray> spanned;
            if (contents.isStream()) {
                const std::shared_ptr<Buffer> data = contents.getStreamData(qpdf_dl_generalized);
                const QByteArray content = QByteArray::fromRawData(
                    reinterpret_cast<const char*>(data->getBuffer()), qsizetype(data->getSize()));
                spanned = withLigatureSpans(content, fontsOf(page), maps, reason);
                if (spanned && spanned->isSharedWith(content))
                    continue;
            }
            if (!spanned) {
                recordFailure(name, QStringLiteral("page %1: %2").arg(pageNumber).arg(reason));
                return pdf;
            }
            contents.replaceStreamData(spanned->toStdString(), QPDFObjectHandle::newNull(),
                                       QPDFObjectHandle::newNull());
            anyChanged = true;
        }
        if (!anyChanged)
            return pdf;
        QPDFWriter writer(doc);
        writer.setOutputMemory();
        // Streams already compressed are copied as they are; only the
        // rewritten maps and pages are compressed anew.
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setCompressStreams(true);
        // Text and maps shrink nearly as much at zlib's fastest level.
        Pl_Flate::setCompressionLevel(1);
        writer.write();
        const std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
        QByteArray result(reinterpret_cast<const char*>(out->getBuffer()),
                          qsizetype(out->getSize()));
        if (!looksWhole(result)) {
            recordFailure(name, QStringLiteral("the rewritten file is cut short"));
            return pdf;
        }
        return result;
    } catch (const std::exception& e) {
        recordFailure(name, QString::fromLocal8Bit(e.what()));
        return pdf;
    }
}

QStringList pdfTextMapFailures() {
    return failures();
}

void clearPdfTextMapFailures() {
    failures().clear();
}

} // namespace sijill::report
