#!/usr/bin/env python3
"""Writes the two committee layouts as JSON into the layouts folder:
ComNewP, a committee's signature sheet (seat number, name, eight subject cells
for signatures and a notes column, right to left), and LabelPNew, desk labels
two to a row.

    /usr/bin/python3 scripts/layouts/committees.py

Geometry is in twips, x from the layout's left edge."""

import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(os.path.dirname(HERE)), "layouts")

BORDER = "#000000"
GREY = "#E0E0E0"
HEADER_FONT = {"family": "Al Ruvo Cool", "size": 12}
TITLE_FONT = {"family": "Al Ruvo Cool-Free", "size": 14, "weight": 600}
HEADING_FONT = {"family": "Al Ruvo Cool-Free", "size": 10, "weight": 600}
NAME_FONT = {"family": "Al Ruvo Cool", "size": 10}
SUBJECT_FONT = {"family": "Al Ruvo Cool-Free", "size": 6}
NUMBER_FONT = {"family": "Arial", "size": 10}
SECTIONS = ("Section4", "Section2", "Section1", "Section3", "Section5")

# Signature sheet columns, right to left.
WIDTH = 11000
SEAT_WIDTH = 700
NAME_WIDTH = 3000
SUBJECT_WIDTH = 800
SUBJECTS = 8
SEAT_LEFT = WIDTH - SEAT_WIDTH
NAME_LEFT = SEAT_LEFT - NAME_WIDTH
NOTES_WIDTH = NAME_LEFT - SUBJECTS * SUBJECT_WIDTH
ROW = 390
HEADINGS_TOP = 2000
HEADINGS_HEIGHT = 500


def subject_left(k):
    return NAME_LEFT - k * SUBJECT_WIDTH


class Layout:
    def __init__(self):
        self.sections = {s: {"name": s, "height": 0, "controls": []} for s in SECTIONS}

    def add(self, section, **control):
        for k in ("left", "top", "width", "height"):
            control[k] = int(round(control[k]))
        self.sections[section]["controls"].append(control)

    def label(self, section, name, caption, left, top, width, height, font, align="center",
              **extra):
        self.add(section, kind="label", name=name, caption=caption, left=left, top=top,
                 width=width, height=height, font=font, alignment=align, **extra)

    def box(self, section, name, left, top, width, height, fill=None, **extra):
        if fill:
            extra["backColor"] = fill
        self.add(section, kind="shape", name=name, left=left, top=top, width=width,
                 height=height, borderColor=BORDER, **extra)

    def text(self, section, name, field, left, top, width, height, font, align="center",
             **extra):
        self.add(section, kind="textbox", name=name, dataField=field, left=left, top=top,
                 width=width, height=height, font=font, alignment=align, **extra)

    def write(self, name, **settings):
        out = {"name": name, "orientation": 1, "reportWidth": WIDTH,
               "margins": {"left": 450, "top": 300, "right": 450, "bottom": 300},
               "defaultFont": {"family": "Arial", "size": 8.25},
               "sections": list(self.sections.values())}
        out.update(settings)
        with open(os.path.join(OUT, name + ".json"), "w", encoding="utf-8") as f:
            json.dump(out, f, ensure_ascii=False, indent=1)
            f.write("\n")


def sheet_page_header(lay):
    s = "Section2"
    lay.sections[s]["height"] = HEADINGS_TOP + HEADINGS_HEIGHT
    for i, (name, caption) in enumerate((("kl1", "المملكة العربية السعودية"), ("kl2", "وزارة التعليم"),
                                         ("kl3", ""), ("kl4", ""))):
        # From beside the logo to the edge, above the basmala.
        # The school's name (kl4) has two lines' room, down to the title.
        lay.label(s, name, caption, WIDTH - 4350, 60 + 290 * i, 4350, 550 if name == "kl4" else 290,
                  HEADER_FONT)
    lay.add(s, kind="image", name="image1", left=WIDTH / 2 - 1100, top=60, width=2200,
            height=1050, picture="logo.png")
    for i, (name, caption) in enumerate((("kl5", ""), ("Class", ""), ("Label1", "المعلم:"),
                                         ("Label2", "لجان الاختبارات"))):
        lay.label(s, name, caption, 100, 60 + 290 * i, 3800, 290, HEADER_FONT)
    # The basmala stands under the logo, clear of the school's name beside it.
    lay.label(s, "Label3", "بسم الله الرحمن الرحيم", WIDTH / 2 - 1100, 1200, 2200, 300,
              {"family": "Al Ruvo Cool", "size": 10})
    lay.label(s, "Title", "بيان باستلام أوراق إجابات الطلاب/ـات", 0, 1500, WIDTH, 420, TITLE_FONT)
    top, h = HEADINGS_TOP, HEADINGS_HEIGHT
    for name, left, width in (("ShapeSeat", SEAT_LEFT, SEAT_WIDTH),
                              ("ShapeName", NAME_LEFT, NAME_WIDTH),
                              ("ShapeSubjects", subject_left(SUBJECTS), SUBJECTS * SUBJECT_WIDTH),
                              ("ShapeNotes", 0, NOTES_WIDTH)):
        lay.box(s, name, left, top, width, h, GREY)
    lay.label(s, "LabelSeat", "الرقم", SEAT_LEFT, top, SEAT_WIDTH, h, HEADING_FONT)
    lay.label(s, "LabelName", "الاسم", NAME_LEFT, top, NAME_WIDTH, h, HEADING_FONT)
    lay.label(s, "LabelSubjects", "المواد", subject_left(SUBJECTS), top,
              SUBJECTS * SUBJECT_WIDTH, h, HEADING_FONT)
    lay.label(s, "LabelNotes", "ملاحظات", 0, top, NOTES_WIDTH, h, HEADING_FONT)


def sheet_detail(lay):
    s = "Section1"
    lay.sections[s]["height"] = ROW
    lay.box(s, "CSeat", SEAT_LEFT, 0, SEAT_WIDTH, ROW)
    lay.box(s, "CName", NAME_LEFT, 0, NAME_WIDTH, ROW)
    for k in range(1, SUBJECTS + 1):
        lay.box(s, f"CS{k}", subject_left(k), 0, SUBJECT_WIDTH, ROW)
    lay.box(s, "CNotes", 0, 0, NOTES_WIDTH, ROW)
    lay.text(s, "TextSeat", "comnum", SEAT_LEFT, 0, SEAT_WIDTH, ROW, NUMBER_FONT)
    lay.text(s, "TextName", "Name", NAME_LEFT + 60, 0, NAME_WIDTH - 120, ROW, NAME_FONT, "right")
    for k in range(1, SUBJECTS + 1):
        # Subject names of two words take two lines.
        lay.text(s, f"TextS{k}", f"s{k}", subject_left(k) + 15, 0, SUBJECT_WIDTH - 30, ROW,
                 SUBJECT_FONT, wordWrap=True)


def sheet_footers(lay):
    lay.sections["Section3"]["height"] = 20
    lay.box("Section3", "ShaBlank", 0, 0, WIDTH, 20, bordered=False)
    s = "Section5"
    lay.sections[s]["height"] = 1300
    lay.label(s, "Label4", "رئيس لجنة الاختبارات", 200, 250, 3800, 330, HEADER_FONT)
    lay.label(s, "Headmaster", "", 200, 650, 3800, 330, HEADER_FONT)
    lay.label(s, "Label5", "توقيع الملاحظين", WIDTH - 4000, 250, 3800, 330, HEADER_FONT)
    # Stored hidden: the observers sign by hand; no placeholder name prints.
    lay.label(s, "kl8", "مدير المدرسة", WIDTH - 4000, 650, 3800, 330, HEADER_FONT,
              visible=False)
    lay.label(s, "kl9", "", WIDTH - 4000, 980, 3800, 300, HEADER_FONT, visible=False)


# Desk labels: two to a row, the first student on the right half.
LABEL_WIDTH = 5300
LABEL_HEIGHT = 2150
LABEL_ROW = 2400


def desk_label(lay, first, left):
    s = "Section1"
    f = lambda i: f"d{first + i}"
    n = lambda base: f"{base}{first // 4 + 1}"
    lay.add(s, kind="shape", name=n("Frame"), shape="roundedRectangle", left=left, top=100,
            width=LABEL_WIDTH, height=LABEL_HEIGHT, borderColor=BORDER, borderWidth=20)
    right = left + LABEL_WIDTH
    # The committee's name may take two lines: a room is often named by where
    # it stands ("... بجوار المصلى في الدور الثاني").
    lay.text(s, n("TextCom"), f(3), right - 3300, 200, 3200, 620,
             {"family": "Al Ruvo Cool-Free", "size": 13, "weight": 600}, "right")
    lay.text(s, n("TextClass"), f(0), right - 3300, 850, 3200, 380, HEADER_FONT, "right")
    lay.box(s, n("SeatBox"), left + 120, 200, 1700, 950)
    lay.label(s, n("LabelSeat"), "الرقم", left + 120, 220, 1700, 320, HEADING_FONT)
    lay.text(s, n("TextSeat"), f(2), left + 120, 540, 1700, 580,
             {"family": "Arial", "size": 20, "weight": 700})
    lay.box(s, n("NameBox"), left + 120, 1280, LABEL_WIDTH - 240, 870)
    lay.text(s, n("TextName"), f(1), left + 180, 1300, LABEL_WIDTH - 360, 830,
             {"family": "Al Ruvo Cool-Free", "size": 16, "weight": 600})


def labels():
    lay = Layout()
    lay.sections["Section2"]["height"] = 100
    lay.add("Section2", kind="line", name="Line1", left=0, top=50, width=WIDTH, height=0,
            borderColor=BORDER)
    lay.sections["Section1"]["height"] = LABEL_ROW
    desk_label(lay, 0, WIDTH - LABEL_WIDTH)
    desk_label(lay, 4, 0)
    lay.write("LabelPNew")


def sheet():
    lay = Layout()
    sheet_page_header(lay)
    sheet_detail(lay)
    sheet_footers(lay)
    lay.write("ComNewP")


if __name__ == "__main__":
    sheet()
    labels()
