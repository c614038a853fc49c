#!/usr/bin/env python3
"""Writes the monthly absence follow-up layout AbcentLand as JSON into the
layouts folder: a landscape class list with 22 day columns that run from right
to left, the student's number and name at the right edge and two total columns
at the left edge.

    /usr/bin/python3 scripts/layouts/attendance.py

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
DAY_FONT = {"family": "Al Ruvo Cool-Free", "size": 7.5, "weight": 600}
DATE_FONT = {"family": "Arial", "size": 8}
NAME_FONT = {"family": "Al Ruvo Cool", "size": 9.75}
NUMBER_FONT = {"family": "Arial", "size": 9}

DAYS = 22
COLUMN = 500          # width of one day column
FIRST_DAY_LEFT = 11490  # column 1; each next column 500 further left
NAME_LEFT, NAME_WIDTH = 11990, 3100
NUMBER_LEFT, NUMBER_WIDTH = NAME_LEFT + NAME_WIDTH, 510
TOTAL_WIDTH = 480
EXCUSED_LEFT = FIRST_DAY_LEFT - (DAYS - 1) * COLUMN - TOTAL_WIDTH  # nearer the days
UNEXCUSED_LEFT = EXCUSED_LEFT - TOTAL_WIDTH
WIDTH = NUMBER_LEFT + NUMBER_WIDTH + 30

HEADER_HEIGHT = 1350
PAGE_HEADER_HEIGHT = 705
DETAIL_HEIGHT = 260
FOOTER_HEIGHT = 1350
WEEKDAY_TOP = 350


def day_left(j):
    return FIRST_DAY_LEFT - (j - 1) * COLUMN


class Layout:
    def __init__(self):
        self.sections = {s: {"name": s, "height": 0, "controls": []}
                         for s in ("Section4", "Section2", "Section1", "Section3", "Section5")}

    def add(self, section, **control):
        for k in ("left", "top", "width", "height"):
            control[k] = int(round(control[k]))
        self.sections[section]["controls"].append(control)

    def label(self, section, name, caption, left, top, width, height, font, align="center"):
        self.add(section, kind="label", name=name, caption=caption, left=left, top=top,
                 width=width, height=height, font=font, alignment=align)

    def box(self, section, name, left, top, width, height, fill=None):
        extra = {"backColor": fill} if fill else {}
        self.add(section, kind="shape", name=name, left=left, top=top, width=width,
                 height=height, borderColor=BORDER, **extra)

    def text(self, section, name, field, left, width, font, align="center"):
        self.add(section, kind="textbox", name=name, dataField=field, left=left, top=0,
                 width=width, height=DETAIL_HEIGHT, font=font, alignment=align)


def report_header(lay):
    s = "Section4"
    lay.sections[s]["height"] = HEADER_HEIGHT
    lay.add(s, kind="shape", name="Shw", shape="roundedRectangle", left=60, top=10,
            width=WIDTH - 120, height=HEADER_HEIGHT - 20, borderColor=BORDER, borderWidth=20)
    lay.label(s, "Label14", "بسم الله الرحمن الرحيم", 6165, 25, 2835, 240,
              {"family": "Al Ruvo Cool", "size": 9})
    # The official lines run from beside the logo to the frame; the school's
    # name (kl4) may take two lines down to the frame's foot.
    for name, caption, top in (("kl1", "المملكة العربية السعودية", 69),
                               ("kl2", "وزارة التعليم", 353),
                               ("kl3", "", 636),
                               ("kl4", "", 912)):
        lay.label(s, name, caption, 10700, top, WIDTH - 130 - 10700,
                  HEADER_HEIGHT - 30 - top if name == "kl4" else 300, HEADER_FONT)
    for name, left, top, font in (("kl5", 144, 48, TITLE_FONT), ("class", 150, 432, HEADER_FONT),
                                  ("Label2", 150, 816, HEADER_FONT)):
        lay.label(s, name, "", left, top, 4100, 360, font)
    # Below the basmala line, which ends at 265.
    lay.add(s, kind="image", name="image1", left=6165, top=285, width=2835, height=1035,
            picture="logo.png")


def page_header(lay):
    s = "Section2"
    lay.sections[s]["height"] = PAGE_HEADER_HEIGHT
    h = PAGE_HEADER_HEIGHT
    lay.box(s, "ShapeNumber", NUMBER_LEFT, 0, NUMBER_WIDTH, h, GREY)
    lay.box(s, "ShapeName", NAME_LEFT, 0, NAME_WIDTH, h, GREY)
    for j in range(1, DAYS + 1):
        lay.box(s, f"Shape{j}", day_left(j), 0, COLUMN, h)
    lay.box(s, "ShapeTotal", UNEXCUSED_LEFT, 0, 2 * TOTAL_WIDTH, WEEKDAY_TOP, GREY)
    lay.box(s, "ShapeExcused", EXCUSED_LEFT, WEEKDAY_TOP, TOTAL_WIDTH, h - WEEKDAY_TOP, GREY)
    lay.box(s, "ShapeUnexcused", UNEXCUSED_LEFT, WEEKDAY_TOP, TOTAL_WIDTH, h - WEEKDAY_TOP, GREY)
    # The line between a column's date and its weekday.
    lay.add(s, kind="line", name="LineDays", left=day_left(DAYS), top=WEEKDAY_TOP,
            width=DAYS * COLUMN, height=0, borderColor=BORDER)
    lay.label(s, "LabelNumber", "م", NUMBER_LEFT, 0, NUMBER_WIDTH, h, HEADING_FONT)
    lay.label(s, "LabelName", "الاسم", NAME_LEFT, 0, NAME_WIDTH, h, HEADING_FONT)
    for j in range(1, DAYS + 1):
        caption = "-" if j > 20 else "أربعاء"
        lay.label(s, f"T{j}", "-", day_left(j), 15, COLUMN, WEEKDAY_TOP - 30, DATE_FONT)
        lay.label(s, f"D{j}", caption, day_left(j), WEEKDAY_TOP, COLUMN, h - WEEKDAY_TOP - 15,
                  DAY_FONT)
    lay.label(s, "LabelTotal", "المجموع", UNEXCUSED_LEFT, 0, 2 * TOTAL_WIDTH, WEEKDAY_TOP,
              HEADING_FONT)
    lay.label(s, "LabelExcused", "بعذر", EXCUSED_LEFT, WEEKDAY_TOP, TOTAL_WIDTH,
              h - WEEKDAY_TOP, DAY_FONT)
    lay.label(s, "LabelUnexcused", "بدون", UNEXCUSED_LEFT, WEEKDAY_TOP, TOTAL_WIDTH,
              h - WEEKDAY_TOP, DAY_FONT)


def detail(lay):
    s = "Section1"
    lay.sections[s]["height"] = DETAIL_HEIGHT
    lay.box(s, "CNumber", NUMBER_LEFT, 0, NUMBER_WIDTH, DETAIL_HEIGHT)
    lay.box(s, "CName", NAME_LEFT, 0, NAME_WIDTH, DETAIL_HEIGHT)
    for j in range(1, DAYS + 1):
        lay.box(s, f"C{j}", day_left(j), 0, COLUMN, DETAIL_HEIGHT)
    lay.box(s, "CExcused", EXCUSED_LEFT, 0, TOTAL_WIDTH, DETAIL_HEIGHT)
    lay.box(s, "CUnexcused", UNEXCUSED_LEFT, 0, TOTAL_WIDTH, DETAIL_HEIGHT)
    lay.text(s, "Text1", "d0", NUMBER_LEFT, NUMBER_WIDTH, NUMBER_FONT)
    lay.text(s, "Text2", "d1", NAME_LEFT + 60, NAME_WIDTH - 120, NAME_FONT, "right")
    for j in range(1, DAYS + 1):
        lay.text(s, f"Text{j + 2}", f"d{j + 1}", day_left(j), COLUMN, NUMBER_FONT)
    lay.text(s, "Text25", "d24", EXCUSED_LEFT, TOTAL_WIDTH, NUMBER_FONT)
    lay.text(s, "Text26", "d25", UNEXCUSED_LEFT, TOTAL_WIDTH, NUMBER_FONT)


def report_footer(lay):
    s = "Section5"
    lay.sections[s]["height"] = FOOTER_HEIGHT
    lay.add(s, kind="label", name="Label1", caption="الرموز", left=4515, top=120, width=10875,
            height=1230, font=HEADER_FONT, alignment="right", valign="top")
    lay.label(s, "Label9", "", 144, 105, 4095, 360, HEADER_FONT)
    lay.label(s, "Headmaster", "", 144, 1005, 4095, 330, HEADER_FONT)


def main():
    lay = Layout()
    report_header(lay)
    page_header(lay)
    detail(lay)
    report_footer(lay)
    out = {
        "name": "AbcentLand",
        "orientation": 2,
        "reportWidth": WIDTH,
        "margins": {"left": 300, "top": 200, "right": 200, "bottom": 200},
        "defaultFont": {"family": "Arial", "size": 8.25},
        "sections": list(lay.sections.values()),
    }
    with open(os.path.join(OUT, "AbcentLand.json"), "w", encoding="utf-8") as f:
        json.dump(out, f, ensure_ascii=False, indent=1)
        f.write("\n")


if __name__ == "__main__":
    main()
