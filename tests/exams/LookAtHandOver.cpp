// Prints the hand-over statements, the checking sheet and the lateness
// minutes, filled with a sample day, as PDF files for looking at them:
//   look_handover OUT_FOLDER
#include "data/Connection.h"
#include "exams/DayForms.h"
#include "exams/ExamPaperHeader.h"
#include "exams/HandOverStatement.h"
#include "platform/report/LayoutLibrary.h"
#include "platform/report/ReportOutput.h"
#include "support/TestHome.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

using namespace sijill;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    if (argc < 2) {
        std::fprintf(stderr, "usage: look_handover OUT_FOLDER\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    qputenv("SIJILL_PRINT_TO", out.toLocal8Bit());
    test::TestHome home;

    const QString day = QStringLiteral("1433/09/10");
    const QStringList grades = {"الأول الثانوية شامل", "الثاني - المسار العام",
                                "الثالث الثانوية شرعية و علوم", "تحفيظ القراّن الكريم ثالث"};
    const QStringList subjects = {"لغتي الجميلة", "الرياضيات", "التربية الإسلامية",
                                  "الدراسات الاجتماعية والوطنية"};
    {
        data::Connection c(data::Database::Schedual);
        for (int p = 0; p < 2; ++p)
            for (int g = 0; g < grades.size(); ++g)
                c.execute("INSERT INTO T1 (D0, D1, D2, D3, D4, D6, D7, D8) "
                          "VALUES (?, 'الأحد', ?, ?, ?, ?, ?, ?)",
                          {QString::number(g), day, grades[g], subjects[(g + p) % 4],
                           "عبدالرحمن بن محمد العتيبي", "خالد بن سعد القحطاني",
                           p ? "الثانية" : "الأولى"});
    }
    exams::ExamPaperHeader header{"الإدارة العامة للتعليم بمنطقة الرياض",
                                  "ثانوية الملك عبدالعزيز",
                                  "1433/1434",
                                  "الفصل الدراسي الأول",
                                  "محمد بن عبدالله الشهري",
                                  "سعد بن علي الغامدي",
                                  QImage(QDir(home.path()).filePath("layouts/logo.png"))};
    data::Connection c(data::Database::Schedual);
    const report::ReportRowset lines = exams::handOverLines(exams::handOverScheduleRows(c, day));
    for (const char* name : {"Comeetee", "Comeetee1"}) {
        report::ReportLayout& layout = report::layout(QString::fromLatin1(name));
        exams::fillHandOverStatement(layout, header, "الأحد", day, lines);
        std::printf("%s\n", qPrintable(report::printReport(layout).file));
    }
    const data::RecordSet rows = exams::pickedDayRows(c, "الأحد", day);
    report::ReportLayout& sheet = report::layout("ComRe");
    exams::fillCheckingSheet(sheet, header, rows);
    std::printf("%s\n", qPrintable(report::printReport(sheet).file));
    report::ReportLayout& late = report::layout("ExamLate");
    exams::fillLatenessMinutes(late, header, rows);
    std::printf("%s\n", qPrintable(report::printReport(late).file));
    return 0;
}
