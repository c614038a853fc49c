#include "reports/XlsxSheet.h"

#include "reports/SheetFormula.h"

#include <functional>
#include <pugixml.hpp>

namespace sijill::reports {

namespace {

const QString kWorkbook = QStringLiteral("xl/workbook.xml");
const QString kWorkbookRels = QStringLiteral("xl/_rels/workbook.xml.rels");

// The value of the attribute whose local name is `local` ("r:id" -> "id").
const char* prefixedAttribute(const pugi::xml_node& n, const char* local) {
    const std::string suffix = std::string(":") + local;
    for (const pugi::xml_attribute& a : n.attributes()) {
        const std::string name = a.name();
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            return a.value();
    }
    return "";
}

// The path inside the package of a relationship target of xl/workbook.xml.
QString resolveTarget(const QString& target) {
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

// XML 1.0 cannot carry most control characters.
std::string xmlText(const QString& text) {
    return xmlAllowedText(text).toStdString();
}

int uintAttr(const pugi::xml_node& n, const char* name) {
    return static_cast<int>(n.attribute(name).as_uint());
}

} // namespace

std::pair<int, int> cellPosition(const QString& cell) {
    int column = 0;
    qsizetype i = 0;
    for (; i < cell.size() && cell[i].isUpper() && cell[i].unicode() < 128; ++i)
        column = column * 26 + (cell[i].unicode() - u'A' + 1);
    bool ok = false;
    const int row = cell.mid(i).toInt(&ok);
    if (i == 0 || !ok || row < 1 || column > 16384)
        return {0, 0};
    return {column, row};
}

struct XlsxSheet::Impl {
    OoxmlPackage& package;
    QString sheetPart;
    QString sheetName;
    int sheetIndex = 0;
    pugi::xml_document workbook;
    pugi::xml_document sheet;
    int maxColumn = 0;
    int maxRow = 0;

    explicit Impl(OoxmlPackage& p) : package(p) {}

    void findActiveSheet() {
        parseXml(workbook, package.part(kWorkbook), kWorkbook);
        const pugi::xml_node wb = workbook.child("workbook");
        const int active = uintAttr(wb.child("bookViews").child("workbookView"), "activeTab");
        pugi::xml_node entry;
        int i = 0;
        for (pugi::xml_node s : wb.child("sheets").children("sheet"))
            if (i++ == active)
                entry = s;
        sheetName = QString::fromUtf8(entry.attribute("name").value());
        sheetIndex = active;
        pugi::xml_document rels;
        parseXml(rels, package.part(kWorkbookRels), kWorkbookRels);
        const std::string id = prefixedAttribute(entry, "id");
        for (pugi::xml_node r : rels.child("Relationships").children("Relationship"))
            if (!id.empty() && id == r.attribute("Id").value())
                sheetPart = resolveTarget(QString::fromUtf8(r.attribute("Target").value()));
        if (sheetPart.isEmpty())
            throw ExportError{QStringLiteral("القالب تالف، لا توجد فيه ورقة عمل")};
        parseXml(sheet, package.part(sheetPart), sheetPart);
        if (!sheet.child("worksheet").child("sheetData"))
            throw ExportError{QStringLiteral("القالب تالف، لا توجد فيه ورقة عمل")};
    }

    pugi::xml_node rowNode(int number) {
        pugi::xml_node data = sheet.child("worksheet").child("sheetData");
        for (pugi::xml_node r : data.children("row")) {
            const int n = uintAttr(r, "r");
            if (n == number)
                return r;
            if (n > number) {
                pugi::xml_node added = data.insert_child_before("row", r);
                added.append_attribute("r") = number;
                return added;
            }
        }
        pugi::xml_node added = data.append_child("row");
        added.append_attribute("r") = number;
        return added;
    }

    // A new cell's style: its row's when the row has one, else that of the
    // cell above it in the row before, so a list running past the template's
    // rows keeps its look; else its column's.
    unsigned styleFor(const pugi::xml_node& row, int column) {
        if (row.attribute("customFormat").as_bool())
            return row.attribute("s").as_uint();
        const pugi::xml_node above = row.previous_sibling("row");
        if (uintAttr(above, "r") == uintAttr(row, "r") - 1)
            for (pugi::xml_node c : above.children("c"))
                if (cellPosition(QString::fromUtf8(c.attribute("r").value())).first == column)
                    return c.attribute("s").as_uint();
        for (pugi::xml_node c : sheet.child("worksheet").child("cols").children("col"))
            if (uintAttr(c, "min") <= column && column <= uintAttr(c, "max"))
                return c.attribute("style").as_uint();
        return 0;
    }

    pugi::xml_node worksheet() const { return sheet.child("worksheet"); }

    static pugi::xml_node cellIn(const pugi::xml_node& row, int column) {
        for (pugi::xml_node c : row.children("c"))
            if (cellPosition(QString::fromUtf8(c.attribute("r").value())).first == column)
                return c;
        return {};
    }

    static bool holdsSomething(const pugi::xml_node& cell) {
        return cell.child("v") || cell.child("is") || cell.child("f");
    }

    // The last of the list rows from `firstRow` (see growList); 0 when the
    // template has none.
    int lastListRow(int firstRow, int column) {
        pugi::xml_node row;
        for (pugi::xml_node r : worksheet().child("sheetData").children("row"))
            if (uintAttr(r, "r") == firstRow)
                row = r;
        const pugi::xml_node first = cellIn(row, column);
        if (!first || holdsSomething(first))
            return 0;
        const std::string style = first.attribute("s").value();
        int last = firstRow;
        for (pugi::xml_node r = row.next_sibling("row"); r; r = r.next_sibling("row")) {
            const pugi::xml_node c = cellIn(r, column);
            if (uintAttr(r, "r") != last + 1 || !c || holdsSomething(c) ||
                style != c.attribute("s").value())
                break;
            ++last;
        }
        return last;
    }

    using Rewrite = std::function<QString(const QString&)>;

    static void rewriteAttr(pugi::xml_node n, const char* name, const Rewrite& f) {
        if (pugi::xml_attribute a = n.attribute(name))
            a.set_value(f(QString::fromUtf8(a.value())).toStdString().c_str());
    }

    static void rewriteText(pugi::xml_node n, const Rewrite& f) {
        if (n)
            n.text().set(f(QString::fromUtf8(n.text().get())).toStdString().c_str());
    }

    // Makes room for `count` rows below row `last`: the rows below move down
    // and every reference of the sheet and of its defined names follows; a
    // range from above `last` that ends on it grows over the new rows.
    void insertRowsBelow(int last, int count) {
        const Rewrite grown = [&](const QString& f) {
            return formulaWithRowsInserted(f, last, count, true, sheetName);
        };
        const Rewrite moved = [&](const QString& f) {
            return formulaWithRowsInserted(f, last, count, false, sheetName);
        };
        pugi::xml_node ws = worksheet();
        for (pugi::xml_node r : ws.child("sheetData").children("row")) {
            const bool below = uintAttr(r, "r") > last;
            if (below)
                r.attribute("r").set_value(uintAttr(r, "r") + count);
            for (pugi::xml_node c : r.children("c")) {
                if (below)
                    rewriteAttr(c, "r", moved);
                rewriteText(c.child("f"), grown);
                rewriteAttr(c.child("f"), "ref", moved);
            }
        }
        rewriteAttr(ws.child("dimension"), "ref", grown);
        rewriteAttr(ws.child("autoFilter"), "ref", grown);
        for (pugi::xml_node m : ws.child("mergeCells").children("mergeCell"))
            rewriteAttr(m, "ref", grown);
        for (pugi::xml_node cf : ws.children("conditionalFormatting")) {
            rewriteAttr(cf, "sqref", grown);
            for (pugi::xml_node rule : cf.children("cfRule"))
                for (pugi::xml_node f : rule.children("formula"))
                    rewriteText(f, grown);
        }
        for (pugi::xml_node dv : ws.child("dataValidations").children("dataValidation")) {
            rewriteAttr(dv, "sqref", grown);
            rewriteText(dv.child("formula1"), grown);
            rewriteText(dv.child("formula2"), grown);
        }
        for (pugi::xml_node h : ws.child("hyperlinks").children("hyperlink"))
            rewriteAttr(h, "ref", moved);
        // A break after the list's last row stays after it.
        for (pugi::xml_node b : ws.child("rowBreaks").children("brk"))
            if (uintAttr(b, "id") >= last)
                b.attribute("id").set_value(uintAttr(b, "id") + count);
        for (pugi::xml_node n : workbook.child("workbook").child("definedNames").children())
            rewriteText(n, [&](const QString& f) {
                return formulaWithRowsInserted(f, last, count, true, sheetName, false);
            });
    }

    // The formula of a cell that shares another's: that one's moved here.
    QString sharedFormula(const pugi::xml_node& f, int column, int row) {
        const std::string si = f.attribute("si").value();
        for (pugi::xml_node r : worksheet().child("sheetData").children("row"))
            for (pugi::xml_node c : r.children("c")) {
                const pugi::xml_node mf = c.child("f");
                if (std::string(mf.attribute("t").value()) == "shared" && mf.attribute("ref") &&
                    si == mf.attribute("si").value()) {
                    const auto [mc, mr] = cellPosition(QString::fromUtf8(c.attribute("r").value()));
                    return movedFormula(QString::fromUtf8(mf.text().get()), column - mc, row - mr);
                }
            }
        return {};
    }

    // Row `copy`, a copy of list row `model`, made row `number`.
    void renumberCopy(pugi::xml_node copy, int model, int number) {
        copy.attribute("r").set_value(number);
        for (pugi::xml_node c : copy.children("c")) {
            const int column = cellPosition(QString::fromUtf8(c.attribute("r").value())).first;
            c.attribute("r").set_value(
                (columnName(column) + QString::number(number)).toStdString().c_str());
            pugi::xml_node f = c.child("f");
            if (!f)
                continue;
            // The value the formula last gave is the model's; the workbook
            // computes the copy's when it opens.
            c.remove_child("v");
            c.remove_attribute("t");
            const std::string type = f.attribute("t").value();
            QString text = type == "shared" ? sharedFormula(f, column, model)
                                            : QString::fromUtf8(f.text().get());
            if (type == "shared") {
                f.remove_attribute("t");
                f.remove_attribute("ref");
                f.remove_attribute("si");
            }
            if (type == "array")
                rewriteAttr(f, "ref", [&](const QString& ref) {
                    return movedFormula(ref, 0, number - model);
                });
            f.text().set(movedFormula(text, 0, number - model).toStdString().c_str());
        }
    }

    // A sheet fitted to one page (or a number of pages) tall shrinks as its
    // list grows; its width's fit is kept and it runs onto further pages.
    void letPagesRunOn() {
        pugi::xml_node ws = worksheet();
        if (!ws.child("sheetPr").child("pageSetUpPr").attribute("fitToPage").as_bool())
            return;
        pugi::xml_node setup = ws.child("pageSetup");
        if (!setup) {
            pugi::xml_node next;
            for (const char* later :
                 {"headerFooter", "rowBreaks", "colBreaks", "customProperties", "cellWatches",
                  "ignoredErrors", "smartTags", "drawing", "legacyDrawing", "legacyDrawingHF",
                  "picture", "oleObjects", "controls", "webPublishItems", "tableParts", "extLst"})
                if (!next)
                    next = ws.child(later);
            setup = next ? ws.insert_child_before("pageSetup", next) : ws.append_child("pageSetup");
        }
        setup.remove_attribute("fitToHeight");
        setup.append_attribute("fitToHeight") = 0;
    }

    void growList(int firstRow, int column, int count) {
        const int last = lastListRow(firstRow, column);
        const int needed = firstRow + count - 1;
        if (last == 0 || needed <= last)
            return;
        insertRowsBelow(last, needed - last);
        const pugi::xml_node model = rowNode(last);
        pugi::xml_node data = worksheet().child("sheetData");
        pugi::xml_node at = model;
        for (int r = last + 1; r <= needed; ++r) {
            at = data.insert_copy_after(model, at);
            renumberCopy(at, last, r);
        }
        // Cells merged across the model row are merged across every copy.
        pugi::xml_node merges = worksheet().child("mergeCells");
        std::vector<QString> rowMerges;
        for (pugi::xml_node m : merges.children("mergeCell")) {
            const QString ref = QString::fromUtf8(m.attribute("ref").value());
            if (cellPosition(ref.section(u':', 0, 0)).second == last &&
                cellPosition(ref.section(u':', -1)).second == last)
                rowMerges.push_back(ref);
        }
        for (int r = last + 1; r <= needed; ++r)
            for (const QString& ref : rowMerges)
                merges.append_child("mergeCell").append_attribute("ref") =
                    movedFormula(ref, 0, r - last).toStdString().c_str();
        if (pugi::xml_attribute n = merges.attribute("count")) {
            const auto all = merges.children("mergeCell");
            n.set_value(static_cast<unsigned>(std::distance(all.begin(), all.end())));
        }
        letPagesRunOn();
        maxRow = std::max(maxRow, needed);
    }

    pugi::xml_node cellNode(int column, int rowNumber) {
        pugi::xml_node row = rowNode(rowNumber);
        // The spans are only a hint for readers; a new cell can fall outside them.
        row.remove_attribute("spans");
        const std::string name = (columnName(column) + QString::number(rowNumber)).toStdString();
        pugi::xml_node before;
        for (pugi::xml_node c : row.children("c")) {
            const QString ref = QString::fromUtf8(c.attribute("r").value());
            const int col = cellPosition(ref).first;
            if (ref.toStdString() == name)
                return c;
            if (col > column) {
                before = c;
                break;
            }
        }
        pugi::xml_node cell = before ? row.insert_child_before("c", before) : row.append_child("c");
        cell.append_attribute("r") = name.c_str();
        if (const unsigned s = styleFor(row, column))
            cell.append_attribute("s") = s;
        return cell;
    }
};

XlsxSheet::XlsxSheet(OoxmlPackage& package) : d(std::make_unique<Impl>(package)) {
    d->findActiveSheet();
}

XlsxSheet::~XlsxSheet() = default;

void XlsxSheet::setText(const QString& cell, const QString& text) {
    const auto [column, row] = cellPosition(cell);
    if (column == 0)
        throw ExportError{QStringLiteral("خلية غير صحيحة: %1").arg(cell)};
    pugi::xml_node c = d->cellNode(column, row);
    while (pugi::xml_node child = c.first_child())
        c.remove_child(child);
    c.remove_attribute("t");
    c.append_attribute("t") = "inlineStr";
    pugi::xml_node t = c.append_child("is").append_child("t");
    const std::string value = xmlText(text);
    if (!value.empty() && (value.front() == ' ' || value.back() == ' '))
        t.append_attribute("xml:space") = "preserve";
    t.text().set(value.c_str());
    d->maxColumn = std::max(d->maxColumn, column);
    d->maxRow = std::max(d->maxRow, row);
}

void XlsxSheet::growList(int firstRow, int column, int count) {
    d->growList(firstRow, column, count);
}

void XlsxSheet::save() {
    pugi::xml_node ws = d->sheet.child("worksheet");
    if (pugi::xml_node dim = ws.child("dimension")) {
        const QString ref = QString::fromUtf8(dim.attribute("ref").value());
        const QString first = ref.section(QLatin1Char(':'), 0, 0);
        const auto [lastColumn, lastRow] = cellPosition(ref.section(QLatin1Char(':'), -1));
        const QString last = columnName(std::max(lastColumn, d->maxColumn)) +
                             QString::number(std::max(lastRow, d->maxRow));
        dim.attribute("ref").set_value((first + QLatin1Char(':') + last).toStdString().c_str());
    }
    d->package.setPart(d->sheetPart, xmlBytes(d->sheet));

    pugi::xml_node wb = d->workbook.child("workbook");
    pugi::xml_node calc = wb.child("calcPr");
    if (!calc) {
        // calcPr follows the sheets and any defined names.
        pugi::xml_node after = wb.child("definedNames");
        calc = wb.insert_child_after("calcPr", after ? after : wb.child("sheets"));
    }
    calc.remove_attribute("fullCalcOnLoad");
    calc.append_attribute("fullCalcOnLoad") = "1";
    d->package.setPart(kWorkbook, xmlBytes(d->workbook));
}

} // namespace sijill::reports
