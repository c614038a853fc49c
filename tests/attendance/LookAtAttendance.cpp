// Renders the monthly absence sheet of a sample class of 35 students to PDF
// and grabs the attendance window, for looking at them:
//   look_attendance OUT_FOLDER
// writes OUT_FOLDER/jobs/*.pdf, OUT_FOLDER/window-date.png and window-class.png.
#include "attendance/AttendanceWiring.h"
#include "attendance/StudentsSelect.h"
#include "platform/Clock.h"
#include "reports/ReportsTestSupport.h"
#include "shell/ShellTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

using namespace sijill;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SIJILL_WAIT_SCALE", "0");
    QApplication app(argc, argv);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    if (argc < 2) {
        std::fprintf(stderr, "usage: look_attendance OUT_FOLDER\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);
    qputenv("SIJILL_PRINT_TO", (out + "/jobs").toUtf8());
    platform::Clock::setToday(QDate(2025, 3, 10)); // 10 Ramadan 1446, a Monday

    test::TestHome home;
    test::finishProfile(home);
    home.exec("Schedual.db", "UPDATE MyInfo SET Job = 'قائد المدرسة', ThisName = "
                             "'عبدالله بن محمد الشهري' WHERE id = 1");
    test::addClass(home, "الرابع", "2", 4);
    test::addClass(home, "الخامس", "1", 5);
    const QStringList first = {"محمد", "عبدالله", "فهد", "خالد", "سعد", "عبدالرحمن", "يوسف"};
    const QStringList family = {"العتيبي", "القحطاني", "الغامدي", "الزهراني", "آل سعود الحربي"};
    for (int i = 0; i < 35; ++i)
        test::addPupil(home, {"الرابع", "2", QString("%1").arg(i + 1, 2, 10, QChar('0')),
                              first[i % first.size()] + " " + first[(i * 3) % first.size()] + " " +
                                  family[i % family.size()],
                              "0", QString("1%1").arg(100000000 + i * 104729)});
    test::addPupil(home, {"الخامس", "1", "01", "سلمان فهد", "0", "1200000001"});

    test::ScriptedScope scope;
    shell::MainForm form;
    form.formLoad();
    reports::installNameListMenu(form);
    attendance::installAttendance(form);
    form.show();

    attendance::StudentsSelect* w = attendance::loadStudentsSelect();
    w->show();
    w->grab().save(out + "/window-date.png");
    w->ImNew_Click();
    w->Combo1->setCurrentIndex(w->Combo1->findText("الرابع:2"));
    w->Combo1_Click();
    w->grab().save(out + "/window-class.png");
    // Every class printed: the 35 students' sheet among them.
    w->Combo1->setCurrentIndex(0);
    scope.dialogs().answer("موافق");
    w->Command10->click();
    for (const auto& box : scope.dialogs().shown)
        std::printf("box: %s\n", box.text.toUtf8().constData());
    w->prepareForMonthSheet();
    w->grab().save(out + "/window-month.png");
    return 0;
}
