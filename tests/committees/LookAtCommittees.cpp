// Seats a sample school, then grabs the committee window and renders one
// committee's signature sheet and desk labels, for looking at them:
//   look_committees OUT_FOLDER
// writes OUT_FOLDER/window-*.png, ComNewP.pdf and LabelPNew.pdf.
#include "committees/CommitteesTestSupport.h"
#include "committees/ControlCom.h"
#include "platform/report/ReportOutput.h"
#include "platform/report/ReportPainter.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

using namespace sijill;

int main(int argc, char** argv) {
    qputenv("SIJILL_WAIT_SCALE", "0");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    if (argc < 2) {
        std::fprintf(stderr, "usage: look_committees OUT_FOLDER\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);

    test::TestHome home;
    home.exec("Schedual.db", "UPDATE MyInfo SET Admin = 'إدارة تعليم الرياض', School = "
                             "'مدرسة النور الابتدائية', ThisYear = '1446هـ', ThisName = "
                             "'عبدالله بن محمد الشهري' WHERE id = 1");
    const QStringList first = {"محمد", "عبدالله", "فهد", "خالد", "سعد", "عبدالرحمن", "يوسف"};
    const QStringList family = {"العتيبي", "القحطاني", "الغامدي", "الزهراني", "آل سعود الحربي"};
    const QStringList grades = {"الرابع", "الخامس", "السادس"};
    for (int g = 0; g < 3; ++g) {
        for (int i = 0; i < 30 + 5 * g; ++i)
            test::addStudent(home, grades[g], QString::number(1 + i / 18),
                             QString("%1").arg(i % 18 + 1, 2, 10, QChar('0')),
                             first[i % first.size()] + " " + first[(i * 3 + g) % first.size()] +
                                 " " + family[(i + g) % family.size()],
                             "1", "الابتدائي", QString::number(g + 4));
    }
    const QStringList subjects = {"الرياضيات",        "لغتي",
                                  "العلوم",           "الدراسات الإسلامية",
                                  "اللغة الإنجليزية", "الدراسات الاجتماعية",
                                  "المهارات الرقمية", "التربية الفنية"};
    for (int g = 0; g < 3; ++g)
        for (int k = 0; k < 6 + g; ++k)
            test::addExam(home, grades[g], QString("1446/10/%1").arg(10 + k), "الأولى",
                          subjects[k]);

    test::ScriptedScope scope;
    auto sink = std::make_shared<report::RecordingPreviewSink>();
    report::setPreviewSink(sink);

    auto* w = new committees::ControlCom;
    w->show();
    w->grab().save(out + "/window-summary.png");
    scope.dialogs().answer("موافق");
    w->Image1_Click();
    w->grab().save(out + "/window-editor.png");
    w->Command2->click();
    w->Seat_MouseMove(1, 0);
    w->Seat_DragDrop(1, 1);
    w->grab().save(out + "/window-distributed.png");
    w->ImPrint_Click(0);
    w->Image4_Click(0);
    for (const auto& box : scope.dialogs().shown)
        std::printf("box: %s\n", box.text.toUtf8().constData());
    for (const report::LaidOutReport& r : sink->shown) {
        const QString file = out + "/" + r.layoutName + ".pdf";
        report::writePdf(r, file);
        std::printf("%s: %zu page(s)\n", qPrintable(file), r.pages.size());
        for (const report::ReportPage& page : r.pages)
            for (const report::DrawnItem& item : page.items)
                if (!report::textFits(item))
                    std::printf("  does not fit: %s \"%s\"\n", qPrintable(item.control),
                                qPrintable(item.text));
    }
    delete w;
    return 0;
}
