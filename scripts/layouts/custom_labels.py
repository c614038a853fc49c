#!/usr/bin/env python3
"""Writes the custom desk-label layout LabelPCus as JSON into the layouts
folder: two labels side by side in each detail row, the first record of a
pair on the right (d0..d3), the second on the left (d4..d7). Each label has a
framed number box at its left with the caption "الرقم" in its lower part, the
committee and the class on two lines to the right of it, and the name in a
framed strip across the bottom.

    /usr/bin/python3 scripts/layouts/custom_labels.py

Geometry is in twips, x from the layout's left edge."""

import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(os.path.dirname(HERE)), "layouts")

WIDTH = 11280
DETAIL_HEIGHT = 2730
PAGE_HEADER_HEIGHT = 120
EDGE = "#808080"
BORDER = "#000000"

LINE_FONT = {"family": "Al Ruvo Cool", "size": 14, "weight": 700}
NAME_FONT = {"family": "Al Ruvo Cool", "size": 13, "weight": 700}
NUMBER_FONT = {"family": "Arial", "size": 16, "weight": 700}
CAPTION_FONT = {"family": "Al Ruvo Cool", "size": 10}


def rounded(control):
    for k in ("left", "top", "width", "height"):
        control[k] = int(round(control[k]))
    return control


def text(name, field, left, top, width, height, font, align="center", wrap=False):
    return rounded({"kind": "textbox", "name": name, "dataField": field, "left": left,
                    "top": top, "width": width, "height": height, "font": font,
                    "alignment": align, "valign": "center", "wordWrap": wrap})


def frame(name, left, top, width, height, colour=BORDER, weight=15):
    return rounded({"kind": "shape", "name": name, "left": left, "top": top, "width": width,
                    "height": height, "borderColor": colour, "borderWidth": weight})


def label(name, caption, left, top, width, height):
    return rounded({"kind": "label", "name": name, "caption": caption, "left": left, "top": top,
                    "width": width, "height": height, "font": CAPTION_FONT,
                    "alignment": "center"})


def one_label(c):
    """The controls of one label; c names its controls, fields and places."""
    nx, ny = c["number_at"]
    return [
        frame(c["outer"], *c["outer_rect"], colour=EDGE, weight=20),
        frame(c["number_frame"], nx, ny, 900, 1155),
        frame(c["name_frame"], *c["name_rect"]),
        text(c["committee"], c["fields"][3], *c["committee_rect"], LINE_FONT, "right"),
        text(c["class"], c["fields"][0], *c["class_rect"], LINE_FONT, "right"),
        # The number keeps to the box's upper part, above its caption.
        text(c["number"], c["fields"][2], nx, ny + 40, 900, 700, NUMBER_FONT),
        label(c["caption"], "الرقم", nx - 72, ny + 780, 1044, 330),
        # A long name wraps onto a second line rather than losing its ends.
        text(c["name"], c["fields"][1], *c["name_rect"], NAME_FONT, wrap=True),
    ]


RIGHT = {
    "outer": "Shape1", "outer_rect": (5830, 20, 5200, 2680),
    "number_frame": "Shape5", "number_at": (5976, 144), "number": "co1", "caption": "Label2",
    "name_frame": "Shape2", "name_rect": (5904, 1440, 4992, 960), "name": "Text7",
    "committee": "Text3", "committee_rect": (7128, 72, 3785, 585),
    "class": "Text1", "class_rect": (7128, 792, 3785, 585),
    "fields": ("d0", "D1", "d2", "d3"),
}
LEFT = {
    "outer": "No1", "outer_rect": (20, 20, 5210, 2680),
    "number_frame": "Shape4", "number_at": (288, 144), "number": "co2", "caption": "Label4",
    "name_frame": "Shape3", "name_rect": (50, 1440, 5062, 960), "name": "Text2",
    "committee": "Text5", "committee_rect": (1368, 96, 3791, 585),
    "class": "Text4", "class_rect": (1368, 792, 3791, 570),
    "fields": ("d4", "D5", "d6", "d7"),
}


def section(name, height, controls=()):
    return {"name": name, "height": height, "controls": list(controls)}


def main():
    line = rounded({"kind": "line", "name": "Line2", "left": 0, "top": 60, "width": WIDTH,
                    "height": 0, "borderColor": EDGE})
    out = {
        "name": "LabelPCus",
        "orientation": 1,
        "reportWidth": WIDTH,
        "margins": {"left": 300, "top": 300, "right": 300, "bottom": 300},
        "defaultFont": {"family": "Arial", "size": 8.25},
        "sections": [
            section("Section4", 0),
            section("Section2", PAGE_HEADER_HEIGHT, [line]),
            section("Section1", DETAIL_HEIGHT, one_label(RIGHT) + one_label(LEFT)),
            section("Section3", 0),
            section("Section5", 0),
        ],
    }
    with open(os.path.join(OUT, "LabelPCus.json"), "w", encoding="utf-8") as f:
        json.dump(out, f, ensure_ascii=False, indent=1)
        f.write("\n")


if __name__ == "__main__":
    main()
