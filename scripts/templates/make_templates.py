#!/usr/bin/python3
"""Makes the names-export templates in the templates folder:

Evaluation.xlsx      the workbook the Excel export fills (cells C4, AA2, AA3,
                     AA4, D7 and the names from C12 down), right to left.
StylesTemplate.docx  the styles, A4 page and page header of the Word export.

Run: /usr/bin/python3 scripts/templates/make_templates.py
The files are written with fixed dates, so a rerun gives the same bytes.
"""
import os
import zipfile

HERE = os.path.join(
    os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))), "templates")
STAMP = (2024, 1, 1, 0, 0, 0)

XML = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
NS_MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
NS_REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
NS_PKG_REL = "http://schemas.openxmlformats.org/package/2006/relationships"
NS_W = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
OFFICE_DOC = NS_REL + "/officeDocument"


def write_zip(path, parts):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, text in parts:
            info = zipfile.ZipInfo(name, STAMP)
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, text.encode("utf-8"))


def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


# ---------------------------------------------------------------- workbook

# Evaluation columns D..M, a total in N; names in C from row 12, room for a
# class of 45.
FIRST_ROW, LAST_ROW = 12, 56
SHEET_NAME = "التقويم"
MARKS = [chr(c) for c in range(ord("D"), ord("M") + 1)]

# The installed Arabic font: its widths are the ones the column widths below
# were measured with.
SHEET_FONT = "Noto Sans Arabic"

# Column widths in characters. The label columns hold their bold labels
# whole; the eleven spacer columns between the total and the profile labels
# are kept (their cell addresses stay) but narrow.
COLUMN_WIDTHS = [(1, 1, 1), (2, 2, 6), (3, 3, 27), (4, 13, 4), (14, 14, 8), (15, 25, 0.4),
                 (26, 26, 15), (27, 27, 25)]
# Row heights in points: the title, thin gaps between the header blocks, and
# the profile, heading and student rows. Fixed, so that a class of 45 fits
# one A4 page.
ROW_HEIGHTS = {1: 28, 5: 9, 6: 9, 8: 9, 9: 9, 10: 9, 11: 20}
ROW_HEIGHT = 18

# Cell formats (cellXfs order).
XF_DEFAULT, XF_TITLE, XF_LABEL, XF_VALUE, XF_HEAD, XF_NAME, XF_NUMBER, XF_CLASS = range(8)


def styles_xml():
    fonts = (
        '<font><sz val="11"/><name val="%s"/><family val="2"/></font>'
        '<font><b/><sz val="16"/><name val="%s"/><family val="2"/></font>'
        '<font><b/><sz val="11"/><name val="%s"/><family val="2"/></font>'
    ) % (SHEET_FONT, SHEET_FONT, SHEET_FONT)
    fills = (
        '<fill><patternFill patternType="none"/></fill>'
        '<fill><patternFill patternType="gray125"/></fill>'
        '<fill><patternFill patternType="solid"><fgColor rgb="FFD9D9D9"/>'
        '<bgColor indexed="64"/></patternFill></fill>'
    )
    thin = '<{0} style="thin"><color auto="1"/></{0}>'
    borders = (
        "<border><left/><right/><top/><bottom/><diagonal/></border>"
        "<border>" + "".join(thin.format(s) for s in ("left", "right", "top", "bottom"))
        + "<diagonal/></border>"
    )

    def xf(font, fill, border, horizontal=None, extra="", shrink=False):
        align = ('<alignment horizontal="%s" vertical="center" readingOrder="2"%s/>'
                 % (horizontal, ' shrinkToFit="1"' if shrink else "") if horizontal else "")
        return ('<xf numFmtId="49" fontId="%d" fillId="%d" borderId="%d" xfId="0" '
                'applyNumberFormat="1" applyFont="1" applyFill="1" applyBorder="1" '
                'applyAlignment="1"%s>%s</xf>' % (font, fill, border, extra, align))

    xfs = [
        '<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>',
        xf(1, 0, 0, "center"),           # title
        xf(2, 0, 0, "right"),            # label
        xf(0, 0, 0, "right", shrink=True),  # profile value: a long one shrinks, whole
        xf(2, 2, 1, "center"),           # table heading
        xf(0, 0, 1, "right"),            # name
        '<xf numFmtId="0" fontId="0" fillId="0" borderId="1" xfId="0" applyBorder="1" '
        'applyAlignment="1"><alignment horizontal="center" vertical="center"/></xf>',
        xf(2, 0, 0, "right"),            # class
    ]
    return (XML + '<styleSheet xmlns="%s">' % NS_MAIN
            + '<fonts count="3">%s</fonts>' % fonts
            + '<fills count="3">%s</fills>' % fills
            + '<borders count="2">%s</borders>' % borders
            + '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/>'
              '</cellStyleXfs>'
            + '<cellXfs count="%d">%s</cellXfs>' % (len(xfs), "".join(xfs))
            + '<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>'
            + "</styleSheet>")


def col_number(letters):
    n = 0
    for ch in letters:
        n = n * 26 + ord(ch) - 64
    return n


def cell(ref, style, text=None, formula=None):
    if formula is not None:
        return '<c r="%s" s="%d"><f>%s</f></c>' % (ref, style, esc(formula))
    if text is not None:
        return '<c r="%s" s="%d" t="inlineStr"><is><t>%s</t></is></c>' % (ref, style, esc(text))
    return '<c r="%s" s="%d"/>' % (ref, style)


def sheet_xml():
    rows = {}

    def put(ref, xml):
        letters = "".join(ch for ch in ref if ch.isalpha())
        number = int(ref[len(letters):])
        rows.setdefault(number, []).append((col_number(letters), xml))

    put("C1", cell("C1", XF_TITLE, "كشف تقويم الطلاب"))
    put("B4", cell("B4", XF_LABEL, "الإدارة"))
    put("C4", cell("C4", XF_VALUE))
    put("Z2", cell("Z2", XF_LABEL, "المدرسة"))
    put("AA2", cell("AA2", XF_VALUE))
    put("Z3", cell("Z3", XF_LABEL, "العام الدراسي"))
    put("AA3", cell("AA3", XF_VALUE))
    put("Z4", cell("Z4", XF_LABEL, "الفصل الدراسي"))
    put("AA4", cell("AA4", XF_VALUE))
    put("C7", cell("C7", XF_LABEL, "الصف والفصل"))
    put("D7", cell("D7", XF_CLASS))
    put("B11", cell("B11", XF_HEAD, "م"))
    put("C11", cell("C11", XF_HEAD, "اسم الطالب"))
    for i, col in enumerate(MARKS, 1):
        put(col + "11", cell(col + "11", XF_HEAD, str(i)))
    put("N11", cell("N11", XF_HEAD, "المجموع"))
    for r in range(FIRST_ROW, LAST_ROW + 1):
        put("B%d" % r, cell("B%d" % r, XF_NUMBER, formula='IF(C%d="","",ROW()-%d)'
                            % (r, FIRST_ROW - 1)))
        put("C%d" % r, cell("C%d" % r, XF_NAME))
        for col in MARKS:
            put("%s%d" % (col, r), cell("%s%d" % (col, r), XF_NUMBER))
        put("N%d" % r, cell("N%d" % r, XF_NUMBER,
                            formula='IF(C%d="","",SUM(D%d:M%d))' % (r, r, r)))

    for n in range(1, LAST_ROW + 1):
        rows.setdefault(n, [])
    data = "".join('<row r="%d" ht="%g" customHeight="1">%s</row>'
                   % (n, ROW_HEIGHTS.get(n, ROW_HEIGHT), "".join(x for _, x in sorted(cells)))
                   for n, cells in sorted(rows.items()))
    cols = "".join('<col min="%d" max="%d" width="%g" customWidth="1"/>' % w
                   for w in COLUMN_WIDTHS)
    return (XML + '<worksheet xmlns="%s" xmlns:r="%s">' % (NS_MAIN, NS_REL)
            + '<sheetPr><pageSetUpPr fitToPage="1"/></sheetPr>'
            + '<dimension ref="B1:AA%d"/>' % LAST_ROW
            + '<sheetViews><sheetView rightToLeft="1" tabSelected="1" workbookViewId="0">'
              '<selection activeCell="C12" sqref="C12"/></sheetView></sheetViews>'
            + '<sheetFormatPr defaultRowHeight="%g" customHeight="1"/>' % ROW_HEIGHT
            + "<cols>%s</cols>" % cols
            + "<sheetData>%s</sheetData>" % data
            + '<mergeCells count="1"><mergeCell ref="C1:N1"/></mergeCells>'
            + '<pageMargins left="0.3" right="0.3" top="0.4" bottom="0.4" header="0.2" '
              'footer="0.2"/>'
            + '<pageSetup paperSize="9" orientation="portrait" fitToWidth="1" fitToHeight="1"/>'
            + "</worksheet>")


def make_workbook():
    parts = [
        ("[Content_Types].xml", XML
         + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
           '<Default Extension="rels" ContentType="application/'
           'vnd.openxmlformats-package.relationships+xml"/>'
           '<Default Extension="xml" ContentType="application/xml"/>'
           '<Override PartName="/xl/workbook.xml" ContentType="application/'
           'vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
           '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/'
           'vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
           '<Override PartName="/xl/styles.xml" ContentType="application/'
           'vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>'
           "</Types>"),
        ("_rels/.rels", XML + '<Relationships xmlns="%s">' % NS_PKG_REL
         + '<Relationship Id="rId1" Type="%s" Target="xl/workbook.xml"/>' % OFFICE_DOC
         + "</Relationships>"),
        ("xl/workbook.xml", XML + '<workbook xmlns="%s" xmlns:r="%s">' % (NS_MAIN, NS_REL)
         + '<bookViews><workbookView activeTab="0"/></bookViews>'
         + '<sheets><sheet name="%s" sheetId="1" r:id="rId1"/></sheets>' % SHEET_NAME
         # The title, the school's lines and the table's heading on every page.
         + '<definedNames><definedName name="_xlnm.Print_Titles" localSheetId="0">'
           "'%s'!$1:$%d</definedName></definedNames>" % (SHEET_NAME, FIRST_ROW - 1)
         + '<calcPr calcId="0" fullCalcOnLoad="1"/>'
         + "</workbook>"),
        ("xl/_rels/workbook.xml.rels", XML + '<Relationships xmlns="%s">' % NS_PKG_REL
         + '<Relationship Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/>' % NS_REL
         + '<Relationship Id="rId2" Type="%s/styles" Target="styles.xml"/>' % NS_REL
         + "</Relationships>"),
        ("xl/worksheets/sheet1.xml", sheet_xml()),
        ("xl/styles.xml", styles_xml()),
    ]
    write_zip(os.path.join(HERE, "Evaluation.xlsx"), parts)


# ---------------------------------------------------------------- document

FONT = "Noto Sans Arabic"


def make_document():
    run_defaults = (
        '<w:rPr><w:rFonts w:ascii="%s" w:hAnsi="%s" w:cs="%s" w:eastAsia="%s"/>'
        '<w:sz w:val="24"/><w:szCs w:val="24"/><w:lang w:val="ar-SA" w:bidi="ar-SA"/></w:rPr>'
        % (FONT, FONT, FONT, FONT))
    single = '<w:%s w:val="single" w:sz="4" w:space="0" w:color="auto"/>'
    grid_borders = "".join(single % s for s in
                           ("top", "left", "bottom", "right", "insideH", "insideV"))
    styles = (
        XML + '<w:styles xmlns:w="%s">' % NS_W
        + "<w:docDefaults><w:rPrDefault>%s</w:rPrDefault>" % run_defaults
        + '<w:pPrDefault><w:pPr><w:bidi/><w:spacing w:after="0" w:line="240" '
          'w:lineRule="auto"/></w:pPr></w:pPrDefault></w:docDefaults>'
        + '<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/>'
          '<w:qFormat/><w:pPr><w:bidi/></w:pPr><w:rPr><w:rtl/></w:rPr></w:style>'
        + '<w:style w:type="paragraph" w:styleId="Header"><w:name w:val="header"/>'
          '<w:basedOn w:val="Normal"/><w:pPr><w:tabs><w:tab w:val="center" w:pos="4680"/>'
          '<w:tab w:val="right" w:pos="9360"/></w:tabs></w:pPr></w:style>'
        + '<w:style w:type="table" w:default="1" w:styleId="TableNormal">'
          '<w:name w:val="Normal Table"/><w:tblPr><w:tblInd w:w="0" w:type="dxa"/>'
          '<w:tblCellMar><w:top w:w="0" w:type="dxa"/><w:left w:w="108" w:type="dxa"/>'
          '<w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar>'
          '</w:tblPr></w:style>'
        + '<w:style w:type="table" w:styleId="TableGrid"><w:name w:val="Table Grid"/>'
          '<w:basedOn w:val="TableNormal"/><w:tblPr><w:tblBorders>%s</w:tblBorders></w:tblPr>'
          '</w:style>' % grid_borders
        + "</w:styles>")
    settings = (XML + '<w:settings xmlns:w="%s">' % NS_W
                + '<w:defaultTabStop w:val="720"/><w:autoHyphenation/>'
                  '<w:characterSpacingControl w:val="doNotCompress"/>'
                  '<w:compat><w:compatSetting w:name="compatibilityMode" '
                  'w:uri="http://schemas.microsoft.com/office/word" w:val="15"/></w:compat>'
                + "</w:settings>")
    # A4 portrait; narrow side margins so the 19.5 cm list fits, a top margin
    # that leaves room for the four-line page header.
    section = ('<w:sectPr><w:headerReference w:type="default" r:id="rId3"/>'
               '<w:pgSz w:w="11906" w:h="16838"/>'
               '<w:pgMar w:top="2268" w:right="340" w:bottom="1134" w:left="340" '
               'w:header="709" w:footer="709" w:gutter="0"/>'
               '<w:cols w:space="708"/><w:bidi/><w:docGrid w:linePitch="360"/></w:sectPr>')
    document = (XML + '<w:document xmlns:w="%s" xmlns:r="%s">' % (NS_W, NS_REL)
                + "<w:body><w:p><w:pPr><w:bidi/></w:pPr></w:p>%s</w:body></w:document>" % section)
    header = (XML + '<w:hdr xmlns:w="%s" xmlns:r="%s">' % (NS_W, NS_REL)
              + '<w:p><w:pPr><w:pStyle w:val="Header"/><w:bidi/></w:pPr></w:p></w:hdr>')
    wml = "application/vnd.openxmlformats-officedocument.wordprocessingml"
    parts = [
        ("[Content_Types].xml", XML
         + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
           '<Default Extension="rels" ContentType="application/'
           'vnd.openxmlformats-package.relationships+xml"/>'
           '<Default Extension="xml" ContentType="application/xml"/>'
           '<Override PartName="/word/document.xml" ContentType="%s.document.main+xml"/>'
           '<Override PartName="/word/styles.xml" ContentType="%s.styles+xml"/>'
           '<Override PartName="/word/settings.xml" ContentType="%s.settings+xml"/>'
           '<Override PartName="/word/header1.xml" ContentType="%s.header+xml"/>'
           "</Types>" % (wml, wml, wml, wml)),
        ("_rels/.rels", XML + '<Relationships xmlns="%s">' % NS_PKG_REL
         + '<Relationship Id="rId1" Type="%s" Target="word/document.xml"/>' % OFFICE_DOC
         + "</Relationships>"),
        ("word/document.xml", document),
        ("word/_rels/document.xml.rels", XML + '<Relationships xmlns="%s">' % NS_PKG_REL
         + '<Relationship Id="rId1" Type="%s/styles" Target="styles.xml"/>' % NS_REL
         + '<Relationship Id="rId2" Type="%s/settings" Target="settings.xml"/>' % NS_REL
         + '<Relationship Id="rId3" Type="%s/header" Target="header1.xml"/>' % NS_REL
         + "</Relationships>"),
        ("word/styles.xml", styles),
        ("word/settings.xml", settings),
        ("word/header1.xml", header),
    ]
    write_zip(os.path.join(HERE, "StylesTemplate.docx"), parts)


if __name__ == "__main__":
    make_workbook()
    make_document()
