#include "report/PdfTextMaps.h"

#include <QFile>
#include <map>
#include <optional>
// Only the shared-pointer API of the library is used.
#define POINTERHOLDER_TRANSITION 4
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
// where it stands in the program. Comments are skipped.
struct CMapToken {
    enum Kind { Hex, Open, Close, Word, Literal } kind;
    QByteArray text;
    qsizetype start = 0, end = 0;
};

bool tokenize(const QByteArray& in, std::vector<CMapToken>& out) {
    const qsizetype n = in.size();
    for (qsizetype i = 0; i < n;) {
        const char c = in[i];
        const qsizetype start = i;
        const auto add = [&](CMapToken::Kind kind, const QByteArray& text) {
            out.push_back({kind, text, start, i});
        };
        if (c == '%') {
            while (i < n && in[i] != '\n' && in[i] != '\r')
                ++i;
        } else if (c == '<' && i + 1 < n && in[i + 1] == '<') {
            i += 2;
            add(CMapToken::Word, "<<");
        } else if (c == '>' && i + 1 < n && in[i + 1] == '>') {
            i += 2;
            add(CMapToken::Word, ">>");
        } else if (c == '<') {
            const qsizetype end = in.indexOf('>', i);
            if (end < 0)
                return false;
            i = end + 1;
            add(CMapToken::Hex, in.mid(start + 1, end - start - 1).simplified().replace(' ', ""));
        } else if (c == '[') {
            ++i;
            add(CMapToken::Open, "[");
        } else if (c == ']') {
            ++i;
            add(CMapToken::Close, "]");
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
            add(CMapToken::Literal, in.mid(start, i - start));
        } else if (QChar::isSpace(uchar(c))) {
            ++i;
        } else {
            while (i < n && !QChar::isSpace(uchar(in[i])) && !QByteArray("<>[]()%").contains(in[i]))
                ++i;
            if (i == start)
                ++i;
            add(CMapToken::Word, in.mid(start, i - start));
        }
    }
    return true;
}

bool hexToText(const QByteArray& hex, QString& text) {
    if (hex.size() % 4 != 0)
        return false;
    text.clear();
    for (qsizetype i = 0; i < hex.size(); i += 4) {
        bool ok = false;
        const uint unit = hex.mid(i, 4).toUInt(&ok, 16);
        if (!ok)
            return false;
        text.append(QChar(char16_t(unit)));
    }
    return true;
}

QByteArray textToHex(const QString& text) {
    QByteArray hex;
    for (QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex;
}

// Source codes, with their width in hex digits, mapped to their text.
struct Mapping {
    int codeDigits = 4;
    std::map<uint, QString> glyphs;
    QList<QByteArray> codespace;
};

bool readBfChar(const std::vector<CMapToken>& t, size_t& i, Mapping& m) {
    for (; i < t.size() && t[i].text != "endbfchar"; i += 2) {
        if (i + 1 >= t.size() || t[i].kind != CMapToken::Hex || t[i + 1].kind != CMapToken::Hex)
            return false;
        bool ok = false;
        const uint code = t[i].text.toUInt(&ok, 16);
        QString text;
        if (!ok || !hexToText(t[i + 1].text, text))
            return false;
        m.codeDigits = int(t[i].text.size());
        m.glyphs[code] = text;
    }
    return i < t.size();
}

bool readBfRange(const std::vector<CMapToken>& t, size_t& i, Mapping& m) {
    while (i < t.size() && t[i].text != "endbfrange") {
        if (i + 2 >= t.size() || t[i].kind != CMapToken::Hex || t[i + 1].kind != CMapToken::Hex)
            return false;
        bool ok1 = false, ok2 = false;
        const uint lo = t[i].text.toUInt(&ok1, 16);
        const uint hi = t[i + 1].text.toUInt(&ok2, 16);
        if (!ok1 || !ok2 || hi < lo || hi - lo > 0xFFFF)
            return false;
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
    std::vector<CMapToken> t;
    if (!tokenize(cmap, t))
        return false;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i].text == "begincodespacerange") {
            for (++i; i < t.size() && t[i].text != "endcodespacerange"; ++i)
                m.codespace.append(t[i].text);
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

// Folds the presentation forms of a map to the letters they show, in the
// order they were typed (lam, then alef, for the lam-alef ligature): what a
// reader that takes the glyphs in the order they are written gets. Whether
// any mapping changed.
bool normalise(Mapping& m) {
    bool any = false;
    for (auto& [code, text] : m.glyphs) {
        const QString plain = text.normalized(QString::NormalizationForm_KC);
        // Only the presentation forms are folded: NFKC would also turn other
        // compatibility characters (a ligature "ﬁ", a superscript) into text
        // that is not what the glyph shows in this program's pages.
        bool presentation = false;
        for (QChar c : text) {
            const char16_t u = c.unicode();
            presentation |= (u >= 0xFB50 && u <= 0xFDFF) || (u >= 0xFE70 && u <= 0xFEFF);
        }
        if (presentation && plain != text && !plain.isEmpty()) {
            text = plain;
            any = true;
        }
    }
    return any;
}

// The text a glyph of several right-to-left letters (the lam-alef ligature,
// the word of God) gives a reader inside a span; empty for any other glyph.
// The maps give the letters as typed, which readers that take the glyphs in
// the order they are written (mupdf, pdfminer) need. poppler reads the span
// instead, lays its letters out left to right over the glyph and then
// reverses the line's right-to-left runs, so the span holds them in the order
// they stand on the page (alef left of lam).
QString ligatureText(const QString& letters) {
    if (letters.size() < 2 || !letters.isRightToLeft())
        return {};
    QString reversed;
    for (qsizetype i = letters.size() - 1; i >= 0; --i)
        reversed.append(letters[i]);
    return reversed;
}

using FontMaps = std::map<QPDFObjGen, Mapping>;

// A page's content with every ligature glyph shown on its own inside a span
// that carries its letters for poppler (see ligatureText); the glyphs are the
// same, drawn at the same places. Empty, with `reason` set, when a ligature
// is shown by an operator other than Tj (nothing is guessed).
std::optional<QByteArray> withLigatureSpans(const QByteArray& content, QPDFObjectHandle fonts,
                                            const FontMaps& maps, QString& reason) {
    std::vector<CMapToken> t;
    if (!tokenize(content, t)) {
        reason = QStringLiteral("its content cannot be read");
        return std::nullopt;
    }
    QByteArray out;
    qsizetype copied = 0;
    const Mapping* map = nullptr;
    for (size_t i = 0; i < t.size(); ++i) {
        const CMapToken& k = t[i];
        if (k.kind == CMapToken::Word && k.text == "Tf" && i >= 2) {
            QPDFObjectHandle font = fonts.isDictionary() ? fonts.getKey(t[i - 2].text.toStdString())
                                                         : QPDFObjectHandle::newNull();
            QPDFObjectHandle cmap =
                font.isDictionary() ? font.getKey("/ToUnicode") : QPDFObjectHandle::newNull();
            const auto found = cmap.isStream() ? maps.find(cmap.getObjGen()) : maps.end();
            map = found == maps.end() ? nullptr : &found->second;
        }
        if (k.kind != CMapToken::Hex || !map || k.text.size() % map->codeDigits != 0)
            continue;
        // The glyphs of the string, each with its span's text.
        std::vector<std::pair<QByteArray, QString>> glyphs;
        bool ligature = false;
        for (qsizetype at = 0; at < k.text.size(); at += map->codeDigits) {
            const QByteArray code = k.text.mid(at, map->codeDigits);
            const auto g = map->glyphs.find(code.toUInt(nullptr, 16));
            const QString text = g == map->glyphs.end() ? QString() : ligatureText(g->second);
            ligature |= !text.isEmpty();
            glyphs.emplace_back(code, text);
        }
        if (!ligature)
            continue;
        if (i + 1 >= t.size() || t[i + 1].kind != CMapToken::Word || t[i + 1].text != "Tj") {
            reason = QStringLiteral("a ligature is shown by an operator not rewritten");
            return std::nullopt;
        }
        // Shown one string after another, glyphs advance as in one string.
        QByteArray shown;
        QByteArray plain;
        const auto flush = [&] {
            if (!plain.isEmpty())
                shown += '<' + plain + "> Tj ";
            plain.clear();
        };
        for (const auto& [code, text] : glyphs) {
            if (text.isEmpty()) {
                plain += code;
                continue;
            }
            flush();
            shown +=
                "/Span <</ActualText <FEFF" + textToHex(text) + ">>> BDC <" + code + "> Tj EMC ";
        }
        flush();
        out += content.mid(copied, k.start - copied) + shown.trimmed();
        copied = t[i + 1].end;
        ++i;
    }
    return out + content.mid(copied);
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
        FontMaps maps;
        bool anyChanged = false;
        for (QPDFObjectHandle& object : doc.getAllObjects()) {
            if (!object.isDictionary() || !object.hasKey("/ToUnicode"))
                continue;
            QPDFObjectHandle map = object.getKey("/ToUnicode");
            if (!map.isStream() || maps.count(map.getObjGen()))
                continue;
            const std::shared_ptr<Buffer> data = map.getStreamData(qpdf_dl_generalized);
            const QByteArray cmap(reinterpret_cast<const char*>(data->getBuffer()),
                                  qsizetype(data->getSize()));
            Mapping m;
            if (!readMapping(cmap, m)) {
                recordFailure(name, QStringLiteral("a text map cannot be read"));
                return pdf;
            }
            if (normalise(m)) {
                map.replaceStreamData(writeMapping(m).toStdString(), QPDFObjectHandle::newNull(),
                                      QPDFObjectHandle::newNull());
                anyChanged = true;
            }
            maps.emplace(map.getObjGen(), std::move(m));
        }
        int pageNumber = 0;
        for (QPDFObjectHandle page : doc.getAllPages()) {
            ++pageNumber;
            QPDFObjectHandle contents = page.getKey("/Contents");
            if (contents.isNull())
                continue;
            QPDFObjectHandle resources = page.getKey("/Resources");
            QString reason = QStringLiteral("its content is not one stream");
            std::optional<QByteArray> spanned;
            if (contents.isStream()) {
                const std::shared_ptr<Buffer> data = contents.getStreamData(qpdf_dl_generalized);
                const QByteArray content(reinterpret_cast<const char*>(data->getBuffer()),
                                         qsizetype(data->getSize()));
                spanned = withLigatureSpans(content,
                                            resources.isDictionary() ? resources.getKey("/Font")
                                                                     : QPDFObjectHandle::newNull(),
                                            maps, reason);
                if (spanned && *spanned == content)
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
