#!/usr/bin/env python3
"""Writes the exam schedule layouts as JSON into the layouts folder: ExamSch
(one grade's exam days, the two periods side by side), ExamSchAll (the same
for every grade, the grade in the first column) and ComRevisers (the
correctors and reviewers of each exam, with blank columns for the committee
and three observers), reusing the name lists' header and table helpers:

    /usr/bin/python3 scripts/layouts/exam_schedules.py

Geometry is in twips, x from the left edge; the first column stands at the
right edge."""

import name_lists as nl
from name_lists import Builder, Group, Leaf, body_font, header, save, table

# The schedule columns bind d0 .. d6.
nl.TEXT_NAMES.update({"D4": "Text5", "D5": "Text6", "D6": "Text7"})

CHIEF = "رئيس لجنة الاختبارات"
FOOTER_FONT = body_font(12, 500)
NUMBER_FONT = {"family": "Arial", "size": 11}
TIME_FONT = {"family": "Arial", "size": 10}
SMALL_NUMBER_FONT = {"family": "Arial", "size": 9.5}


def periods():
    return [Group("الفترة الأولى", [Leaf("المادة", weight=2, field="D3"),
                                   Leaf("الزمن", weight=1.5, field="D4", font=TIME_FONT)]),
            Group("الفترة الثانية", [Leaf("المادة", weight=2, field="D5"),
                                    Leaf("الزمن", weight=1.5, field="D6", font=TIME_FONT)])]


def day_columns():
    return [Leaf("التاريخ", weight=1.3, field="D1", font=TIME_FONT),
            Leaf("اليوم", weight=1.0, field="D2")]


def control_mark(b):
    """"الكنترول" on the free fourth line of the header's left column."""
    left = 144 if b.layout["orientation"] == 2 else 240
    b.label("Section4", "الكنترول", left, 977, 4095, 330, nl.HEADER_FONT, name="Label3")


def footer(b, with_second_preparer=True):
    """The chief's title and name on the left, the preparers on the right."""
    s = "Section5"
    w = b.width
    b.sections[s]["height"] = 1000
    b.label(s, CHIEF, 300, 150, 3800, 360, FOOTER_FONT, name="kl6")
    b.label(s, "", 300, 520, 3800, 360, FOOTER_FONT, name="Kl7")
    b.label(s, "", w - 4100, 150, 3800, 360, FOOTER_FONT, name="kl8")
    b.label(s, "", w - 4100, 520, 3800, 360, FOOTER_FONT, name="kl9")


def schedule(name, title, columns):
    w, x0, x1 = nl.PORTRAIT
    b = Builder(name, 1, w)
    header(b, None, None, title)
    control_mark(b)
    table(b, columns, x0, x1, body_font(11.25, 500), body_font(12), detail_height=400)
    footer(b)
    return b


def revisers():
    width = 15600
    b = Builder("ComRevisers", 2, width)
    header(b, None, None, "بيان بأسماء المصححين /ـات والمراجعين /ـات")
    control_mark(b)
    columns = [Leaf("اليوم", weight=1.0, field="D0"),
               Leaf("التاريخ", weight=1.35, field="D1", font=SMALL_NUMBER_FONT),
               Leaf("الصف", weight=1.0, field="D2"),
               Leaf("الفترة", weight=0.8, field="D3"),
               Leaf("المادة", weight=1.9, field="D4"),
               Leaf("المصحح", weight=3.0, field="D5"),
               Leaf("المراجع", weight=3.0, field="D6"),
               Leaf("اللجنة", weight=0.75),
               Leaf("ملاحظ 1", weight=1.2), Leaf("التوقيع", weight=0.75),
               Leaf("ملاحظ 2", weight=1.2), Leaf("التوقيع", weight=0.75),
               Leaf("ملاحظ 3", weight=1.2), Leaf("التوقيع", weight=0.75)]
    # Rows tall enough for a full name (five parts) on two lines.
    table(b, columns, 100, width - 100, body_font(10, 500), body_font(10),
          detail_height=600)
    footer(b)
    return b


def main():
    save(schedule("ExamSch", "جدول اختبار الصف", day_columns() + periods()))
    save(schedule("ExamSchAll", "جدول الاختبار لجميع صفوف المدرسة",
                  [Leaf("الصف", weight=1.3, field="D0")] + day_columns() + periods()))
    save(revisers())


if __name__ == "__main__":
    main()
