#!/usr/bin/env python3
"""Writes four exam-day papers of the exam-control window as JSON into the
layouts folder: the answer-sheet hand-over statements Comeetee (receivers and
an auditor) and Comeetee1 (committee members and the computer operator), the
checking committee's sheet ComRe and the lateness minutes ExamLate. All carry
the school header of the name lists with "الكنترول" beside it.

    /usr/bin/python3 scripts/layouts/exam_papers.py

Geometry is in twips, x from the layout's left edge; tables read right to
left, so the first column stands at the right edge."""

import name_lists as nl
from name_lists import Builder, Group, Leaf, body_font, header, save, table

CONTROL = "الكنترول"
CHAIR = "رئيس لجنة الاختبارات"
HEADER_FONT = nl.HEADER_FONT
HEADING_FONT = body_font(9.75, 600)
DETAIL_FONT = body_font(10)
BODY_FONT = body_font(13, 500)
SMALL_FONT = body_font(12)
BORDER = nl.BORDER

LAND_WIDTH = 15600
PORTRAIT_WIDTH, PX0, PX1 = nl.PORTRAIT


def grow_header(b, extra):
    """Makes the report header taller by `extra` below the title; the
    rounded frame grows with it. Returns the top of the new room."""
    s = b.sections["Section4"]
    top = s["height"]
    s["height"] = top + extra
    frame = next(c for c in s["controls"] if c["name"] == "Shape1")
    frame["height"] += extra
    return top - 40


# ---------------------------------------------------------------- statements

def statement_footer(b):
    """Exam chair and principal at the left, the preparers at the right."""
    s = "Section5"
    b.sections[s]["height"] = 1300
    w = b.width
    b.label(s, CHAIR, 300, 250, 4200, 400, HEADER_FONT, name="Label1")
    b.label(s, "", 300, 700, 4200, 400, HEADER_FONT, name="Headmaster")
    b.label(s, "", w - 4500, 250, 4200, 400, HEADER_FONT, name="kl8")
    b.label(s, "", w - 4500, 700, 4200, 400, HEADER_FONT, name="kl9")


def statement(name, columns):
    b = Builder(name, 2, LAND_WIDTH)
    header(b, None, CONTROL, "بيان بتسليم واستلام أوراق الإجابة للكنترول")
    top = grow_header(b, 430)
    b.label("Section4", "بيان بتسليم واستلام أوراق الإجابة للكنترول", 104, top, LAND_WIDTH - 208,
            420, body_font(13, 600), name="ExDay")
    # The bound text boxes carry the schedule's column names.
    saved = nl.TEXT_NAMES
    nl.TEXT_NAMES = {f: f for f in ("D3", "D4", "D6", "D7", "D8")}
    try:
        table(b, columns, 100, LAND_WIDTH - 100, HEADING_FONT, DETAIL_FONT, row_height=480,
              detail_height=680)
    finally:
        nl.TEXT_NAMES = saved
    # Long staff names and subjects take two lines.
    for c in b.sections["Section1"]["controls"]:
        if c["kind"] == "textbox":
            c["wordWrap"] = True
    statement_footer(b)
    return b


def pair(caption, field=None, weight=1.2):
    return [Leaf(caption, weight=weight, field=field), Leaf("التوقيع", weight=0.9)]


def statements():
    first = [Leaf("الفترة", weight=1.0, field="D8"), Leaf("الصف", weight=1.6, field="D3"),
             Leaf("المادة", weight=2.4, field="D4"), Leaf("العدد", weight=0.7)]
    # A corrector's or reviewer's full name (five parts) takes two lines.
    audited = (first + pair("المستلم") + pair("المصحح", "D6", 3.2) + pair("المستلم")
               + pair("المراجع", "D7", 3.2) + pair("المستلم") + pair("المدقق")
               + pair("المستلم"))
    members = (first + pair("ع/اللجنة") + pair("المصحح", "D6", 3.2) + pair("ع/اللجنة")
               + pair("المراجع", "D7", 3.2) + pair("ع/اللجنة")
               + [Leaf("الحاسب", weight=1.4)])
    return [statement("Comeetee", audited), statement("Comeetee1", members)]


# ------------------------------------------------------------ day forms

def day_form_footer(b, kl8):
    """The stored mark, the exam chair over the principal at the left, the
    preparer's or observer's line at the right."""
    s = "Section5"
    b.sections[s]["height"] = 1300
    w = b.width
    b.label(s, "× ", 150, 700, 300, 400, HEADER_FONT, name="Label30")
    b.label(s, CHAIR, 450, 250, 3900, 400, HEADER_FONT, name="kl6")
    b.label(s, "", 450, 700, 3900, 400, HEADER_FONT, name="Kl7")
    b.label(s, kl8, w - 4300, 250, 3900, 400, HEADER_FONT, name="kl8")
    b.label(s, "", w - 4300, 700, 3900, 400, HEADER_FONT, name="kl9")


CHECK_ROWS = 31
CHECK_ROW = 390


def checking_sheet():
    b = Builder("ComRe", 1, PORTRAIT_WIDTH)
    header(b, None, CONTROL, "استلام لجنة التدقيق")
    columns = [Leaf("اليوم", weight=1.0), Leaf("التاريخ", weight=1.1),
               Leaf("المادة", weight=1.4), Leaf("الصف", weight=1.3),
               Leaf("عدد الطلاب", weight=0.9),
               Group("لجنة التدقيق", [Leaf("الاسم", weight=1.6), Leaf("التوقيع", weight=1.0)]),
               Group("لجنة التدقيق", [Leaf("الاسم", weight=1.6), Leaf("التوقيع", weight=1.0)])]
    table(b, columns, PX0, PX1, HEADING_FONT, DETAIL_FONT, row_height=360,
          detail_height=CHECK_ROW)
    # The captions close the report header; the page header is the empty
    # ruled table and the detail band prints nothing.
    top = b.sections["Section4"]["height"]
    captions = b.sections["Section2"]
    for c in captions["controls"]:
        c["top"] += top
        b.sections["Section4"]["controls"].append(c)
    b.sections["Section4"]["height"] = top + captions["height"]
    cells = b.sections["Section1"]["controls"]
    captions["controls"] = []
    captions["height"] = CHECK_ROWS * CHECK_ROW
    for row in range(CHECK_ROWS):
        for c in cells:
            b.cell("Section2", c["left"], row * CHECK_ROW, c["width"], CHECK_ROW)
    for c in cells:
        b.used.discard(c["name"].lower())
    b.sections["Section1"]["controls"] = []
    b.sections["Section1"]["height"] = 0
    day_form_footer(b, "")
    return b


def blank_line(b, left, bottom, width):
    b.add("Section2", {"kind": "line", "left": left, "top": bottom, "width": width, "height": 0,
                       "borderColor": BORDER})


def text_row(b, top, items, right=PX1, height=460, font=BODY_FONT):
    """Texts and blanks from the right edge leftwards: ("t", caption, width)
    or ("b", width); a blank is a line at the foot of the row."""
    x = right
    for item in items:
        if item[0] == "t":
            _, caption, width = item
            b.label("Section2", caption, x - width, top, width, height, font, align="right")
        else:
            width = item[1]
            blank_line(b, x - width + 60, top + height - 60, width - 120)
        x -= width


def lateness_minutes():
    b = Builder("ExamLate", 1, PORTRAIT_WIDTH)
    header(b, None, CONTROL, "محضر تأخر طالب/ـه عن الاختبار ")
    s = "Section2"
    width = PX1 - PX0

    # 1. The student: name, grade and class over blank cells.
    top = 250
    cols = [("اسم الطالب/ـه", 5630), ("الصف", 2800), ("الفصل", 2400)]
    x = PX1
    for caption, w in cols:
        b.cell(s, x - w, top, w, 420, fill=nl.GREY)
        b.label(s, caption, x - w, top, w, 420, HEADING_FONT)
        b.cell(s, x - w, top + 420, w, 520)
        x -= w

    # 2, 3. The day, the subject, the period and how long.
    top = 1450
    text_row(b, top, [("t", "إنه في يوم : /", 1500), ("b", 1700), ("t", "بتاريخ:", 850),
                      ("b", 1900), ("t", "وأثناء الاختبار لمادة:", 2250), ("b", 2630)])
    top += 620
    text_row(b, top, [("t", "في الفترة", 1050), ("b", 1500),
                      ("t", "قد تأخر الطالب/ـه المدونة بياناته أعلاه عن الاختبار لمدة", 5700),
                      ("b", 2580)])

    # 4. The reason, on blank lines.
    top += 620
    text_row(b, top, [("t", "وكان سبب التأخر:", 1900), ("b", width - 1900)])
    for _ in range(2):
        top += 520
        blank_line(b, PX0 + 60, top + 400, width - 120)

    # 5. What follows.
    top += 620
    b.label(s, "وسوف يدرس سبب التأخر بعد نهاية الاختبار ويتخذ حياله الإجراء المناسب: ولذا حرر هذا المحضر.",
            PX0, top, width, 460, BODY_FONT, align="right")

    # 6. The student's signature; beside it the committee's observer.
    top += 750
    half = width // 2
    text_row(b, top, [("t", "توقيع الطالب/ـه", 1800), ("b", half - 1800 - 200)])
    b.label(s, "ملاحظ اللجنة", PX0, top, half - 200, 460, BODY_FONT)
    text_row(b, top + 520, [("t", "الاسم/", 900), ("b", half - 1300)], right=PX0 + half - 200)
    text_row(b, top + 1040, [("t", "التوقيع/", 900), ("b", half - 1300)],
             right=PX0 + half - 200)

    # 7. The decision, in a frame.
    top += 1800
    frame_top = top
    b.add(s, {"kind": "shape", "shape": "roundedRectangle", "left": PX0, "top": frame_top,
              "width": width, "height": 2650, "borderColor": BORDER, "borderWidth": 20})
    top += 150
    b.label(s, "بعد نهاية الاختبار تمت دراسة أسباب التأخير واتخذ القرار التالي:",
            PX0 + 200, top, width - 400, 460, BODY_FONT, align="right")
    for caption in ("قبول عذر  الطالب/ـه",
                    "عدم قبول العذر وإبلاغ  الطالب/ـه بذلك وأعد له استمارةغياب."):
        top += 560
        b.cell(s, PX1 - 650, top + 90, 280, 280)
        b.label(s, caption, PX0 + 200, top, width - 1100, 460, BODY_FONT, align="right")
    top += 660
    text_row(b, top, [("t", "توقيع  الطالب/ـه", 1900), ("b", 3500)], right=PX1 - 300)
    b.sections[s]["height"] = frame_top + 2650 + 200

    day_form_footer(b, "مراقب اللجان")
    return b


def main():
    for b in statements() + [checking_sheet(), lateness_minutes()]:
        save(b)


if __name__ == "__main__":
    main()
