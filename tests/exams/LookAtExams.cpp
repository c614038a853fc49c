// Grabs the exam-control window for looking at it:
//   look_exams OUT_FOLDER
// writes OUT_FOLDER/menu.png (as it opens), grade.png (a grade loaded),
// staff.png and times.png (a pick-list popup open), labels.png, and the
// day's print panel, the grade chooser and the student chooser
// (print-panel.png, grade-chooser.png, student-chooser.png).
#include "exams/ControlAll.h"
#include "exams/ExamsWiring.h"
#include "exams/PickPopup.h"
#include "exams/SingelStudent.h"
#include "platform/Clock.h"
#include "platform/Wait.h"
#include "shell/MainForm.h"
#include "shell/ShellTestSupport.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <cstdio>

using namespace sijill;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    if (argc < 2) {
        std::fprintf(stderr, "usage: look_exams OUT_FOLDER\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    platform::setWaitScale(0);
    platform::Clock::setToday(QDate(2025, 3, 10));

    test::TestHome home;
    test::finishProfile(home);
    for (const char* grade : {"ثالث", "رابع", "خامس", "سادس"})
        home.exec("Schedual.db", QString("INSERT INTO grades (kind, grade, class, order_it) "
                                         "VALUES ('ابتدائي', '%1', '1', 1)")
                                     .arg(grade));
    home.exec("Schedual.db",
              "INSERT INTO subjects (Title) VALUES ('لغتي'), ('الرياضيات'), ('العلوم'), "
              "('القرآن الكريم'), ('الدراسات الإسلامية'), ('اللغة الإنجليزية'), "
              "('الاجتماعيات'), ('التربية الفنية');"
              "INSERT INTO teachers_names (Title) VALUES ('عبدالله الشهري'), ('محمد القحطاني'), "
              "('فهد العتيبي'), ('سعد'), ('خالد بن عبدالرحمن الزهراني'), ('يوسف');"
              "INSERT INTO exam_time (Title) VALUES ('7:30 - 9:00'), ('9:30 - 11:00'), "
              "('ساعة ونصف');");
    // More subjects than the popup shows at once: it scrolls.
    for (int i = 1; i <= 24; ++i)
        home.exec("Schedual.db",
                  QString("INSERT INTO subjects (Title) VALUES ('مادة اختيارية %1')").arg(i));
    const char* rows[][5] = {
        {"0", "الأحد", "1446/09/14", "القرآن الكريم", "7:30 - 9:00"},
        {"1", "الأحد", "1446/09/14", "التربية الفنية", "9:30 - 11:00"},
        {"2", "الاثنين", "1446/09/15", "لغتي", "7:30 - 9:00"},
        {"4", "الثلاثاء", "1446/09/16", "الرياضيات", "7:30 - 9:00"},
        {"5", "الثلاثاء", "1446/09/16", "الدراسات الإسلامية", "9:30 - 11:00"},
    };
    for (const auto& r : rows)
        home.exec("Schedual.db",
                  QString("INSERT INTO T1 (D0, D1, D2, D3, D4, D5, D6, D7, D8, F_Order) VALUES "
                          "('2', '%1', '%2', 'رابع', '%3', '%4', 'عبدالله الشهري', "
                          "'خالد بن عبدالرحمن الزهراني', '%5', %6)")
                      .arg(r[1], r[2], r[3], r[4], QString(r[0]).toInt() % 2 ? "الثانية" : "الأولى",
                           r[0]));

    test::ScriptedScope scope;
    shell::MainForm form;
    if (!form.formLoad())
        return 1;
    exams::installExamControl(form);
    form.show();
    form.MainForm_MainSelect_Click(5);
    exams::ControlAll* w = exams::controlAll();
    w->grab().save(out + "/menu.png");
    w->Combo4->setCurrentIndex(w->Combo4->findText("رابع"));
    w->Combo4_Click();
    w->Picture5_MouseMove(2);
    w->grab().save(out + "/grade.png");
    w->cell_Click(w->T1[2]);
    w->cell_GotFocus(w->T1[2]);
    w->pickItem_MouseMove(exams::PickList::Teachers, 4);
    w->grab().save(out + "/staff.png");
    w->cell_GotFocus(w->Time[1]);
    w->grab().save(out + "/times.png");
    w->cell_GotFocus(w->Subj[0]);
    w->grab().save(out + "/subjects.png");
    w->Image3_Click();
    w->DelOptions_Click();
    w->grab().save(out + "/delete.png");
    w->MainSelect_Click(11);
    w->grab().save(out + "/labels.png");
    w->ControlBottos_Click(2);
    w->Image11_Click();
    w->Image10_Click();
    w->showPrintPanel(3);
    w->grab().save(out + "/print-panel.png");
    w->Image6_Click();
    w->MainSelect_Click(1);
    w->grab().save(out + "/grade-chooser.png");
    w->CloseIt_Click();
    exams::openSingleStudent(dates::MinutesKind::Absence);
    exams::singelStudent()->grab().save(out + "/student-chooser.png");
    return 0;
}
