// Prints sample custom labels to PDF and grabs the custom-labels window, for
// looking at them:
//   look_labels OUT_FOLDER
// writes OUT_FOLDER/jobs/*.pdf, window-row.png and window-add.png.
#include "labels/CustomLabelPrint.h"
#include "labels/DataBaseSave.h"
#include "labels/LabelsTestSupport.h"
#include "platform/report/ReportOutput.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <cstdio>

using namespace sijill;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SIJILL_WAIT_SCALE", "0");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    if (argc < 2) {
        std::fprintf(stderr, "usage: look_labels OUT_FOLDER\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    qputenv("SIJILL_PRINT_TO", (out + "/jobs").toUtf8());

    test::TestHome home;
    test::finishProfile(home);
    home.exec("Schedual.db", "INSERT INTO grades (kind, grade, class, order_it) VALUES "
                             "('ابتدائي', 'الرابع', '2', 4), ('ابتدائي', 'الخامس', '1', 5)");
    test::putLabel(home, "الرابع 2", "عبدالرحمن بن عبدالعزيز بن عبدالله آل سعود الحربي", "1025",
                   "اللجنة الحادية عشرة");
    test::putLabel(home, "الرابع 2", "سعد فهد", "7", "لجنة 1");
    test::putLabel(home, "الخامس 1", "محمد عبدالله القحطاني", "305", "لجنة المعلمين");
    test::putLabel(home, "الخامس 1", "O'Neil يوسف", "12", "لجنة 2");
    test::putLabel(home, "الصف السادس الابتدائي", "خالد", "9999", "لجنة 3");

    test::ScriptedScope scope;
    shell::MainForm form;
    form.formLoad();
    form.show();

    labels::openCustomLabels();
    labels::DataBaseSave* w = labels::dataBaseSave();
    w->grab().save(out + "/window-row.png");
    w->cmdAdd_Click();
    w->Dat[0]->setText("الرابع 2");
    w->grab().save(out + "/window-add.png");

    const auto outcome =
        report::printReport(labels::fillCustomLabelLayout(labels::readCustomLabels()));
    std::printf("pdf: %s\n", outcome.file.toUtf8().constData());
    for (const auto& m : scope.systemShown)
        std::printf("system box: %s\n", m.text.toUtf8().constData());
    return 0;
}
