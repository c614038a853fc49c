// Prints the class seat labels, the distribution list and the signature
// sheet of a sample class to PDF, and grabs the labels panel, for looking at
// them:
//   look_seat_labels OUT_FOLDER
// writes OUT_FOLDER/jobs/*.pdf and panel.png.
#include "exams/ControlAll.h"
#include "exams/ExamsWiring.h"
#include "exams/LabelsPanel.h"
#include "platform/report/ReportOutput.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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
        std::fprintf(stderr, "usage: look_seat_labels OUT_FOLDER\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    qputenv("SIJILL_PRINT_TO", (out + "/jobs").toUtf8());

    test::TestHome home;
    test::finishProfile(home);
    home.exec("Schedual.db", "INSERT INTO grades (kind, grade, class, order_it) VALUES "
                             "('ابتدائي', 'الثالث', '1', 3), ('ابتدائي', 'الثالث', '2', 3)");
    const char* names[] = {"عبدالرحمن بن عبدالعزيز بن عبدالله آل سعود الحربي",
                           "سعد فهد العتيبي",
                           "محمد عبدالله القحطاني",
                           "يوسف خالد الشهري",
                           "خالد ناصر الدوسري",
                           "فيصل تركي المطيري",
                           "عمر سالم الزهراني"};
    for (int cls = 1; cls <= 2; ++cls)
        for (int i = 0; i < 7; ++i)
            home.exec("MyDatabase.db",
                      QString("INSERT INTO T1 (d0, d1, d2, d3, d4, d5, d6, d7, d8) VALUES "
                              "('0%1', '%2', '0', '%3', '1', 'الابتدائي', 'الثالث', '%4', '0')")
                          .arg(i + 1)
                          .arg(QString::fromUtf8(names[i]))
                          .arg(1100000000 + cls * 100 + i)
                          .arg(cls));
    const char* subjects[] = {"القرآن الكريم",
                              "الدراسات الإسلامية",
                              "لغتي",
                              "الرياضيات",
                              "العلوم",
                              "اللغة الإنجليزية",
                              "الدراسات الاجتماعية",
                              "المهارات الرقمية",
                              "التربية الفنية"};
    for (int k = 0; k < 9; ++k)
        home.exec("Schedual.db", QString("INSERT INTO T1 (D0, D1, D2, D3, D4, D8, F_Order) VALUES "
                                         "('1', 'الأحد', '1446/05/%1', 'الثالث', '%2', '%3', %4)")
                                     .arg(10 + k / 2)
                                     .arg(QString::fromUtf8(subjects[k]))
                                     .arg(k % 2 ? "الثانية" : "الأولى")
                                     .arg(k));

    test::ScriptedScope scope;
    auto previews = std::make_shared<report::RecordingPreviewSink>();
    report::setPreviewSink(previews);
    shell::MainForm form;
    form.formLoad();
    exams::installExamControl(form);
    form.show();
    form.MainForm_MainSelect_Click(11);
    exams::ControlAll* w = exams::controlAll();
    exams::LabelsPanel* panel = exams::labelsPanel(*w);
    w->Combo9->setCurrentIndex(w->Combo9->findText("الثالث-2"));
    w->Combo9_Click();
    panel->Text2->setText("اللجنة الحادية عشرة");
    w->grab().save(out + "/panel.png");
    w->ClassSeries->click();
    for (int row : {0, 2, 3})
        panel->L1_Click(row);
    for (const auto& r : previews->shown) {
        const auto outcome = report::printWithoutDialog(r);
        std::printf("%s: %s\n", r.layoutName.toUtf8().constData(),
                    outcome.file.toUtf8().constData());
    }
    for (const auto& m : scope.dialogs().shown)
        std::printf("box: %s\n", m.text.toUtf8().constData());
    return 0;
}
