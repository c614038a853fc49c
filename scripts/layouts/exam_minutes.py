#!/usr/bin/env python3
"""Writes the exam-day minutes as JSON into the layouts folder: ExamAbce and
ExamCheat (a student's absence from an exam, cheating in one), ExamQuestions
(opening the questions of every grade in one period) and ExamQueSub (the same
for one subject):

    /usr/bin/python3 scripts/layouts/exam_minutes.py

Geometry is in twips, x from the layout's left edge; lines read right to
left, so a caption stands right of its value. Spaces for handwriting are
dotted lines."""

import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(os.path.dirname(HERE)), "layouts")

WIDTH = 10800
BORDER = "#000000"
GREY = "#E0E0E0"
SECTIONS = ("Section4", "Section2", "Section1", "Section3", "Section5")
HEADER_FONT = {"family": "Al Ruvo Cool", "size": 12}
TITLE_FONT = {"family": "Al OnWan", "size": 20}
BODY_FONT = {"family": "Al Ruvo Cool", "size": 14}
VALUE_FONT = {"family": "Al Ruvo Cool-Free", "size": 14, "weight": 600}
CELL_FONT = {"family": "Al Ruvo Cool", "size": 13}
LINE = 420

BASMALAH = "بسم الله الرحمن الرحيم"
CONTROL = "الكنترول"
CHIEF = "رئيس لجنة الاختبارات"
ABSENCE_TITLE = "محضر غياب  طالب/ـه عن الاختبار"
CHEATING_TITLE = "محضر غش"
QUESTIONS_TITLE = "محضر فتح أسئلة"
ABS_NAME = "اسم  الطالب/ـه"
CHEAT_NAME = "اسم الطالب"
GRADE = "الصف"
CLASS = "الفصل"
SEAT = "رقم الجلوس"
SEAT_BLANK = "(              )"
COMMITTEE = "اللجنة"
ON_DAY = "إنه في يوم : /"
IN_PERIOD = "وفي الفترة"
ABSENT = "قد تغيب  الطالب/ـه المدونة بياناته أعلاه عن اختبار مادة"
OBSERVERS = "أسماء الملاحظين"
NAME = "الاسم/"
SIGNATURE = "التوقيع/"
CAUGHT = "تم ضبط الطالب المدونه بياناته"
IN_EXAM = "أعلاه في اختبار مادة"
CASE = "وذلك بالحالة التالية:"
CAUGHT_BY = "وقد تم ضبطه من قبل ملاحظ اللجنة المعلم /"
TOOL = "ووجد أن أداة الغش تحتوي على:"
SIGNED = "وعليه جرى التوقيع"
DAY = "اليوم"
PERIOD = "الفترة"
HOUR = "الساعة"
HOUR_BLANK = "(                     )"
SUBJECT = "المادة"
PRESENT = "بحضور كل من :"
FOUND = "وقد وجدت الأسئلة سليمة وعلى ذلك جرى التوقيع"
TEACHER = "معلم المادة /"
MARK = "× "


class Layout:
    def __init__(self):
        self.sections = {s: {"name": s, "height": 0, "controls": []} for s in SECTIONS}
        self.count = 0

    def add(self, section, **control):
        for k in ("left", "top", "width", "height"):
            control[k] = int(round(control[k]))
        if "name" not in control:
            self.count += 1
            control["name"] = f"{control['kind'].capitalize()}M{self.count}"
        self.sections[section]["controls"].append(control)

    def label(self, section, caption, left, top, width, height, font=BODY_FONT, align="right",
              name=None, **extra):
        if name:
            extra["name"] = name
        self.add(section, kind="label", caption=caption, left=left, top=top, width=width,
                 height=height, font=font, alignment=align, **extra)

    def box(self, section, left, top, width, height, fill=None):
        extra = {"backColor": fill} if fill else {}
        self.add(section, kind="shape", left=left, top=top, width=width, height=height,
                 borderColor=BORDER, **extra)

    def blank(self, section, left, top, width):
        """A dotted line to write on, along the bottom of a text line."""
        self.add(section, kind="label", caption="." * int(width / 62), left=left, top=top,
                 width=width, height=LINE, font={"family": "Arial", "size": 10},
                 alignment="center", wordWrap=False)

    def cell(self, section, caption, left, top, width, height, name=None, font=CELL_FONT,
             fill=None):
        self.box(section, left, top, width, height, fill)
        self.label(section, caption, left + 40, top, width - 80, height, font, "center", name)

    def write(self, name):
        out = {"name": name, "orientation": 1, "reportWidth": WIDTH,
               "margins": {"left": 550, "top": 400, "right": 550, "bottom": 400},
               "defaultFont": {"family": "Arial", "size": 8.25},
               "sections": list(self.sections.values())}
        with open(os.path.join(OUT, name + ".json"), "w", encoding="utf-8") as f:
            json.dump(out, f, ensure_ascii=False, indent=1)
            f.write("\n")


def report_header(lay, title):
    s = "Section4"
    lay.sections[s]["height"] = 2350
    lay.add(s, kind="shape", name="Shape1", shape="roundedRectangle", left=40, top=20,
            width=WIDTH - 80, height=1700, borderColor=BORDER, borderWidth=20)
    lay.label(s, BASMALAH, 3000, 60, WIDTH - 6000, 380, HEADER_FONT, "center", "Label14")
    for i, (name, caption) in enumerate((("kl1", "المملكة العربية السعودية"), ("kl2", "وزارة التعليم"),
                                         ("kl3", ""), ("kl4", ""))):
        # From the logo to the frame; the school's name (kl4) may take two
        # lines down to the frame's foot.
        lay.label(s, caption, WIDTH - 4370, 300 + 330 * i, 4290, 400 if name == "kl4" else 330,
                  HEADER_FONT, "center", name)
    for i, name in enumerate(("kl5", "Class")):
        lay.label(s, "", 150, 300 + 330 * i, 3950, 330, HEADER_FONT, "center", name)
    lay.label(s, CONTROL, 150, 300 + 330 * 2, 3950, 330, HEADER_FONT, "center", "Label15")
    lay.add(s, kind="image", name="image1", left=WIDTH / 2 - 1000, top=460, width=2000,
            height=1000, picture="logo.png")
    lay.label(s, title, 1000, 1780, WIDTH - 2000, 540, TITLE_FONT, "center", "Label18")


def signatures(lay, top):
    """The chief of the exam committee and the principal at the left, the
    preparer at the right."""
    s = "Section5"
    lay.label(s, CHIEF, 300, top, 3600, LINE, HEADER_FONT, "center", "kl6")
    lay.label(s, "", 300, top + LINE, 3600, LINE, HEADER_FONT, "center", "Kl7")
    lay.label(s, MARK, 3900, top + LINE, 400, LINE, HEADER_FONT, "center", "Label16")
    lay.label(s, "", WIDTH - 3900, top, 3600, LINE, HEADER_FONT, "center", "kl8")
    lay.label(s, "", WIDTH - 3900, top + LINE, 3600, LINE, HEADER_FONT, "center", "kl9")
    lay.sections[s]["height"] = top + 2 * LINE + 100


def sign_rows(lay, section, top, first=NAME, rows=2):
    """Rows of name and signature to fill in by hand."""
    half = WIDTH / 2
    for r in range(rows):
        y = top + r * (LINE + 120)
        caption = first if r == 0 else NAME
        lay.label(section, caption, WIDTH - 1900, y, 1800, LINE)
        lay.blank(section, half + 200, y, WIDTH - 1900 - half - 200)
        lay.label(section, SIGNATURE, half - 1300, y, 1200, LINE)
        lay.blank(section, 200, y, half - 1500)
    return top + rows * (LINE + 120)


def student_table(lay, s, top, name_caption):
    """Name, grade, class, seat number and committee, captions over values."""
    h = 400
    lay.cell(s, name_caption, 200, top, WIDTH - 400, h, fill=GREY)
    lay.cell(s, "", 200, top + h, WIDTH - 400, h + 60, "Name", VALUE_FONT)
    top += 2 * h + 60 + 120
    third = (WIDTH - 400) / 3
    for i, (caption, name, value) in enumerate(((GRADE, "Class1", ""), (CLASS, "Class2", ""),
                                                (SEAT, "SeatNo", SEAT_BLANK))):
        left = WIDTH - 200 - (i + 1) * third
        lay.cell(s, caption, left, top, third, h, fill=GREY)
        lay.cell(s, value, left, top + h, third, h + 60, name, VALUE_FONT)
    top += 2 * h + 60 + 120
    lay.cell(s, COMMITTEE, WIDTH - 200 - third, top, third, h, fill=GREY)
    lay.cell(s, "", WIDTH - 200 - third, top + h, third, h + 60)
    return top + 2 * h + 60 + 240


def day_line(lay, s, top, tail=None):
    """"On the day ..., in the period ..." with the found day and period."""
    lay.label(s, ON_DAY, WIDTH - 1700, top, 1500, LINE)
    lay.label(s, "", WIDTH - 4600, top, 2900, LINE, VALUE_FONT, "center", "Day")
    lay.label(s, IN_PERIOD, WIDTH - 5800, top, 1200, LINE)
    if tail:
        lay.label(s, "", WIDTH - 6800, top, 1000, LINE, VALUE_FONT, "center", "Period")
        lay.label(s, tail, 200, top, WIDTH - 7000, LINE, BODY_FONT, "right")
    else:
        lay.label(s, "", 200, top, WIDTH - 6000, LINE, VALUE_FONT, "right", "Period")
    return top + LINE + 160


def absence():
    lay = Layout()
    report_header(lay, ABSENCE_TITLE)
    s = "Section2"
    top = student_table(lay, s, 100, ABS_NAME)
    top = day_line(lay, s, top)
    lay.label(s, ABSENT, WIDTH - 7000, top, 6800, LINE)
    lay.label(s, "", 200, top, WIDTH - 7200, LINE, VALUE_FONT, "right", "Subject")
    top += LINE + 400
    lay.label(s, OBSERVERS, WIDTH - 3200, top, 3000, LINE, VALUE_FONT)
    top = sign_rows(lay, s, top + LINE + 120)
    lay.sections[s]["height"] = top + 200
    signatures(lay, 200)
    lay.write("ExamAbce")


def cheating():
    lay = Layout()
    report_header(lay, CHEATING_TITLE)
    s = "Section2"
    top = student_table(lay, s, 100, CHEAT_NAME)
    top = day_line(lay, s, top, CAUGHT)
    lay.label(s, IN_EXAM, WIDTH - 2800, top, 2600, LINE)
    lay.label(s, "", WIDTH - 6400, top, 3600, LINE, VALUE_FONT, "right", "Subject")
    lay.label(s, CASE, 200, top, WIDTH - 6600, LINE)
    top += LINE + 60
    for _ in range(3):
        lay.blank(s, 200, top, WIDTH - 400)
        top += LINE + 40
    top += 120
    lay.label(s, CAUGHT_BY, WIDTH - 5800, top, 5600, LINE)
    lay.blank(s, 200, top, WIDTH - 6000)
    top += LINE + 160
    lay.label(s, TOOL, WIDTH - 4000, top, 3800, LINE)
    lay.blank(s, 200, top, WIDTH - 4200)
    top += LINE + 40
    for _ in range(2):
        lay.blank(s, 200, top, WIDTH - 400)
        top += LINE + 40
    top += 200
    lay.label(s, SIGNED, WIDTH - 3200, top, 3000, LINE, VALUE_FONT)
    top = sign_rows(lay, s, top + LINE + 120)
    lay.sections[s]["height"] = top + 200
    signatures(lay, 200)
    lay.write("ExamCheat")


def day_cells(lay, s, top):
    """Day, period and hour, captions over values."""
    h = 420
    widths = (4800, 2600, WIDTH - 400 - 7400)
    right = WIDTH - 200
    for caption, name, value, w in ((DAY, "Day", "", widths[0]), (PERIOD, "Period", "", widths[1]),
                                    (HOUR, "Time", HOUR_BLANK, widths[2])):
        lay.cell(s, caption, right - w, top, w, h, fill=GREY)
        lay.cell(s, value, right - w, top + h, w, h + 60, name, VALUE_FONT)
        right -= w
    return top + 2 * h + 60 + 240


SUBJECT_WIDTH = 5600  # the subject column at the right, the grade at the left


def columns(lay, s, top, h=420):
    half_left = 200
    lay.cell(s, SUBJECT, WIDTH - 200 - SUBJECT_WIDTH, top, SUBJECT_WIDTH, h, fill=GREY)
    lay.cell(s, GRADE, half_left, top, WIDTH - 400 - SUBJECT_WIDTH, h, fill=GREY)
    return top + h


def questions_footer(lay, first):
    s = "Section5"
    lay.label(s, PRESENT, WIDTH - 3200, 200, 3000, LINE, VALUE_FONT)
    top = sign_rows(lay, s, 200 + LINE + 120, first, rows=3)
    lay.label(s, FOUND, 1000, top + 100, WIDTH - 1200, LINE, VALUE_FONT)
    signatures(lay, top + LINE + 400)


def questions_of_day():
    lay = Layout()
    report_header(lay, QUESTIONS_TITLE)
    s = "Section2"
    top = day_cells(lay, s, 100)
    lay.sections[s]["height"] = columns(lay, s, top)
    d = "Section1"
    row = 440
    lay.sections[d]["height"] = row
    lay.box(d, WIDTH - 200 - SUBJECT_WIDTH, 0, SUBJECT_WIDTH, row)
    lay.box(d, 200, 0, WIDTH - 400 - SUBJECT_WIDTH, row)
    lay.add(d, kind="textbox", name="Text1", dataField="D4", left=WIDTH - 160 - SUBJECT_WIDTH,
            top=0, width=SUBJECT_WIDTH - 80, height=row, font=CELL_FONT, alignment="center")
    lay.add(d, kind="textbox", name="Text2", dataField="D3", left=240, top=0,
            width=WIDTH - 480 - SUBJECT_WIDTH, height=row, font=CELL_FONT, alignment="center")
    questions_footer(lay, NAME)
    lay.write("ExamQuestions")


def questions_of_subject():
    lay = Layout()
    report_header(lay, QUESTIONS_TITLE)
    s = "Section2"
    top = day_cells(lay, s, 100)
    top = columns(lay, s, top)
    h = 480
    lay.cell(s, "", WIDTH - 200 - SUBJECT_WIDTH, top, SUBJECT_WIDTH, h, "subject", VALUE_FONT)
    lay.cell(s, "", 200, top, WIDTH - 400 - SUBJECT_WIDTH, h, "Class1", VALUE_FONT)
    lay.sections[s]["height"] = top + h + 100
    questions_footer(lay, TEACHER)
    lay.write("ExamQueSub")


if __name__ == "__main__":
    absence()
    cheating()
    questions_of_day()
    questions_of_subject()
