#include "reports/DocxCustomList.h"

#include "platform/Fonts.h"
#include "reports/OoxmlPackage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <cmath>
#include <pugixml.hpp>

namespace sijill::reports {

namespace {

const QString kDocument = QStringLiteral("word/document.xml");
const QString kDocumentRels = QStringLiteral("word/_rels/document.xml.rels");
const QString kContentTypes = QStringLiteral("[Content_Types].xml");
const char* kHeaderType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml";
const char* kHeaderRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/header";

// Background 1 darkened by 15 %, and background 1 itself.
const char* kGrey = "D9D9D9";
const char* kWhite = "FFFFFF";

// How the text of a table's paragraphs is set.
struct TextFormat {
    std::string font;
    int halfPoints;
    bool listSpacing; // the list's tight paragraph format
};

// The template's cell margins (left and right) and room for the borders.
constexpr int kCellMarginsTwips = 2 * 108 + 30;
// Renderers shape a little wider or narrower than Qt: a column gets this much
// more than the measured text.
constexpr double kMeasureSlack = 1.1;
// The notes column never shrinks below this.
constexpr double kMinNotesCm = 2.0;
// Between the page header and the list.
constexpr int kHeaderGapTwips = 142;

// A font at ten pixels per point, so that its metrics divided by ten are points
// whatever the screen's resolution.
QFont measuringFont(const TextFormat& f) {
    QFont font(QString::fromStdString(f.font));
    font.setPixelSize(f.halfPoints * 5);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The page header's text: 11 pt.
TextFormat headerFormat() {
    return {platform::fontFamilyFor(platform::windowFreeFamily()).toStdString(), 22, false};
}

// Twips a cell needs to hold each of `texts` on one line.
int cellTwips(const TextFormat& f, const QStringList& texts) {
    const QFontMetricsF fm(measuringFont(f));
    double widest = 0;
    for (const QString& t : texts)
        widest = std::max(widest, fm.horizontalAdvance(t));
    return static_cast<int>(std::ceil(widest * 2 * kMeasureSlack)) + kCellMarginsTwips;
}

// Twips of one line of text set in `f` at single spacing.
int lineTwips(const TextFormat& f) {
    const QFontMetricsF fm(measuringFont(f));
    return static_cast<int>(std::ceil(fm.height() * 2 * kMeasureSlack));
}

void setAttr(pugi::xml_node n, const char* name, const std::string& value) {
    pugi::xml_attribute a = n.attribute(name);
    if (!a)
        a = n.append_attribute(name);
    a.set_value(value.c_str());
}

void setAttr(pugi::xml_node n, const char* name, int value) {
    setAttr(n, name, std::to_string(value));
}

// The child `name`, created (at the end, or before `before`) when missing.
pugi::xml_node child(pugi::xml_node parent, const char* name, pugi::xml_node before = {}) {
    if (pugi::xml_node c = parent.child(name))
        return c;
    return before ? parent.insert_child_before(name, before) : parent.append_child(name);
}

void shade(pugi::xml_node props, const char* fill) {
    pugi::xml_node shd = props.append_child("w:shd");
    setAttr(shd, "w:val", "clear");
    setAttr(shd, "w:color", "auto");
    setAttr(shd, "w:fill", fill);
    setAttr(shd, "w:themeFill", "background1");
    if (std::string(fill) == kGrey)
        setAttr(shd, "w:themeFillShade", "D9");
}

pugi::xml_node paragraph(pugi::xml_node parent, const QString& text, const TextFormat& f,
                         pugi::xml_node before = {}) {
    pugi::xml_node p =
        before ? parent.insert_child_before("w:p", before) : parent.append_child("w:p");
    pugi::xml_node ppr = p.append_child("w:pPr");
    ppr.append_child("w:bidi");
    if (f.listSpacing) {
        pugi::xml_node sp = ppr.append_child("w:spacing");
        setAttr(sp, "w:before", 0);
        setAttr(sp, "w:after", 0);
        setAttr(sp, "w:line", 216); // 0.9 lines
        setAttr(sp, "w:lineRule", "auto");
        pugi::xml_node ind = ppr.append_child("w:ind");
        setAttr(ind, "w:left", 0);
        setAttr(ind, "w:right", 0);
        setAttr(ind, "w:firstLine", 0);
    }
    setAttr(ppr.append_child("w:jc"), "w:val", "center");
    pugi::xml_node rpr = ppr.append_child("w:rPr");
    auto runFormat = [&f](pugi::xml_node r) {
        pugi::xml_node fonts = r.append_child("w:rFonts");
        for (const char* a : {"w:ascii", "w:hAnsi", "w:cs", "w:eastAsia"})
            setAttr(fonts, a, f.font);
        setAttr(r.append_child("w:sz"), "w:val", f.halfPoints);
        setAttr(r.append_child("w:szCs"), "w:val", f.halfPoints);
        r.append_child("w:rtl");
    };
    runFormat(rpr);
    if (text.isEmpty())
        return p;
    pugi::xml_node run = p.append_child("w:r");
    runFormat(run.append_child("w:rPr"));
    pugi::xml_node t = run.append_child("w:t");
    setAttr(t, "xml:space", "preserve");
    t.text().set(xmlAllowedText(text, false).toStdString().c_str());
    return p;
}

struct Cell {
    QString text;
    const char* fill = nullptr; // explicit shading, or none
};

// A table of fixed column widths in the table style of the template, its
// first column at the right. Without borders when `borders` is false.
pugi::xml_node table(pugi::xml_node parent, pugi::xml_node before, const std::vector<int>& widths,
                     bool borders, const char* tableFill) {
    pugi::xml_node tbl =
        before ? parent.insert_child_before("w:tbl", before) : parent.append_child("w:tbl");
    pugi::xml_node pr = tbl.append_child("w:tblPr");
    setAttr(pr.append_child("w:tblStyle"), "w:val", "TableGrid");
    pr.append_child("w:bidiVisual");
    int total = 0;
    for (int w : widths)
        total += w;
    pugi::xml_node tw = pr.append_child("w:tblW");
    setAttr(tw, "w:w", total);
    setAttr(tw, "w:type", "dxa");
    if (!borders) {
        pugi::xml_node b = pr.append_child("w:tblBorders");
        for (const char* side :
             {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"})
            setAttr(b.append_child(side), "w:val", "none");
    }
    if (tableFill)
        shade(pr, tableFill);
    setAttr(pr.append_child("w:tblLayout"), "w:type", "fixed");
    pugi::xml_node look = pr.append_child("w:tblLook");
    setAttr(look, "w:firstRow", 1);
    setAttr(look, "w:lastRow", 0);
    setAttr(look, "w:firstColumn", 1);
    setAttr(look, "w:lastColumn", 0);
    setAttr(look, "w:noHBand", 0);
    setAttr(look, "w:noVBand", 1);
    pugi::xml_node grid = tbl.append_child("w:tblGrid");
    for (int w : widths)
        setAttr(grid.append_child("w:gridCol"), "w:w", w);
    return tbl;
}

void row(pugi::xml_node tbl, const std::vector<int>& widths, const std::vector<Cell>& cells,
         const TextFormat& f) {
    pugi::xml_node tr = tbl.append_child("w:tr");
    for (std::size_t i = 0; i < widths.size(); ++i) {
        pugi::xml_node tc = tr.append_child("w:tc");
        pugi::xml_node pr = tc.append_child("w:tcPr");
        pugi::xml_node w = pr.append_child("w:tcW");
        setAttr(w, "w:w", widths[i]);
        setAttr(w, "w:type", "dxa");
        const Cell cell = i < cells.size() ? cells[i] : Cell{};
        if (cell.fill)
            shade(pr, cell.fill);
        paragraph(tc, cell.text, f);
    }
}

void removeAllBut(pugi::xml_node parent, pugi::xml_node keep) {
    for (pugi::xml_node c = parent.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (c != keep)
            parent.remove_child(c);
        c = next;
    }
}

// The page: A4 landscape when asked, the header and footer 1.25 cm from the
// edges, no gutter, one header for every page. Returns the text width.
int setUpPage(pugi::xml_node sectPr, bool landscape) {
    pugi::xml_node size = child(sectPr, "w:pgSz");
    if (landscape) {
        setAttr(size, "w:w", 16838);
        setAttr(size, "w:h", 11906);
        setAttr(size, "w:orient", "landscape");
    }
    pugi::xml_node margins = child(sectPr, "w:pgMar");
    setAttr(margins, "w:header", cmToTwips(1.25));
    setAttr(margins, "w:footer", cmToTwips(1.25));
    setAttr(margins, "w:gutter", 0);
    sectPr.remove_child("w:titlePg");
    const int width = size.attribute("w:w").as_int(11906) - margins.attribute("w:left").as_int() -
                      margins.attribute("w:right").as_int();
    return std::max(width, cmToTwips(6));
}

// The part of the page header that every page shows, made when the template
// has none.
QString defaultHeaderPart(OoxmlPackage& package, pugi::xml_node sectPr) {
    pugi::xml_document rels;
    parseXml(rels, package.part(kDocumentRels), kDocumentRels);
    pugi::xml_node list = rels.child("Relationships");
    for (pugi::xml_node ref : sectPr.children("w:headerReference")) {
        if (std::string(ref.attribute("w:type").value()) != "default")
            continue;
        const std::string id = ref.attribute("r:id").value();
        for (pugi::xml_node r : list.children("Relationship"))
            if (id == r.attribute("Id").value()) {
                const QString target = QString::fromUtf8(r.attribute("Target").value());
                return target.startsWith(QLatin1Char('/')) ? target.mid(1)
                                                           : QStringLiteral("word/") + target;
            }
    }
    // None: a new header part, its relationship and its content type.
    int n = 1;
    while (package.contains(QStringLiteral("word/header%1.xml").arg(n)))
        ++n;
    const QString file = QStringLiteral("header%1.xml").arg(n);
    const std::string id = "rIdSijillHeader" + std::to_string(n);
    pugi::xml_node rel = list.append_child("Relationship");
    setAttr(rel, "Id", id);
    setAttr(rel, "Type", kHeaderRel);
    setAttr(rel, "Target", file.toStdString());
    package.setPart(kDocumentRels, xmlBytes(rels));

    pugi::xml_document types;
    parseXml(types, package.part(kContentTypes), kContentTypes);
    pugi::xml_node o = types.child("Types").append_child("Override");
    setAttr(o, "PartName", "/word/" + file.toStdString());
    setAttr(o, "ContentType", kHeaderType);
    package.setPart(kContentTypes, xmlBytes(types));

    pugi::xml_node ref = sectPr.prepend_child("w:headerReference");
    setAttr(ref, "w:type", "default");
    setAttr(ref, "r:id", id);
    const QString part = QStringLiteral("word/") + file;
    package.setPart(
        part, QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                                "<w:hdr xmlns:w=\"http://schemas.openxmlformats.org/"
                                "wordprocessingml/2006/main\"/>"));
    return part;
}

void writeHeader(OoxmlPackage& package, const QString& part, const CustomList& list,
                 int textWidth) {
    pugi::xml_document doc;
    parseXml(doc, package.part(part), part);
    pugi::xml_node hdr = doc.child("w:hdr");
    if (!hdr)
        throw ExportError{QStringLiteral("القالب تالف، تعذرت قراءة الجزء %1").arg(part)};
    removeAllBut(hdr, {});
    const TextFormat f = headerFormat();
    const int third = textWidth / 3;
    const std::vector<int> widths{third, third, third};
    pugi::xml_node tbl = table(hdr, {}, widths, false, nullptr);
    const QString rows[4][3] = {
        {QStringLiteral("المملكة العربية السعودية"), QStringLiteral("بسم الله الرحمن الرحيم"),
         list.semester + QStringLiteral("- ") + list.year},
        {QStringLiteral("وزارة التعليم"), {}, list.classKey},
        {list.administration, {}, QStringLiteral("كشف مخصص")},
        {list.school, {}, {}},
    };
    for (const auto& r : rows)
        row(tbl, widths, {{r[0]}, {r[1]}, {r[2]}}, f);
    paragraph(hdr, {}, f);
    package.setPart(part, xmlBytes(doc));
}

// The body starts below the page header: four rows and the paragraph after
// them, measured at the header's font. A header taller than the top margin
// would push the list down and spill a short list onto a page of its own.
void makeRoomForHeader(pugi::xml_node sectPr) {
    const TextFormat f = headerFormat();
    pugi::xml_node margins = child(sectPr, "w:pgMar");
    const int needed = margins.attribute("w:header").as_int() + 5 * lineTwips(f) + kHeaderGapTwips;
    if (margins.attribute("w:top").as_int() < needed)
        setAttr(margins, "w:top", needed);
}

// The designed widths (1, 2.5, 7 and 9 or 18 cm) with their total kept: the
// civil-registry and name columns widen to hold their longest text on one
// line, taking the width from the notes column.
std::vector<int> listWidths(const CustomList& list, const TextFormat& f) {
    std::vector<int> w{cmToTwips(1), cmToTwips(2.5), cmToTwips(7),
                       cmToTwips(list.landscape ? 18 : 9)};
    QStringList civil{QStringLiteral("السجل المدني"), QStringLiteral("0000000000")};
    QStringList names{QStringLiteral("الاسم")};
    for (const CustomListRow& r : list.rows) {
        civil << r.civil;
        names << r.name;
    }
    const int spare = w[3] - cmToTwips(kMinNotesCm);
    const int civilMore = std::clamp(cellTwips(f, civil) - w[1], 0, spare);
    const int namesMore = std::clamp(cellTwips(f, names) - w[2], 0, spare - civilMore);
    w[1] += civilMore;
    w[2] += namesMore;
    w[3] -= civilMore + namesMore;
    return w;
}

void writeList(pugi::xml_node body, pugi::xml_node sectPr, const CustomList& list) {
    const TextFormat f{platform::fontFamilyFor(platform::windowFamily()).toStdString(), 24, true};
    const std::vector<int> widths = listWidths(list, f);
    pugi::xml_node tbl = table(body, sectPr, widths, true, kGrey);
    row(tbl, widths,
        {{QStringLiteral("م"), kGrey},
         {QStringLiteral("السجل المدني"), kGrey},
         {QStringLiteral("الاسم"), kGrey},
         {QStringLiteral("ملحوظات"), kGrey}},
        f);
    for (const CustomListRow& r : list.rows)
        row(tbl, widths, {{r.number, kGrey}, {r.civil, kWhite}, {r.name, kWhite}, {{}, kWhite}}, f);
    // The list is typed into a table of two rows: without students its second
    // row stays, empty and grey.
    if (list.rows.empty())
        row(tbl, widths, {{{}, kGrey}, {{}, kGrey}, {{}, kGrey}, {{}, kGrey}}, f);
    // The body ends with a paragraph after the table, which a table that fills
    // its last page would push onto a page holding only the page header. It is
    // one point high exactly, whatever size a word processor gives an empty
    // paragraph (one takes its style's, not its mark's), and its mark hidden
    // where the processor hides one.
    pugi::xml_node closing = paragraph(body, {}, TextFormat{f.font, 2, true}, sectPr);
    pugi::xml_node props = closing.child("w:pPr");
    pugi::xml_node spacing = props.child("w:spacing");
    setAttr(spacing, "w:line", 20);
    setAttr(spacing, "w:lineRule", "exact");
    pugi::xml_node mark = props.child("w:rPr");
    mark.insert_child_before("w:vanish", mark.child("w:sz"));
}

} // namespace

int cmToTwips(double cm) {
    return static_cast<int>(std::lround(cm * 1440.0 / 2.54));
}

QByteArray buildCustomListDocx(const QString& templatePath, const CustomList& list) {
    OoxmlPackage package = OoxmlPackage::read(templatePath);
    pugi::xml_document doc;
    parseXml(doc, package.part(kDocument), kDocument);
    pugi::xml_node body = doc.child("w:document").child("w:body");
    if (!body)
        throw ExportError{QStringLiteral("القالب تالف، تعذرت قراءة الجزء %1").arg(kDocument)};
    pugi::xml_node sectPr = child(body, "w:sectPr");
    // The new document starts from the template's page and styles, not its text.
    removeAllBut(body, sectPr);
    const int textWidth = setUpPage(sectPr, list.landscape);
    writeHeader(package, defaultHeaderPart(package, sectPr), list, textWidth);
    makeRoomForHeader(sectPr);
    writeList(body, sectPr, list);
    package.setPart(kDocument, xmlBytes(doc));
    return package.toBytes();
}

} // namespace sijill::reports
