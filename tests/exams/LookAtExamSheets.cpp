// Fills the exam schedule sheets and the correctors-and-reviewers sheet with
// a sample school's schedule, for looking at them:
//   look_exam_sheets OUT_FOLDER
// writes OUT_FOLDER/ExamSch.pdf, ExamSchAll.pdf and ComRevisers.pdf.
#include "exams/ExamSheets.h"
#include "exams/SheetTexts.h"
#include "platform/report/LayoutLibrary.h"
#include "platform/report/ReportModel.h"
#include "platform/report/ReportPages.h"
#include "platform/report/ReportPainter.h"
#include "support/TestHome.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

using namespace sijill;

namespace {

std::vector<exams::ScheduleRow> sampleSchedule() {
    const QStringList grades = {"ثالث", "رابع", "خامس - شامل", "سادس القراّن الكريم"};
    const QStringList weekdays = {"الأحد", "الاثنين", "الثلاثاء", "الأربعاء", "الخميس"};
    const QStringList subjects = {"لغتي الجميلة",       "الرياضيات",        "العلوم",
                                  "الدراسات الإسلامية", "اللغة الإنجليزية", "الدراسات الاجتماعية",
                                  "التربية الفنية"};
    const QStringList staff = {"عبدالله بن محمد الشهري", "فهد العتيبي", "خالد القحطاني",
                               "سعد الغامدي"};
    std::vector<exams::ScheduleRow> rows;
    for (int g = 0; g < grades.size(); ++g)
        for (int d = 0; d < 5; ++d)
            for (int p = 0; p < (d % 2 == 0 ? 2 : 1); ++p) {
                exams::ScheduleRow r;
                r.position = QString::number(g + 1);
                r.grade = grades[g];
                r.weekday = weekdays[d];
                r.date = QString("1446/05/%1").arg(10 + d);
                r.period = p == 0 ? "الأولى" : "الثانية";
                r.subject = subjects[(g + d * 2 + p) % subjects.size()];
                r.time = p == 0 ? "8:00 - 9:30" : "10:00 - 11:00";
                r.corrector = staff[(g + d) % staff.size()];
                r.reviewer = staff[(g + d + 1) % staff.size()];
                rows.push_back(r);
            }
    return rows;
}

void write(const report::ReportLayout& layout, const QString& out) {
    const report::LaidOutReport r = report::layOut(layout);
    const QString file = out + "/" + layout.name() + ".pdf";
    report::writePdf(r, file);
    std::printf("%s: %zu page(s)\n", qPrintable(file), r.pages.size());
    for (const report::ReportPage& page : r.pages)
        for (const report::DrawnItem& item : page.items)
            if (item.kind == report::DrawnItem::Kind::Text && !report::textFits(item))
                std::printf("  does not fit: %s \"%s\"\n", qPrintable(item.control),
                            qPrintable(item.text));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    if (argc < 2) {
        std::fprintf(stderr, "usage: look_exam_sheets OUT_FOLDER\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    test::TestHome home;

    exams::SheetSchool school{"إدارة تعليم الرياض",  "مدرسة النور الابتدائية", "1446هـ",
                              "الفصل الدراسي الأول", "عبدالله بن محمد الشهري", "فهد العتيبي",
                              "خالد القحطاني",       QImage(":/missing")};
    const std::vector<exams::ScheduleRow> all = sampleSchedule();
    std::vector<exams::ScheduleRow> fourth;
    for (const exams::ScheduleRow& r : all)
        if (r.grade == "رابع")
            fourth.push_back(r);

    report::ReportLayout& grade = report::layout(exams::sheet_texts::kGradeSheet);
    exams::fillGradeScheduleSheet(grade, school, "رابع",
                                  exams::scheduleSheetRows(fourth, exams::ScheduleSheet::Grade));
    write(grade, out);
    report::ReportLayout& whole = report::layout(exams::sheet_texts::kSchoolSheet);
    exams::fillSchoolScheduleSheet(whole, school,
                                   exams::scheduleSheetRows(all, exams::ScheduleSheet::School));
    write(whole, out);
    report::ReportLayout& revisers = report::layout(exams::sheet_texts::kRevisersSheet);
    exams::fillRevisersSheet(revisers, school, exams::revisersSheetRows(all));
    write(revisers, out);
    return 0;
}
