#!/usr/bin/env python3
"""Writes the class seat layouts as JSON into the layouts folder:
LabelP, class seat labels two to a row (the first student of a pair on the
right); LabelNames, a class's distribution list on a committee, two students
to a line; ExSign, the attendance signature sheet with eight subject columns.

    /usr/bin/python3 scripts/layouts/seat_labels.py

Geometry is in twips, x from the layout's left edge; rows read right to left."""

import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(os.path.dirname(HERE)), "layouts")

WIDTH = 11280
BORDER = "#000000"
EDGE = "#808080"
GREY = "#E0E0E0"
SECTIONS = ("Section4", "Section2", "Section1", "Section3", "Section5")

HEADER_FONT = {"family": "Al Ruvo Cool", "size": 12}
TITLE_FONT = {"family": "Al Ruvo Cool-Free", "size": 14, "weight": 600}
HEADING_FONT = {"family": "Al Ruvo Cool-Free", "size": 10, "weight": 600}
SUBJECT_FONT = {"family": "Al Ruvo Cool-Free", "size": 6.5, "weight": 600}
ROW_FONT = {"family": "Al Ruvo Cool", "size": 9.5}
NUMBER_FONT = {"family": "Arial", "size": 10}


class Layout:
    def __init__(self, name):
        self.name = name
        self.sections = {s: {"name": s, "height": 0, "controls": []} for s in SECTIONS}
        self.names = set()

    def add(self, section, **control):
        key = control["name"].lower()
        assert key not in self.names, control["name"]
        self.names.add(key)
        for k in ("left", "top", "width", "height"):
            control[k] = int(round(control[k]))
        self.sections[section]["controls"].append(control)

    def label(self, section, name, caption, left, top, width, height, font, align="center",
              **extra):
        self.add(section, kind="label", name=name, caption=caption, left=left, top=top,
                 width=width, height=height, font=font, alignment=align, **extra)

    def text(self, section, name, field, left, top, width, height, font, align="center",
             **extra):
        self.add(section, kind="textbox", name=name, dataField=field, left=left, top=top,
                 width=width, height=height, font=font, alignment=align, **extra)

    def box(self, section, name, left, top, width, height, colour=BORDER, weight=15,
            fill=None, **extra):
        if fill:
            extra["backColor"] = fill
        self.add(section, kind="shape", name=name, left=left, top=top, width=width,
                 height=height, borderColor=colour, borderWidth=weight, **extra)

    def height(self, section, h):
        self.sections[section]["height"] = h

    def write(self, **settings):
        out = {"name": self.name, "orientation": 1, "reportWidth": WIDTH,
               "margins": {"left": 300, "top": 300, "right": 300, "bottom": 300},
               "defaultFont": {"family": "Arial", "size": 8.25},
               "sections": list(self.sections.values())}
        out.update(settings)
        with open(os.path.join(OUT, self.name + ".json"), "w", encoding="utf-8") as f:
            json.dump(out, f, ensure_ascii=False, indent=1)
            f.write("\n")


# LabelP: each label from the top: committee, class text, registry, and the
# name in a framed strip across the bottom; the seat in a box at the label's
# top right corner.
SEAT_LABEL = {
    "right": {"x": 5839, "w": 5151, "frame": "Shape1", "seat_box": "Shape2",
              "name_box": "Shape3", "committee": "Text3", "class": "Text1",
              "caption": "Label2", "registry": "Text6", "name": "Text7", "seat": "Text9",
              "fields": {"committee": "d6", "class": "d4", "registry": "d7", "name": "D1",
                         "seat": "d3"}},
    "left": {"x": 50, "w": 5100, "frame": "Shape4", "seat_box": "Shape5",
             "name_box": "Shape6", "committee": "Text5", "class": "Text4",
             "caption": "Label1", "registry": "Text8", "name": "Text2", "seat": "Text10",
             "fields": {"committee": "d6", "class": "d4", "registry": "d8", "name": "D2",
                        "seat": "d5"}},
}


def seat_label(lay, c):
    s = "Section1"
    x, w, f = c["x"], c["w"], c["fields"]
    right = x + w
    lay.box(s, c["frame"], x, 40, w, 2660, colour=EDGE, weight=20)
    seat_left = right - 120 - 900
    lay.box(s, c["seat_box"], seat_left, 140, 900, 720)
    lay.text(s, c["seat"], f["seat"], seat_left, 140, 900, 720,
             {"family": "Arial", "size": 16, "weight": 700})
    lines = right - 120 - 900 - 120 - (x + 120)
    lay.text(s, c["committee"], f["committee"], x + 120, 140, lines, 380,
             {"family": "Al Ruvo Cool-Free", "size": 13, "weight": 600}, "right")
    lay.text(s, c["class"], f["class"], x + 120, 540, lines, 380, HEADER_FONT, "right")
    lay.label(s, c["caption"], "السجل المدني:", right - 120 - 1500, 1000, 1500, 380,
              HEADING_FONT, "right")
    lay.text(s, c["registry"], f["registry"], x + 120, 1000, w - 240 - 1560, 380,
             {"family": "Arial", "size": 11, "weight": 700}, "right")
    lay.box(s, c["name_box"], x + 80, 1520, w - 160, 950)
    # A long name wraps onto a second line rather than losing its ends.
    lay.text(s, c["name"], f["name"], x + 140, 1540, w - 280, 910,
             {"family": "Al Ruvo Cool-Free", "size": 14, "weight": 600}, wordWrap=True)


def label_p():
    lay = Layout("LabelP")
    lay.height("Section2", 120)
    lay.add("Section2", kind="line", name="Line1", left=0, top=60, width=WIDTH, height=0,
            borderColor=EDGE)
    lay.height("Section1", 2745)
    seat_label(lay, SEAT_LABEL["right"])
    seat_label(lay, SEAT_LABEL["left"])
    lay.write()


# LabelNames: two students to a line, each a seat box and a name box.
HALF = 5440
NAMES_SEAT = 800


def label_names():
    lay = Layout("LabelNames")
    s = "Section4"
    lay.height(s, 885)
    lay.box(s, "Shape1", 100, 60, WIDTH - 200, 765, weight=20)
    lay.label(s, "Label1", "الصف:", WIDTH - 100 - 1100, 200, 1000, 480, HEADING_FONT, "right")
    lay.label(s, "Class", "الصف:", 6000, 200, 4080, 480, HEADER_FONT, "right")
    lay.label(s, "Label7", "اللجنة:", 4700, 200, 1100, 480, HEADING_FONT, "right")
    lay.label(s, "Place", "الصف:", 250, 200, 4400, 480, HEADER_FONT, "right")

    s = "Section1"
    lay.height(s, 495)
    for (seat_name, seat_field, name_name, name_field, right) in (
            ("co1", "d3", "Text7", "D1", WIDTH - 100),
            ("Text2", "d5", "Text1", "D2", 100 + HALF)):
        seat_left = right - NAMES_SEAT
        name_left = right - HALF
        lay.box(s, "Box" + seat_name, seat_left, 0, NAMES_SEAT, 495)
        lay.box(s, "Box" + name_name, name_left, 0, HALF - NAMES_SEAT, 495)
        lay.text(s, seat_name, seat_field, seat_left, 0, NAMES_SEAT, 495,
                 {"family": "Arial", "size": 11, "weight": 700})
        lay.text(s, name_name, name_field, name_left + 80, 0, HALF - NAMES_SEAT - 160, 495,
                 {"family": "Al Ruvo Cool", "size": 10.5}, "right")
    lay.write()


# ExSign columns, right to left: number, name, eight subjects, notes.
NUMBER_LEFT, NUMBER_WIDTH = 10580, 600
NAME_LEFT = 6400
SUBJECT_WIDTH = 690
SUBJECT_PITCH = 700
SUBJECTS = 8
NOTES_LEFT = 100


def subject_left(k):
    return 5707 - k * SUBJECT_PITCH


def ex_sign():
    lay = Layout("ExSign")
    notes_width = subject_left(SUBJECTS - 1) - NOTES_LEFT
    subjects_left = subject_left(SUBJECTS - 1)
    subjects_width = NAME_LEFT - subjects_left

    s = "Section4"
    lay.height(s, 2211)
    lay.box(s, "Shape1", 100, 20, WIDTH - 200, 1800, weight=20, shape="roundedRectangle")
    # The basmala stands over the logo, so that the official lines beside it
    # reach up to the frame and the school's name (kl4) has two lines' room.
    lay.label(s, "Label14", "بسم الله الرحمن الرحيم", WIDTH / 2 - 1300, 60, 2600, 380,
              HEADER_FONT)
    tops = (180, 460, 740, 1020)
    for name, caption, top in zip(("kl1", "kl2", "kl3", "kl4"),
                                  ("المملكة العربية السعودية", "وزارة التعليم", "", ""),
                                  (50, 340, 630, 920)):
        # From beside the logo to the frame.
        lay.label(s, name, caption, WIDTH - 120 - 4200, top, 4200, 430 if name == "kl4" else 290,
                  HEADER_FONT)
    # Below the basmala line, which ends at 440.
    lay.add(s, kind="image", name="image1", left=WIDTH / 2 - 1300, top=460, width=2600,
            height=840, picture="logo.png")
    for name, caption, top in zip(("kl5", "Class", "Label1", "Label2"),
                                  ("", "الصف:", "المعلم:", "المادة:"), tops):
        lay.label(s, name, caption, 200, top, 4000, 300, HEADER_FONT)
    lay.label(s, "Label18", "بيان باستلام أوراق إجابات الطلاب/ـات", 200, 1360, WIDTH - 400,
              420, TITLE_FONT)
    lay.box(s, "Shape2", subjects_left, 1860, subjects_width, 351, fill=GREY)
    lay.label(s, "Label3", "المواد", subjects_left, 1860, subjects_width, 351, HEADING_FONT)
    lay.box(s, "Shape3", NOTES_LEFT, 1860, notes_width, 351, fill=GREY)
    lay.label(s, "Label20", "ملاحظات", NOTES_LEFT, 1860, notes_width, 351,
              {"family": "Al Ruvo Cool-Free", "size": 8, "weight": 600})

    # Subject names of two words take two lines: the headings are taller than
    # a row.
    s = "Section2"
    heading = 480
    lay.height(s, heading)
    lay.box(s, "Shape4", NUMBER_LEFT, 0, NUMBER_WIDTH, heading, fill=GREY)
    lay.box(s, "Shape5", NAME_LEFT, 0, NUMBER_LEFT - NAME_LEFT, heading, fill=GREY)
    for k in range(SUBJECTS):
        lay.box(s, f"Shape{6 + k}", subject_left(k), 0, SUBJECT_WIDTH, heading, fill=GREY)
    lay.box(s, "Shape14", NOTES_LEFT, 0, notes_width, heading, fill=GREY)
    lay.label(s, "Label17", "الرقم", NUMBER_LEFT, 0, NUMBER_WIDTH, heading,
              {"family": "Al Ruvo Cool-Free", "size": 9, "weight": 600})
    lay.label(s, "Label13", "الاسم", NAME_LEFT, 0, NUMBER_LEFT - NAME_LEFT, heading,
              HEADING_FONT)
    for k in range(SUBJECTS):
        lay.label(s, f"Label{5 + k}", "", subject_left(k) + 15, 0, SUBJECT_WIDTH - 30, heading,
                  SUBJECT_FONT, wordWrap=True)

    s = "Section1"
    row = 330
    lay.height(s, row)
    lay.box(s, "Shape15", NUMBER_LEFT, 0, NUMBER_WIDTH, row)
    lay.box(s, "Shape16", NAME_LEFT, 0, NUMBER_LEFT - NAME_LEFT, row)
    for k in range(SUBJECTS):
        lay.box(s, f"Cell{k + 1}", subject_left(k), 0, SUBJECT_WIDTH, row)
    lay.box(s, "Shape17", NOTES_LEFT, 0, notes_width, row)
    lay.text(s, "Text1", "D0", NUMBER_LEFT, 0, NUMBER_WIDTH, row, NUMBER_FONT)
    lay.text(s, "Text7", "D1", NAME_LEFT + 60, 0, NUMBER_LEFT - NAME_LEFT - 120, row, ROW_FONT,
             "right")

    s = "Section5"
    lay.height(s, 1300)
    lay.label(s, "Label4", "رئيس لجنة الاختبارات", 200, 250, 3800, 330, HEADER_FONT)
    lay.label(s, "Headmaster", "مدير المدرسة", 200, 650, 3800, 330, HEADER_FONT)
    lay.label(s, "Label121", "توقيع الملاحظين", WIDTH - 4000, 250, 3800, 330, HEADER_FONT)
    # Stored hidden: the observers sign by hand; no placeholder name prints.
    lay.label(s, "kl8", "مدير المدرسة", WIDTH - 4000, 650, 3800, 330, HEADER_FONT,
              visible=False)
    lay.label(s, "kl9", "", WIDTH - 4000, 980, 3800, 300, HEADER_FONT, visible=False)
    lay.write()


if __name__ == "__main__":
    label_p()
    label_names()
    ex_sign()
