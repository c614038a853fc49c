#include "reports/XlsxSheet.h"

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

QString columnName(int column) {
    QString name;
    for (; column > 0; column = (column - 1) / 26)
        name.prepend(QChar(u'A' + (column - 1) % 26));
    return name;
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
