// Prints a sample school's mark sheets and Quran-school sheets through their
// menus and grabs the print area's panels, for looking at them:
//   look_mark_sheets OUT_FOLDER
// writes OUT_FOLDER/jobs/*.pdf and OUT_FOLDER/panel-N.png.
#include "reports/MarkSheetItems.h"
#include "reports/MarkSheetMenu.h"
#include "reports/QuranItems.h"
#include "reports/QuranMenu.h"
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
        std::fprintf(stderr, "usage: look_mark_sheets OUT_FOLDER\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    qputenv("SIJILL_PRINT_TO", (out + "/jobs").toUtf8());

    test::TestHome home;
    test::finishProfile(home);
    home.exec("Schedual.db", "UPDATE MyInfo SET ThisYear = '1447 - 1448' WHERE id = 1");
    test::addClass(home, "الأول", "1");
    test::addClass(home, "تحفيظ القرآن الكريم", "3", 4);
    const QStringList first = {"محمد", "عبدالله", "فهد", "خالد", "سعد", "عبدالرحمن", "يوسف"};
    const QStringList family = {"العتيبي", "القحطاني", "الغامدي", "الزهراني", "آل سعود الحربي"};
    for (const QString& grade : {QStringLiteral("الأول"), QStringLiteral("تحفيظ القرآن الكريم")})
        for (int i = 0; i < 35; ++i)
            test::addPupil(home, {grade, grade == "الأول" ? "1" : "3",
                                  QString("%1").arg(i + 1, 2, 10, QChar('0')),
                                  first[i % first.size()] + " " + first[(i * 3) % first.size()] +
                                      " " + family[i % family.size()],
                                  "", QString("1%1").arg(100000000 + i * 104729)});

    test::ScriptedScope scope;
    shell::MainForm form;
    form.formLoad();
    reports::installNameListMenu(form);
    reports::installMarkSheetMenus(form);
    reports::MarkSheetMenu* marks = reports::markSheetMenu(form);
    reports::QuranMenu* quran = reports::quranMenu(form);
    form.show();
    form.MainForm_BarTop_Click(2);
    // One class a grade: a whole-grade run prints it once, without a dialog.
    form.ChOneClass->setChecked(true);
    form.Combo4->setCurrentIndex(form.Combo4->findText("الأول-1"));
    for (const reports::MarkSheetItem& item : reports::markSheetItems()) {
        if (item.index == 11 || item.index == 12)
            continue;
        scope.dialogs().answer("موافق");
        // A whole-grade run leaves the list on the next grade.
        form.Combo4->setCurrentIndex(form.Combo4->findText("الأول-1"));
        marks->ToSave_Click(item.index);
    }
    form.Combo4->setCurrentIndex(form.Combo4->findText("تحفيظ القرآن الكريم-3"));
    for (const reports::QuranItem& item : reports::quranItems()) {
        scope.dialogs().answer("موافق");
        quran->TF_Click(item.index);
    }
    form.ChOneClass->setChecked(false);
    marks->ToSave_MouseMove(2);
    for (int tab : {2, 3, 4}) {
        if (tab == 4)
            quran->TF_MouseMove(6);
        form.MainForm_Label2_Click(tab);
        form.PicPrint->grab().save(QString("%1/panel-%2.png").arg(out).arg(tab));
    }
    for (const auto& box : scope.dialogs().shown)
        std::printf("box: %s\n", box.text.toUtf8().constData());
    return 0;
}
