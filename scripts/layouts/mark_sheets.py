#!/usr/bin/env python3
"""Writes the layouts of the mark-sheet menu (Marks ... MarksPeriod) and of the
Quran-school menu (TahMemorization ... TahEva) as JSON files into the layouts
folder, with the header block and the drawing helpers of name_lists.py:

    /usr/bin/python3 scripts/layouts/mark_sheets.py

Geometry is in twips, x from the left edge; the tables read right to left, so
the first column stands at the right edge."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from name_lists import (ARIAL_NUMBER, BORDER, GREY, LAND_NAME, PORTRAIT,  # noqa: E402
                        TEXT_NAMES, Builder, Group, Leaf, body_font, depth, header,
                        leaves, number_and_name, save)


class Col(Leaf):
    """A column whose maximum label has a name of its own (code sets it)."""

    def __init__(self, caption="", maximum=None, name=None, max_name=None, **kw):
        super().__init__(caption, maximum, name=name, **kw)
        self.max_name = max_name
        self.vertical = True


class Up(Leaf):
    """A narrow column whose heading runs up the column."""

    def __init__(self, caption, maximum=None, **kw):
        super().__init__(caption, maximum, **kw)
        self.vertical = True


def ups(pairs):
    return [Up(c, m) for c, m in pairs]


def table(b, columns, x0, x1, heading_font, detail_font, rows, max_height=300,
          detail_height=300):
    """Column headings in Section2 and the detail band in Section1, the first
    column at the right edge x1. `rows` gives the height of each heading
    level; a column ends in the last level (or above its maximum)."""
    all_leaves = list(leaves(columns))
    fixed = sum(l.weight for l in all_leaves if l.weight >= 100)
    shared = sum(l.weight for l in all_leaves if l.weight < 100)
    unit = (x1 - x0 - fixed) / shared if shared else 0
    widths = {id(l): (l.weight if l.weight >= 100 else l.weight * unit) for l in all_leaves}
    assert len(rows) == depth(columns), (b.layout["name"], rows)
    tops = [sum(rows[:i]) for i in range(len(rows))]
    has_max = any(l.maximum is not None for l in all_leaves)
    total = sum(rows) + (max_height if has_max else 0)
    b.sections["Section2"]["height"] = int(total)
    b.sections["Section1"]["height"] = detail_height

    cells = []  # (left, top, width, height, caption, name, align, vertical)
    texts = []

    def walk(nodes, right, level):
        for n in nodes:
            if isinstance(n, Group):
                w = sum(widths[id(l)] for l in leaves(n.children))
                cells.append((right - w, tops[level], w, rows[level], n.caption, n.name,
                              n.align, False))
                walk(n.children, right, level + 1)
            else:
                w = widths[id(n)]
                top = tops[level]
                up = getattr(n, "vertical", False)
                if n.maximum is None:
                    cells.append((right - w, top, w, total - top, n.caption, n.name, "center",
                                  up))
                else:
                    cells.append((right - w, top, w, total - top - max_height, n.caption,
                                  n.name, "center", up))
                    cells.append((right - w, total - max_height, w, max_height, n.maximum,
                                  getattr(n, "max_name", None), "center", False))
                if n.cell:
                    b.cell("Section1", right - w, 0, w, detail_height)
                if n.field:
                    pad = 60 if n.align != "center" else 0
                    texts.append({"kind": "textbox", "name": TEXT_NAMES[n.field],
                                  "dataField": n.field, "left": right - w + pad, "top": 0,
                                  "width": w - 2 * pad, "height": detail_height,
                                  "font": n.font or detail_font, "alignment": n.align})
            right -= w

    walk(columns, x1, 0)
    for left, top, width, height, caption, name, align, up in cells:
        b.cell("Section2", left, top, width, height, fill=GREY)
    for left, top, width, height, caption, name, align, up in cells:
        if not caption and not name:
            continue
        pad = 60 if align != "center" else 0
        extra = {"vertical": True, "wordWrap": True} if up else {}
        b.label("Section2", caption, left + pad, top, width - 2 * pad, height, heading_font,
                align=align, name=name, **extra)
    for t in texts:
        b.add("Section1", t)


def portrait(name, label1, label2, columns, rows, width=PORTRAIT[0],
             heading=body_font(11.25, 500), detail=body_font(12), detail_height=345,
             number_font=body_font(12)):
    b = Builder(name, 1, width)
    header(b, label1, label2)
    x1 = PORTRAIT[2] - (PORTRAIT[0] - width)
    table(b, number_and_name(432, 4300, number_font, detail) + columns, PORTRAIT[1], x1,
          heading, detail, rows, detail_height=detail_height)
    return b


def landscape(name, width, label1, label2, columns, rows, name_width=3400,
              heading=body_font(9.75, 500), detail=body_font(11.25), detail_height=300,
              max_height=300, margins=None, reserve=()):
    b = Builder(name, 2, width, margins)
    header(b, label1, label2)
    b.reserve(*reserve)
    table(b, number_and_name(315, name_width, body_font(11.25), LAND_NAME) + columns, 100,
          width - 100, heading, detail, rows, max_height=max_height,
          detail_height=detail_height)
    return b


def check_footer(b, x0, x1):
    """The recorder's and the checker's lines, each with its signature."""
    b.sections["Section5"]["height"] = 1200
    font = body_font(12, 500)
    half = (x1 - x0) / 2
    for row, who in enumerate(("الراصد", "المطابق")):
        top = 250 + row * 450
        for caption, right in ((who, x1), ("التوقيع", x1 - half)):
            b.label("Section5", caption, right - 1300, top, 1200, 400, font, align="right")
            b.add("Section5", {"kind": "line", "left": right - half + 300, "top": top + 340,
                               "width": half - 1700, "height": 0, "borderColor": BORDER})


def maxima(values):
    return [Leaf(maximum=v) for v in values]


def period_456(second):
    """One period of lang_grade_456. The readings sheet of the Quran school
    writes its own heading and maxima into the second period's first two
    columns, so they carry names."""
    # The first column is wide enough for the readings sheet's heading.
    reading, speaking = "القراءة الجهرية", "الاستماع والتحدث"
    if second:
        first = [Col(reading, name="Label17", maximum="5", max_name="Label18", weight=1.6),
                 Col(speaking, name="Label19", maximum="5", max_name="Label20")]
    else:
        first = [Up(reading, "5", weight=1.6), Up(speaking, "5")]
    tools = Group("أدوات تقويم  ", first + ups([("الحفظ", "4"), ("الخط", "2"),
                                                 ("الإملاء", "4"), ("المجموع", "20")]))
    written = Group("الاختبار التحريري",
                    ups([("الفهم القرائي", "4"), ("الصنف اللغوي", "4"),
                         ("الوظيفة النحوية", "4"), ("الرسم الإملائي", "4"),
                         ("التعبير الكتابي", "4"), ("المجموع", "20")]))
    return [tools, Up("المجموع 2/ ", "10"), written, Up("المجموع 2/ ", "10"),
            Up("اجمالي الفترة", "10")]


def period_3(caption):
    tools = Group("أدوات تقويم  متنوعة نهاية وحدتين",
                  ups([("استماع", "3"), ("التعبير شفهي", "3"), ("القراءة", "7"),
                       ("الحفظ", "3"), ("الإملاء", "2"), ("الخط", "2"), ("المجموع", "20")]))
    written = Group("الاختبار التحريري",
                    ups([("فهم", "4"), ("تراكيب", "4"), ("تعبير كتابي", "4"),
                         ("إملاء منظور", "4"), ("الإملاء الاختباري", "4"), ("المجموع", "20")]))
    return Group(caption, [tools, Up("المجموع 2/ ", "10"), written, Up("المجموع 2/ ", "10"),
                           Up("اجمالي الفترة", "10")])


def mark_sheets():
    teacher, subject = "المعلم:", "المادة:"
    subject2, teacher2 = "المادة/", "المعلم/"
    x0, x1 = PORTRAIT[1], PORTRAIT[2]
    out = []

    b = portrait("Marks", teacher, subject,
                 [Leaf("اختبارات قصيرة"), Leaf("أدوات تقييم متنوعة"), Leaf("ملاحظات")],
                 [600])
    check_footer(b, x0, x1)
    out.append(b)

    quizzes = "اختبارات\nقصيرة\nنظري"
    tools = "تقييم\nأدوات\nمنوعة"
    out.append(portrait("HandExam", teacher, subject,
                        [Group(g, [Leaf(quizzes), Leaf(tools)])
                         for g in ("الفترة الأولى", "الفترة الثانية", "معدل الفترات")],
                        [345, 1150], heading=body_font(9.75, 500), number_font=ARIAL_NUMBER))

    # The filler writes the subject prompt into Label1; Label2 keeps the
    # teacher's, so the header asks for each once.
    b = portrait("Final", teacher, teacher, [Leaf("الدرجة"), Leaf("ملاحظات", weight=2)], [600],
                 width=11250)
    check_footer(b, x0, x1 - 30)
    out.append(b)

    out.append(portrait("MarksPeriod", teacher, teacher,
                        [Leaf("الحضور", "5"), Leaf("المشاركة والنشاط", "5"),
                         Leaf("الواجبات المنزلية", "5"), Leaf("ملف الأعمال", "5"),
                         Leaf("المشروعات والبحوث", "10"), Leaf("اختبار قصير", "20")],
                        [700], heading=body_font(10.5, 500)))

    lang4 = []
    for period in ("االفترة الأولى", "االفترة الثانية", "الفترة الثالثة"):
        lang4.append(Group(period, [Leaf("مشاركة    (14)"), Leaf("ت/كفاية (6)"),
                                    Leaf("ت /أداء  (30)"), Leaf(maximum="50")]))
    lang4.append(Leaf("المعدل"))
    out.append(landscape("Lang4", 15615, subject2, teacher2, lang4, [345, 700],
                         name_width=3600))

    end = [("شفهي", None), ("تحريري", None), ("المجموع", None)]
    grade3 = [period_3("الفترة الأولى"), period_3("الفترة الثانية"),
              Up("مجموع الفترتين", "20"),
              Group("نهاية الفصل", [Up(c, m) for (c, _), m in zip(end, ["10", "20", "30"])]),
              Up("الدرجة النهائية", "50")]
    out.append(landscape("lang_grade_3", 16065, subject2, teacher2, grade3, [330, 400, 1000],
                         name_width=3400, heading=body_font(9, 500),
                         margins={"left": 400, "top": 200, "right": 200, "bottom": 200}))

    one = [("استماع", "3"), ("التعبير شفهي", "3"), ("القراءة", "7"), ("الحفظ", "3"),
           ("الإملاء", "2"), ("الخط", "2"), ("المجموع", "20"), ("المجموع 2/ ", "10"),
           ("فهم", "4"), ("تراكيب", "4"), ("تعبير كتابي", "4"), ("إملاء منظور", "4"),
           ("الإملاء الاختباري", "4"), ("المجموع", "20"), ("المجموع 2/ ", "10"),
           ("اجمالي الفترة", "10")]
    out.append(landscape("lang_grade_3_1_period", 15645, None, "",
                         [Leaf(c, m) for c, m in one], [800], name_width=3400,
                         heading=body_font(9.75, 500)))

    grade456 = [Group("الفترة الأولى", period_456(False)),
                Group("الفترة الثانية", period_456(True)),
                Up("مجموع الفترتين", "20"), Up("المشاركة", "5"),
                Group("نهاية الفصل", [Up(c, m) for (c, _), m in zip(end, ["4", "21", "30"])]),
                Up("الدرجة النهائية", "50")]
    out.append(landscape("lang_grade_456", 16065, subject2, teacher2, grade456,
                         [330, 330, 1000], name_width=3400, heading=body_font(9, 500),
                         detail_height=765, reserve=("Label17", "Label19", "Label20")))
    return out


WEEKS = ["الاسبوع الأول", "الاسبوع الثاني", "الاسبوع الثالث", "الاسبوع الرابع",
         "الاسبوع الخامس", "الاسبوع السادس"]


def quran_sheets():
    subject2, teacher2 = "المادة/", "المعلم/"
    out = []

    memo = [Group(w, maxima(["10"] * 5) + [Leaf("مج", "50")]) for w in WEEKS]
    memo += [Leaf("مج", "300", weight=1.4), Leaf("مع", "50", weight=1.2)]
    out.append(landscape("TahMemorization", 16050, subject2, teacher2, memo, [330, 500],
                         name_width=3400))

    days = [Leaf(d, "10") for d in ("الأحد", "الاثنين", "الثلاثاء", "الأربعاء", "المشاركة")]
    memo2 = [Group("تقويم الفترة", [Group("الأسبوع السابع", days + [Leaf("المجموع", "50")])]),
             Leaf("مجموع الفتـــرة + معدل اليومي والأسبوعي", "100", weight=2),
             Leaf("معدل الفـــترة  2 / 100", "50", weight=1.5)]
    out.append(landscape("TahMemorization2", 15660, subject2, teacher2, memo2,
                         [330, 330, 400], name_width=3400))

    def recitation(caption, weekly):
        return Group(caption, [
            Group(weekly, [Leaf(str(i), "10") for i in range(1, 7)] + [Leaf("مج", "60")]),
            Group("تقويم الفترة (7)", [Leaf("1", "15"), Leaf("2", "15"), Leaf("مج", "30"),
                                       Leaf("مش", "10")]),
            Leaf("مج", "100"), Leaf("مع", "50")])
    f2 = [recitation("الفترة الأولى", "التقويم الآسبوعي"),
          recitation("الفترة الثانية", "التقويم الآسبوعي ")]
    out.append(landscape("F2", 15960, subject2, teacher2, f2, [330, 330, 330],
                         name_width=3400))

    daily = [Group(w, maxima(["10"] * 4) + [Leaf("مج", "30")]) for w in WEEKS]
    daily += [Group("تقويم الفترة", maxima(["24", "24", "22"]) + [Leaf(maximum="490", weight=1.3)]),
              Leaf("مع", "70")]
    out.append(landscape("TahMemDayly", 15645, "التقويم اليومي للحفظ", teacher2, daily,
                         [330, 400], name_width=3400))

    tajweed = [Leaf(f"س {i}", "15") for i in range(1, 7)] + [Leaf("خ ف", "15"),
                                                               Leaf("مج", "105"),
                                                               Leaf("مع", "15")]
    tarteel = [Leaf(f"س {i}", "10") for i in range(1, 7)] + [Leaf("خ ف", "10"),
                                                               Leaf("مج", "70"),
                                                               Leaf("مع", "10")]
    eva = [Group("التجويد", tajweed), Group("الترتيل", tarteel), Leaf("ح", "5"),
           Leaf("ج", "70"), Leaf("مج", "100")]
    out.append(landscape("TahEva", 15600, subject2, teacher2, eva, [330, 400],
                         name_width=3400))
    return out


def main():
    for b in mark_sheets() + quran_sheets():
        save(b)


if __name__ == "__main__":
    main()
