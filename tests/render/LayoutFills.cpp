#include "render/LayoutFills.h"

#include "attendance/AbsenceSheet.h"
#include "committees/Sheets.h"
#include "data/Connection.h"
#include "exams/DayForms.h"
#include "exams/ExamMinutes.h"
#include "exams/ExamPaperHeader.h"
#include "exams/ExamSheets.h"
#include "exams/HandOverStatement.h"
#include "labels/CustomLabelPrint.h"
#include "labels/SeatLabels.h"
#include "report/LayoutLibrary.h"
#include "reports/ClassLoad.h"
#include "reports/MarkSheetHeaders.h"
#include "reports/NameListHeaders.h"
#include "reports/QuranItems.h"
#include "support/TestHome.h"

#include <QDir>
#include <QImage>

namespace sijill::test {

namespace {

const QString kDate = QStringLiteral("1446/09/14");
const QString kWeekday = QStringLiteral("الأحد");
const QString kFirst = QStringLiteral("الأولى");

QString quoted(QString s) {
    return "'" + s.replace("'", "''") + "'";
}

QImage logo() {
    return QImage(QDir(TestHome::sourceDir()).filePath(QStringLiteral("layouts/logo.png")));
}

QString classKey(const FillTexts& t) {
    return t.grade + "-" + t.cls;
}

report::LaidOutReport layOutNamed(const QString& name) {
    return report::layOut(report::layout(name));
}

reports::SchoolHeader schoolHeader(const FillTexts& t) {
    return {t.administration, t.school, t.year, logo()};
}

data::RecordSet students(const FillTexts& t) {
    return reports::loadClassStudents(t.grade, t.cls);
}

report::LaidOutReport nameList(const QString& name, const FillTexts& t) {
    reports::fillNameListHeaders(schoolHeader(t), *reports::classLineOf(classKey(t)), students(t));
    return layOutNamed(name);
}

report::LaidOutReport markSheet(const QString& name, const FillTexts& t) {
    reports::fillMarkSheetHeaders(schoolHeader(t), *reports::markClassLineOf(classKey(t)),
                                  students(t));
    return layOutNamed(name);
}

report::LaidOutReport quranSheet(const QString& name, const FillTexts& t) {
    for (const reports::QuranItem& item : reports::quranItems()) {
        if (item.layout == name) {
            reports::fillQuranItem(item, schoolHeader(t), *reports::quranClassLineOf(classKey(t)),
                                   students(t));
            break;
        }
    }
    return layOutNamed(name);
}

exams::SheetSchool sheetSchool(const FillTexts& t) {
    return {t.administration, t.school,    t.year,      t.semester,
            t.principal,      t.preparer1, t.preparer2, logo()};
}

exams::ExamPaperHeader paperHeader(const FillTexts& t) {
    return {t.administration, t.school, t.year, t.semester, t.principal, t.preparer1, logo()};
}

report::LaidOutReport examSheet(const QString& name, const FillTexts& t) {
    report::ReportLayout& layout = report::layout(name);
    if (name == QLatin1String("ExamSch"))
        exams::fillGradeScheduleSheet(layout, sheetSchool(t), t.grade,
                                      exams::scheduleSheetRows(exams::gradeSheetRecords(t.grade),
                                                               exams::ScheduleSheet::Grade));
    else if (name == QLatin1String("ExamSchAll"))
        exams::fillSchoolScheduleSheet(
            layout, sheetSchool(t),
            exams::scheduleSheetRows(exams::schoolSheetRecords(), exams::ScheduleSheet::School));
    else
        exams::fillRevisersSheet(layout, sheetSchool(t),
                                 exams::revisersSheetRows(exams::revisersSheetRecords({})));
    return report::layOut(layout);
}

report::LaidOutReport examPaper(const QString& name, const FillTexts& t) {
    report::ReportLayout& layout = report::layout(name);
    data::Connection scheduleDb(data::Database::Schedule);
    if (name == QLatin1String("ComRe")) {
        exams::fillCheckingSheet(layout, paperHeader(t),
                                 exams::pickedDayRows(scheduleDb, kWeekday, kDate));
    } else if (name == QLatin1String("ExamLate")) {
        exams::fillLatenessMinutes(layout, paperHeader(t),
                                   exams::pickedDayRows(scheduleDb, kWeekday, kDate));
    } else {
        exams::fillHandOverStatement(
            layout, paperHeader(t), kWeekday, kDate,
            exams::handOverLines(exams::handOverScheduleRows(scheduleDb, kDate)));
    }
    return report::layOut(layout);
}

report::LaidOutReport examMinutes(const QString& name, const FillTexts& t) {
    namespace m = exams::minutes;
    report::ReportLayout& layout = report::layout(name);
    const data::RecordSet rows = m::dayPeriodRows(kDate, kFirst);
    const m::FoundDay found = *m::firstRow(rows);
    if (name == QLatin1String("ExamQuestions")) {
        m::fillQuestionsOfDay(layout, paperHeader(t), found, rows);
    } else if (name == QLatin1String("ExamQueSub")) {
        m::fillQuestionsOfSubject(layout, paperHeader(t), found, rows);
    } else {
        const QStringList student = {t.names.first(), "0550000001", "1100000001", "1",
                                     "ابتدائي",       t.grade,      t.cls};
        m::fillStudentMinutes(layout, paperHeader(t), student, found);
    }
    return report::layOut(layout);
}

std::vector<labels::SeatStudent> seatStudents(const FillTexts& t) {
    std::vector<labels::SeatStudent> out;
    for (int i = 0; i < t.names.size(); ++i)
        out.push_back({t.names[i], QString::number(1100000001LL + i)});
    return out;
}

report::LaidOutReport seatSheet(labels::SeatSheet sheet, const FillTexts& t) {
    const QString classText = t.grade + " - " + t.cls;
    const labels::SeatRows rows = labels::buildSeatRows(sheet, seatStudents(t), t.seatPrefix,
                                                        t.firstSeat, classText, t.committee);
    switch (sheet) {
    case labels::SeatSheet::ClassLabels:
        return report::layOut(labels::fillClassLabels(rows.rows));
    case labels::SeatSheet::Distribution:
        return report::layOut(labels::fillDistributionList(rows.rows, classText, t.committee));
    case labels::SeatSheet::Signatures:
        break;
    }
    labels::SignatureHeader header{t.administration, t.school, t.year, t.semester,
                                   t.committee,      t.grade,  t.cls,  logo()};
    return report::layOut(labels::fillSignatureSheet(rows.rows, header, t.subjects));
}

report::LaidOutReport customLabels(const FillTexts& t) {
    std::vector<labels::CustomLabel> all;
    for (int i = 0; i < t.names.size(); ++i) {
        labels::CustomLabel l;
        l.fields = {t.grade + " - " + t.cls, t.names[i], t.seat(i), t.committee};
        all.push_back(l);
    }
    return report::layOut(labels::fillCustomLabelLayout(all));
}

report::LaidOutReport committeeSheet(const QString& name, const FillTexts& t) {
    data::Connection schedual(data::Database::Schedule);
    const data::RecordSet rows = committees::committeeRows(schedual, t.committee);
    report::ReportLayout& layout = report::layout(name);
    if (name == committees::kSheetLayout)
        committees::fillSignatureSheet(
            layout, {t.administration, t.school, t.year, t.principal, logo()}, t.committee, rows);
    else
        committees::fillDeskLabels(layout, rows);
    return report::layOut(layout);
}

report::LaidOutReport absenceSheet(const FillTexts& t) {
    report::ReportLayout& layout = report::layout(attendance::kAbsenceLayout);
    const attendance::AbsenceSheetHeader header{t.administration, t.school, t.jobTitle,
                                                t.principal,      logo(),   {t.grade, t.cls}};
    attendance::fillAbsenceSheet(layout, {1446, 9, 0, 30}, header, t.names);
    return report::layOut(layout);
}

LayoutFill by(const char* name, report::LaidOutReport (*fill)(const QString&, const FillTexts&)) {
    const QString n = QString::fromLatin1(name);
    return {n, [n, fill](const FillTexts& t) { return fill(n, t); }};
}

} // namespace

FillTexts fillTexts(Fill fill) {
    FillTexts t;
    t.administration = QStringLiteral("الإدارة العامة للتعليم بمنطقة الرياض - مكتب الشمال");
    t.school = QStringLiteral("مدرسة الإمام محمد بن سعود الابتدائية لتحفيظ القرآن بحي الملز");
    t.year = QStringLiteral("1446 - 1447");
    t.semester = QStringLiteral("الفصل الدراسي الثاني");
    t.principal = QStringLiteral("عبدالرحمن عبدالعزيز عبدالمحسن عبدالله الزهراني");
    t.preparer1 = QStringLiteral("عبدالرحمن عبدالعزيز عبدالمحسن عبدالله الغامدي");
    t.preparer2 = QStringLiteral("عبدالرحمن عبدالعزيز عبدالمحسن عبدالله الشهراني");
    t.jobTitle = QStringLiteral("قائد المدرسة");
    t.grade = QStringLiteral("الرابع");
    t.cls = QStringLiteral("2");
    t.committee = QStringLiteral("لجنة الرابع والخامس الابتدائي");
    if (fill == Fill::Longest) {
        t.administration = QStringLiteral(
            "الإدارة العامة للتعليم بمنطقة الرياض - مكتب التعليم بشمال الرياض - قطاع العريجاء");
        t.school = QStringLiteral("مدرسة الأمير سلطان بن عبدالعزيز آل سعود الابتدائية الأولى "
                                  "لتحفيظ القرآن الكريم بحي الملز شرقي الرياض");
        t.committee =
            QStringLiteral("قاعة المختبر العلمي الكبير بجوار المصلى في الدور الثاني - أ1");
    }
    const QStringList longest = {
        QStringLiteral("عبدالرحمن عبدالعزيز عبدالمحسن عبدالله الغامدي"),
        QStringLiteral("عبدالرحمن عبدالعزيز عبدالمحسن عبدالله العتيبي"),
        fill == Fill::Longest
            ? QStringLiteral("محمد نور الدين عبدالعزيز عبدالمحسن عبدالرحيم آل فهيد الدوسري")
            : QStringLiteral("عبدالرحمن عبدالعزيز عبدالمحسن عبدالله الدوسري"),
    };
    const QStringList first = {"محمد", "عبدالله",   "فهد",  "خالد",
                               "سعد",  "عبدالرحمن", "يوسف", "أحمد"};
    const QStringList family = {"العتيبي", "القحطاني", "الغامدي", "الزهراني", "آل سعود الحربي"};
    for (int i = 0; i < 30; ++i)
        t.names << (i % 10 < 3 ? longest[i % 10]
                               : first[i % first.size()] + " " + first[(i * 3) % first.size()] +
                                     " " + family[i % family.size()]);
    t.subjects = {"لغتي الجميلة",       "الرياضيات",        "العلوم",
                  "الدراسات الإسلامية", "اللغة الإنجليزية", "الدراسات الاجتماعية",
                  "المهارات الرقمية",   "التربية الفنية"};
    // Five-part names side by side on every row of the correctors' sheet.
    t.staff = {t.principal, "عبدالله إبراهيم عبدالرحمن محمد القحطاني", t.preparer1,
               "فهد عبدالله إبراهيم سعد العتيبي"};
    return t;
}

QString fillCase(const QString& layout, Fill fill) {
    return fill == Fill::Long ? layout : layout + QStringLiteral("-longest");
}

void seedHome(const TestHome& home, const FillTexts& t) {
    home.exec("Schedual.db", "UPDATE MyInfo SET Admin = " + quoted(t.administration) +
                                 ", School = " + quoted(t.school) +
                                 ", ThisYear = " + quoted(t.year) +
                                 ", ThisName = " + quoted(t.principal) + " WHERE id = 1");
    for (int i = 0; i < t.names.size(); ++i)
        home.exec("MyDatabase.db",
                  QStringLiteral("INSERT INTO T1 (d0,d1,d2,d3,d4,d5,d6,d7,d8) VALUES "
                                 "('%1', %2, '05%3', '1%4', '1', 'ابتدائي', %5, %6, '0')")
                      .arg(i + 1, 2, 10, QChar('0'))
                      .arg(quoted(t.names[i]))
                      .arg(50000000 + i)
                      .arg(100000000 + i)
                      .arg(quoted(t.grade), quoted(t.cls)));
    // Two exam days of the grade, two periods on the first.
    for (int k = 0; k < t.subjects.size(); ++k) {
        const bool firstDay = k < 2;
        home.exec("Schedual.db",
                  QStringLiteral("INSERT INTO T1 (D0, D1, D2, D3, D4, D5, D6, D7, D8, F_Order) "
                                 "VALUES ('1', %1, %2, %3, %4, '7:30 - 9:00', %5, %6, %7, %8)")
                      .arg(quoted(firstDay ? kWeekday : QStringLiteral("الاثنين")),
                           quoted(firstDay ? kDate : QStringLiteral("1446/09/%1").arg(14 + k)),
                           quoted(t.grade), quoted(t.subjects[k]),
                           quoted(t.staff[k % t.staff.size()]),
                           quoted(t.staff[(k + 1) % t.staff.size()]),
                           quoted(k == 1 ? QStringLiteral("الثانية") : kFirst))
                      .arg(k));
    }
    // A committee: a grade block's header row, then its students.
    QStringList subjects = t.subjects;
    QString values =
        "(" + quoted(t.committee) + ", NULL, " + quoted(t.grade + " - " + t.cls) + ", NULL, NULL";
    for (const QString& s : subjects)
        values += ", " + quoted(s);
    values += ")";
    for (int i = 0; i < t.names.size(); ++i)
        values += QStringLiteral(", (%1, %2, %3, %4, '%5', NULL, NULL, NULL, NULL, NULL, NULL, "
                                 "NULL, NULL)")
                      .arg(quoted(t.committee), quoted(t.grade + " - " + t.cls), quoted(t.names[i]),
                           quoted(t.seat(i)))
                      .arg(i + 1);
    home.exec("Schedual.db",
              "INSERT INTO Com (Com, Class, Name, ComNum, Num, S1, S2, S3, S4, S5, S6, S7, S8) "
              "VALUES " +
                  values);
}

const std::vector<LayoutFill>& layoutFills() {
    static const std::vector<LayoutFill> all = [] {
        std::vector<LayoutFill> out;
        for (const char* n :
             {"Quran", "Quran1", "StudentsNames", "Weeks4", "Weeks", "Land30", "SNamesLand",
              "MyLangUnit", "Lang2", "AbcentWeek", "FollowUp", "Books", "General"})
            out.push_back(by(n, nameList));
        for (const char* n : {"Marks", "HandExam", "lang_grade_456", "Lang4", "lang_grade_3",
                              "lang_grade_3_1_period", "Final", "MarksPeriod"})
            out.push_back(by(n, markSheet));
        for (const char* n : {"TahMemorization", "TahMemorization2", "F2", "TahMemDayly", "TahEva"})
            out.push_back(by(n, quranSheet));
        for (const char* n : {"ExamSch", "ExamSchAll", "ComRevisers"})
            out.push_back(by(n, examSheet));
        for (const char* n : {"Comeetee", "Comeetee1", "ComRe", "ExamLate"})
            out.push_back(by(n, examPaper));
        for (const char* n : {"ExamAbce", "ExamCheat", "ExamQuestions", "ExamQueSub"})
            out.push_back(by(n, examMinutes));
        for (const char* n : {"ComNewP", "LabelPNew"})
            out.push_back(by(n, committeeSheet));
        out.push_back({"LabelP", [](const FillTexts& t) {
                           return seatSheet(labels::SeatSheet::ClassLabels, t);
                       }});
        out.push_back({"LabelNames", [](const FillTexts& t) {
                           return seatSheet(labels::SeatSheet::Distribution, t);
                       }});
        out.push_back({"ExSign", [](const FillTexts& t) {
                           return seatSheet(labels::SeatSheet::Signatures, t);
                       }});
        out.push_back({"LabelPCus", customLabels});
        out.push_back({"AbcentLand", absenceSheet});
        return out;
    }();
    return all;
}

} // namespace sijill::test
