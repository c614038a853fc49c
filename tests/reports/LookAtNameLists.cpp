// Prints name lists of a sample school through the name-list menu and grabs
// the print area with each tab's menu, for looking at them:
//   look_name_lists OUT_FOLDER
// writes OUT_FOLDER/jobs/*.pdf and OUT_FOLDER/panel-N.png.
#include "reports/ReportsTestSupport.h"
#include "shell/ShellTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <cstdio>

using namespace sijill;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SIJILL_WAIT_SCALE", "0");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    if (argc < 2) {
        std::fprintf(stderr, "usage: look_name_lists OUT_FOLDER\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    qputenv("SIJILL_PRINT_TO", (out + "/jobs").toUtf8());

    test::TestHome home;
    test::finishProfile(home);
    home.exec("Schedual.db", "UPDATE MyInfo SET ThisYear = '1447 - 1448' WHERE id = 1");
    test::addClass(home, "الأول", "1");
    test::addClass(home, "الرابع", "2", 4);
    const QStringList first = {"محمد", "عبدالله", "فهد", "خالد", "سعد", "عبدالرحمن", "يوسف"};
    const QStringList family = {"العتيبي", "القحطاني", "الغامدي", "الزهراني", "آل سعود الحربي"};
    for (int i = 0; i < 28; ++i)
        test::addPupil(home, {"الرابع", "2", QString("%1").arg(i + 1, 2, 10, QChar('0')),
                              first[i % first.size()] + " " + first[(i * 3) % first.size()] + " " +
                                  family[i % family.size()],
                              QString("05%1").arg(50000000 + i * 7919),
                              QString("1%1").arg(100000000 + i * 104729)});

    test::ScriptedScope scope;
    shell::MainForm form;
    form.formLoad();
    reports::NameListMenu* menu = reports::installNameListMenu(form);
    form.show();
    form.MainForm_BarTop_Click(2);
    form.Combo4->setCurrentIndex(form.Combo4->findText("الرابع-2"));
    form.ChOneClass->setChecked(true);
    for (int item : {2, 13, 9, 8}) {
        scope.dialogs().answer("موافق");
        menu->PrNames_Click(item);
    }
    form.ChOneClass->setChecked(false);
    menu->PrNames_MouseMove(13);
    for (int tab : {0, 1, 3}) {
        form.MainForm_Label2_Click(tab);
        form.PicPrint->grab().save(QString("%1/panel-%2.png").arg(out).arg(tab));
    }
    form.grab().save(out + "/main.png");
    for (const auto& box : scope.dialogs().shown)
        std::printf("box: %s\n", box.text.toUtf8().constData());
    return 0;
}
