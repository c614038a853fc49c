#!/usr/bin/env python3
"""Writes the name-list layouts (StudentsNames ... General) as JSON files into
the layouts folder. The JSON files are the stored designs the program reads;
this script is how they were drawn, kept so a change of the common header or
of a column plan is made once and written again:

    /usr/bin/python3 scripts/layouts/name_lists.py

Geometry is in twips, x from the left edge; the tables read right to left, so
the first column stands at the right edge."""

import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(os.path.dirname(HERE)), "layouts")

HEADER_FONT = {"family": "Al Ruvo Cool", "size": 12}
TITLE_FONT = {"family": "Al OnWan", "size": 18}
GREY = "#E0E0E0"
# The text boxes of the detail band by bound field; Text2 is Quran1's phone.
TEXT_NAMES = {"D0": "Text1", "D1": "Text3", "D2": "Text2", "D3": "Text4"}
BORDER = "#000000"


class Leaf:
    """One column of the table. `field` binds a text box in the detail band;
    `cell` False leaves the detail band open (no bordered cell)."""

    def __init__(self, caption="", maximum=None, weight=1.0, field=None,
                 align="center", cell=True, name=None, font=None):
        self.caption = caption
        self.maximum = maximum
        self.weight = weight
        self.field = field
        self.align = align
        self.cell = cell
        self.name = name
        self.font = font


class Group:
    def __init__(self, caption, children, name=None, align="center"):
        self.caption = caption
        self.children = children
        self.name = name
        self.align = align


def leaves(nodes):
    for n in nodes:
        if isinstance(n, Group):
            yield from leaves(n.children)
        else:
            yield n


def depth(nodes):
    return max((1 + depth(n.children)) if isinstance(n, Group) else 1 for n in nodes)


class Builder:
    def __init__(self, name, orientation, width, margins=None):
        self.layout = {
            "name": name,
            "orientation": orientation,
            "reportWidth": width,
            "margins": margins or {"left": 200, "top": 200, "right": 200, "bottom": 200},
            "defaultFont": {"family": "Arial", "size": 8.25},
        }
        self.width = width
        self.used = set()
        self.reserved = set()  # names auto-naming leaves to the header
        self.counters = {}
        self.sections = {s: {"name": s, "height": 0, "controls": []}
                         for s in ("Section4", "Section2", "Section1", "Section3", "Section5")}

    def next_name(self, prefix, start=1):
        n = self.counters.get(prefix, start)
        while f"{prefix}{n}".lower() in self.used | self.reserved:
            n += 1
        self.counters[prefix] = n + 1
        return f"{prefix}{n}"

    def add(self, section, control):
        if "name" not in control:
            prefix = {"label": "Label", "textbox": "Text", "shape": "Shape",
                      "line": "Line", "image": "Image"}[control["kind"]]
            control["name"] = self.next_name(prefix, 4 if prefix == "Label" else 1)
        key = control["name"].lower()
        assert key not in self.used, control["name"]
        self.used.add(key)
        for k in ("left", "top", "width", "height"):
            control[k] = int(round(control[k]))
        self.sections[section]["controls"].append(control)
        return control

    def reserve(self, *names):
        for n in names:
            self.reserved.add(n.lower())

    def label(self, section, caption, left, top, width, height, font, align="center",
              name=None, **extra):
        c = {"kind": "label", "left": left, "top": top, "width": width, "height": height,
             "caption": caption, "font": font, "alignment": align}
        if name:
            c["name"] = name
        c.update(extra)
        return self.add(section, c)

    def cell(self, section, left, top, width, height, fill=None):
        c = {"kind": "shape", "left": left, "top": top, "width": width, "height": height,
             "borderColor": BORDER}
        if fill:
            c["backColor"] = fill
        return self.add(section, c)

    def json(self):
        self.layout["sections"] = list(self.sections.values())
        return self.layout


def header(b, label1, label2, title=None, bsmalah="Label14"):
    """The school header block of the first page."""
    w = b.width
    landscape = b.layout["orientation"] == 2
    height = 1995 if title else 1470
    b.sections["Section4"]["height"] = height
    b.reserve(bsmalah, "Label1", "Label2", "Label18", "class", "Image1",
              "kl1", "kl2", "kl3", "kl4", "kl5")
    b.add("Section4", {"kind": "shape", "name": "Shape1", "shape": "roundedRectangle",
                       "left": 60, "top": 20, "width": w - 120, "height": height - 40,
                       "borderColor": BORDER, "borderWidth": 20})
    b.label("Section4", "بسم الله الرحمن الرحيم", 104, 61, w - 208, 435,
            HEADER_FONT, name=bsmalah)
    right = 11200 if landscape else 6779
    left = 144 if landscape else 240
    logo = 6165 if landscape else 4360
    tops = (117, 401, 684, 977)
    # The official lines reach the frame, and the school's name (kl4) has
    # the room down to the frame's foot, so that a long name can take a
    # second line.
    right_width = min(4400, w - 120 - right)
    for name, caption, top in zip(("kl1", "kl2", "kl3", "kl4"),
                                  ("المملكة العربية السعودية", "وزارة التعليم", "", ""),
                                  tops):
        b.label("Section4", caption, right, top, right_width,
                1440 - 20 - top if name == "kl4" else 330, HEADER_FONT, name=name)
    lefts = [("kl5", ""), ("class", "الصف:")]
    if label1 is not None:
        lefts.append(("Label1", label1))
    else:
        lefts.append((None, None))
    if label2 is not None:
        lefts.append(("Label2", label2))
    for (name, caption), top in zip(lefts, tops):
        if name:
            b.label("Section4", caption, left, top, 4095, 330, HEADER_FONT, name=name)
    # The logo stands below the basmala line (which ends at 496).
    b.add("Section4", {"kind": "image", "name": "Image1", "left": logo, "top": 520,
                       "width": 2835 if landscape else 2400, "height": 900,
                       "picture": "logo.png"})
    if title:
        b.label("Section4", title, 104, 1474, w - 208, 495, TITLE_FONT, name="Label18")


def table(b, columns, x0, x1, heading_font, detail_font, row_height=330,
          max_height=300, detail_height=300, number_font=None):
    """Column headings in Section2 and the detail band in Section1, the first
    column at the right edge x1."""
    all_leaves = list(leaves(columns))
    fixed = sum(l.weight for l in all_leaves if l.weight >= 100)
    shared = sum(l.weight for l in all_leaves if l.weight < 100)
    unit = (x1 - x0 - fixed) / shared if shared else 0
    widths = {id(l): (l.weight if l.weight >= 100 else l.weight * unit) for l in all_leaves}

    levels = depth(columns)
    has_max = any(l.maximum is not None for l in all_leaves)
    total = levels * row_height + (max_height if has_max else 0)
    b.sections["Section2"]["height"] = int(total)
    b.sections["Section1"]["height"] = detail_height

    heading_cells = []  # (left, top, width, height, caption, name, align)

    def walk(nodes, right, level):
        for n in nodes:
            if isinstance(n, Group):
                w = sum(widths[id(l)] for l in leaves(n.children))
                heading_cells.append((right - w, level * row_height, w, row_height,
                                      n.caption, n.name, n.align))
                walk(n.children, right, level + 1)
            else:
                w = widths[id(n)]
                top = level * row_height
                if n.maximum is None:
                    # A column without a maximum takes the whole height below
                    # its group.
                    heading_cells.append((right - w, top, w, total - top, n.caption, n.name,
                                          "center"))
                else:
                    # Maxima stand in the last heading row, under their heading
                    # or under an empty cell.
                    heading_cells.append((right - w, top, w, total - top - max_height,
                                          n.caption, n.name, "center"))
                    heading_cells.append((right - w, total - max_height, w, max_height,
                                          n.maximum, None, "center"))
                draw_detail(n, right - w, w)
            right -= w

    def draw_detail(leaf, left, width):
        if leaf.cell:
            b.cell("Section1", left, 0, width, detail_height)
        if leaf.field:
            font = leaf.font or detail_font
            pad = 60 if leaf.align != "center" else 0
            text = {"kind": "textbox", "name": TEXT_NAMES[leaf.field], "dataField": leaf.field, "left": left + pad, "top": 0,
                    "width": width - 2 * pad, "height": detail_height, "font": font,
                    "alignment": leaf.align}
            detail_texts.append(text)

    detail_texts = []
    walk(columns, x1, 0)
    # Cells behind, texts in front.
    for left, top, width, height, caption, name, align in heading_cells:
        b.cell("Section2", left, top, width, height, fill=GREY)
    for left, top, width, height, caption, name, align in heading_cells:
        if not caption and not name:
            continue
        pad = 60 if align != "center" else 0
        b.label("Section2", caption, left + pad, top, width - 2 * pad, height, heading_font,
                align=align, name=name)
    for t in detail_texts:
        b.add("Section1", t)
    return widths


def number_and_name(number_width, name_width, number_font, name_font):
    return [Leaf("م", weight=number_width, field="D0", font=number_font),
            Leaf("الاسم", weight=name_width, field="D1", align="right", font=name_font)]


def save(b):
    path = os.path.join(OUT, b.layout["name"] + ".json")
    with open(path, "w", encoding="utf-8") as f:
        json.dump(b.json(), f, ensure_ascii=False, indent=1)
        f.write("\n")


def body_font(size, weight=400):
    f = {"family": "Al Ruvo Cool", "size": size}
    if weight != 400:
        f = {"family": "Al Ruvo Cool-Free", "size": size, "weight": weight}
    return f


ARIAL_NUMBER = {"family": "Arial", "size": 12.75}
LAND_NAME = body_font(10.5)

PORTRAIT = (11280, 105, 10935)
QURAN1_NAME = 3900


def portrait(name, label1, label2, columns, title=None, bsmalah="Label14",
             heading=body_font(11.25, 500), detail=body_font(12), detail_height=345):
    w, x0, x1 = PORTRAIT
    b = Builder(name, 1, w)
    header(b, label1, label2, title, bsmalah)
    table(b, columns, x0, x1, heading, detail, detail_height=detail_height)
    return b


def landscape(name, width, label1, label2, columns, heading=body_font(9.75, 500),
              detail=body_font(11.25), margins=None, detail_height=300):
    b = Builder(name, 2, width, margins)
    header(b, label1, label2)
    table(b, columns, 100, width - 100, heading, detail, detail_height=detail_height)
    return b


def blanks(n, caption=""):
    return [Leaf(caption) for _ in range(n)]


def numbered(n):
    return [Leaf(str(i)) for i in range(1, n + 1)]


def signature_footer(b, x0, x1):
    """The name and signature lines under the list."""
    b.sections["Section5"]["height"] = 900
    font = body_font(12, 500)
    half = (x1 - x0) / 2
    for caption, right in (("الاسم", x1), ("التوقيع", x1 - half)):
        b.label("Section5", caption, right - 1300, 300, 1200, 400, font, align="right")
        b.add("Section5", {"kind": "line", "left": right - half + 300, "top": 640,
                           "width": half - 1700, "height": 0, "borderColor": BORDER})


def main():
    w, x0, x1 = PORTRAIT
    teacher, subject = "المعلم:", "المادة:"
    subject2, teacher2 = "المادة/", "المعلم/"
    layouts = []

    layouts.append(portrait("StudentsNames", teacher, subject,
                            number_and_name(432, 4600, ARIAL_NUMBER, body_font(12))
                            + blanks(9)))

    evaluations = ["التقويم الأول", "التقويم الثاني", "التقويم الثالث", "التقويم الرابع"]
    quran = number_and_name(430, 3600, body_font(11.25), LAND_NAME)
    for e in evaluations:
        quran.append(Group(e, [Leaf(maximum=m) for m in ("20", "15", "5", "5", "5")]
                           + [Leaf("ج")]))
    quran += [Leaf("ج"), Leaf("معدل", weight=1.5)]
    layouts.append(landscape("Quran", 15555, subject2, teacher2, quran))

    marks = [("صحة القراءة", "20"), ("الترتيل", "5"), ("تطبيق التجويد", "5"),
             ("الانطلاقة", "5"), ("الحفظ", "15"), ("المجموع", "50")]
    quran1 = number_and_name(432, QURAN1_NAME, body_font(12), body_font(12))
    # The first mark column also holds the phone of the phone list, and the
    # third has the longest heading: both wider.
    quran1 += [Leaf(c, m, name=f"Label{6 + 2 * i}", weight={0: 1.3, 2: 1.2}.get(i, 1))
               for i, (c, m) in enumerate(marks)]
    b = portrait("Quran1", teacher, "التقويم:", quran1,
                 title="كشف متابعةالتقويم لمادة القرآن الكريم", bsmalah="Bsmalah",
                 heading=body_font(9.75, 500))
    # Each maximum is named after its heading: Label7 under Label6, and so on.
    rename_maxima(b, [m for _, m in marks])
    # The phone, in the cell of the first mark column.
    name_left = x1 - 432 - QURAN1_NAME
    first = next(c for c in b.sections["Section1"]["controls"]
                 if c["kind"] == "shape" and abs(c["left"] + c["width"] - name_left) <= 1)
    b.add("Section1", {"kind": "textbox", "name": "Text2", "dataField": "D2",
                       "left": first["left"] + 40, "top": 0, "width": first["width"] - 80,
                       "height": first["height"], "font": body_font(10.5),
                       "alignment": "left"})
    layouts.append(b)

    weeks4 = number_and_name(430, 4200, body_font(11.25), LAND_NAME)
    weeks4 += [Group("الأسبوع", numbered(5), name=f"L{i}", align="right")
               for i in range(1, 5)]
    weeks4 += [Leaf("المجموع", weight=1.6)]
    layouts.append(landscape("Weeks4", 15600, subject2, teacher2, weeks4))

    weeks = number_and_name(430, 3800, body_font(11.25), LAND_NAME)
    weeks += [Group("الأسبوع", numbered(5)) for _ in range(5)]
    weeks += [Leaf("", weight=1.4)]
    layouts.append(landscape("Weeks", 15600, subject2, teacher2, weeks,
                             margins={"left": 400, "top": 200, "right": 200, "bottom": 200}))

    land30 = number_and_name(430, 3600, body_font(11.25), LAND_NAME) + numbered(30)
    layouts.append(landscape("Land30", 15660, subject2, teacher2, land30,
                             margins={"left": 400, "top": 200, "right": 200, "bottom": 200}))

    units = ["الوحدة الأولى", "الوحدة الثانية", "الوحدة الثالثة"]
    snames = number_and_name(430, 3800, body_font(11.25), LAND_NAME)
    for u in units:
        snames.append(Group(u, [Leaf("مشاركة", "14"), Leaf("ت كفاية", "6"),
                                Leaf("ت أداء", "30"), Leaf(maximum="50")]))
    snames += [Leaf("مجموع", "150"), Leaf("معدل", "50")]
    layouts.append(landscape("SNamesLand", 15576, subject2, teacher2, snames))

    lang2 = number_and_name(432, 3900, ARIAL_NUMBER, body_font(12))
    lang2 += [Leaf("واجبات", "4"), Leaf("مشاركة", "2"), Leaf("مجموع", "6"),
              Group("تقويم أداء", [Leaf("قرائي", "5"), Leaf("شفهي", "5"),
                                   Leaf("استظهار", "4")]),
              Leaf("مجموع", "14"), Leaf("كفاية", "30"), Leaf("مجموع", "50")]
    layouts.append(portrait("Lang2", teacher, teacher, lang2, heading=body_font(9.75, 500)))

    days = ["الأحد   /      /    14هـ", "الاثنين   /      /    14هـ",
            "الثلاثاء   /      /    14هـ", "الأربعاء   /      /    14هـ",
            "الخميس   /      /    14هـ"]
    absent = number_and_name(315, 3400, body_font(11.25), LAND_NAME)
    absent += [Group(d, numbered(7)) for d in days]
    b = landscape("AbcentWeek", 15645, None, "", absent)
    absent_footer(b, 15645 - 100, 315, 3400, 35)
    layouts.append(b)

    quarter = [Leaf(maximum="1/4") for _ in range(8)]
    follow = number_and_name(430, 3600, body_font(11.25), LAND_NAME)
    follow += [
        Group("الحضور", [Group("حسم", quarter)]),
        Group("المشاركات والنشاطات", [Leaf("م", "5"), Leaf("م", "5"), Leaf("م", "5"),
                                        Leaf("م", "5"), Leaf("ج", "15"), Leaf("ع", "5")]),
        Group("الواجبات", [Leaf("م", "5"), Leaf("م", "5"), Leaf("ج", "10"), Leaf("ع", "5")]),
        Group("البحوث والمشروعات", [Leaf("م1", "10"), Leaf("م2", "10"), Leaf("م3", "10"),
                                     Leaf("ج", "30"), Leaf("ع", "10")]),
        Group("ملف الأعمال", [Leaf("م", "5"), Leaf("م", "5"), Leaf("ج", "10"),
                               Leaf("ع", "5")]),
        Group("اختبارات قصيرة", [Leaf("1", "20"), Leaf("2", "20"), Leaf("ع", "20")]),
    ]
    layouts.append(landscape("FollowUp", 15660, subject2, teacher2, follow,
                             heading=body_font(9, 500)))

    mylang = number_and_name(430, 3800, body_font(11.25), LAND_NAME)
    mylang += [Group("المشاركات", [Leaf(maximum="1") for _ in range(6)]),
               Leaf("مجموع", "6"),
               Group("تقويم أداء", [Leaf("قرائي", "5"), Leaf("شفهي", "5"),
                                    Leaf("استظهار", "4")]),
               Leaf("مجموع", "14"), Leaf("كفاية", "30"), Leaf("مجموع", "50")]
    layouts.append(landscape("MyLangUnit", 15576, subject2, teacher2, mylang))

    registry = Leaf("السجل المدني", weight=1700, field="D3", font=body_font(12))
    books = [Leaf("م", weight=432, field="D0", font=body_font(12)), registry,
             Leaf("الاسم", weight=3800, field="D1", align="right", font=body_font(12)),
             Leaf("كتب لم تستلم", weight=3.2, cell=False), Leaf("التوقيع", weight=1)]
    b = portrait("Books", teacher, None, books)
    signature_footer(b, x0, x1)
    layouts.append(b)

    general = [Leaf("م", weight=432, field="D0", font=body_font(12)),
               Leaf("السجل المدني", weight=1700, field="D3", font=body_font(12)),
               Leaf("الاسم", weight=3800, field="D1", align="right", font=body_font(12)),
               Leaf("ملاحظات", weight=1, cell=False)]
    b = portrait("General", teacher, None, general)
    signature_footer(b, x0, x1)
    layouts.append(b)

    for b in layouts:
        save(b)


def rename_maxima(b, maxima):
    """In Quran1 the headings and maxima are Label6 to Label17 in reading
    order, heading then its maximum."""
    labels = [c for c in b.sections["Section2"]["controls"] if c["kind"] == "label"]
    heads = {c["name"]: c for c in labels}
    for i, m in enumerate(maxima):
        head = heads[f"Label{6 + 2 * i}"]
        under = next(c for c in labels if c["caption"] == m and c["left"] == head["left"]
                     and c is not head)
        b.used.discard(under["name"].lower())
        under["name"] = f"Label{7 + 2 * i}"
        b.used.add(under["name"].lower())


def absent_footer(b, x1, number_width, name_width, periods):
    """The teacher's signature row: a cell under the name, one under each period."""
    b.sections["Section5"]["height"] = 420
    font = body_font(11.25, 500)
    left = x1 - number_width - name_width
    b.cell("Section5", left, 0, name_width, 420, fill=GREY)
    b.label("Section5", "توقيع المعلم/ـه", left, 0, name_width, 420, font)
    cells = [c for c in b.sections["Section1"]["controls"] if c["kind"] == "shape"]
    for c in cells:
        if c["left"] + c["width"] <= left + 1:
            b.cell("Section5", c["left"], 0, c["width"], 420)


if __name__ == "__main__":
    main()
