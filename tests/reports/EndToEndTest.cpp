// The program's main road: a Noor workbook imported through the main menu, the
// program started again, and name lists printed to PDF.
#include "data/Connection.h"
#include "platform/FileChooser.h"
#include "platform/ProgramExit.h"
#include "reports/ReportsTestSupport.h"
#include "shell/ChooserModes.h"
#include "shell/ClassList.h"
#include "shell/ProgramFileChooser.h"
#include "shell/SchoolProfileWindow.h"
#include "shell/ShellTestSupport.h"
#include "students/StudentsImportWindow.h"
#include "students/StudentsWiring.h"
#include "students/Texts.h"
#include "students/WorkbookReader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <gtest/gtest.h>
#include <optional>

using namespace sijill;

namespace {

struct PickingChooser : platform::FileChooserPresenter {
    QString file;
    void present(platform::FileChooserWindow& chooser) override { chooser.chooseFile(file); }
};

// The first run of the program: the students workbook imported from the main
// menu, which ends the program.
void importThroughTheMenu(const QString& workbook) {
    students::setReaderProgram(QStringLiteral(SIJILL_XLS_READER_PATH));
    auto picker = std::make_shared<PickingChooser>();
    picker->file = workbook;
    const auto previousChooser = platform::setFileChooserPresenter(picker);
    std::optional<int> exitCode;
    platform::setExitHandler([&](int c) { exitCode = c; });
    {
        test::ScriptedScope scope;
        shell::MainForm first;
        ASSERT_TRUE(first.formLoad());
        students::installStudentWindows(first);
        first.chooseMenuItem(shell::MainMenuItem::ImportStudents);
        students::StudentsImportWindow* elem = students::loadedStudentsImportWindow();
        ASSERT_NE(elem, nullptr);
        elem->startImportButton->click();
        EXPECT_EQ(exitCode, 0);
        elem->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    platform::setExitHandler({});
    platform::setFileChooserPresenter(previousChooser);
    students::ImportWindow::setDefaultPathSource({});
    students::StudentsImportWindow::setChooserOpener({});
    students::StudentsImportWindow::setEmptyPathAction({});
    shell::unregisterChooserMode(students::texts::kChooserModeStudents);
    shell::unregisterChooserMode(students::texts::kChooserModeSkills);
    students::setReaderProgram({});
}

struct Pupil {
    QString name, civil;
};

// The students of a class as the table holds them, by number in class.
std::vector<Pupil> classFromTable(const QString& key) {
    const shell::ClassKey k = shell::ClassKey::split(key);
    data::Connection c(data::Database::Students);
    const data::RecordSet rs =
        c.query("SELECT d1, d3 FROM T1 WHERE d6 = ? AND d7 = ? ORDER BY d0", {k.grade, k.cls});
    std::vector<Pupil> out;
    for (int i = 0; i < rs.recordCount(); ++i)
        out.push_back({rs.text(i, "d1").trimmed(), rs.text(i, "d3")});
    return out;
}

// True when the text holds every part, in order.
bool inOrder(const QString& text, const QStringList& parts, QString* missing) {
    qsizetype from = 0;
    for (const QString& p : parts) {
        const qsizetype at = text.indexOf(p, from);
        if (at < 0) {
            *missing = p;
            return false;
        }
        from = at + p.size();
    }
    return true;
}

QStringList names(const std::vector<Pupil>& pupils) {
    QStringList out;
    for (const Pupil& p : pupils)
        out << p.name;
    return out;
}

QStringList civils(const std::vector<Pupil>& pupils) {
    QStringList out;
    for (const Pupil& p : pupils)
        out << p.civil;
    return out;
}

} // namespace

TEST(EndToEnd, ImportedStudentsPrintInTheirClassesAndNumberOrder) {
    if (!test::havePdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    test::TestHome home;
    test::finishProfile(home);
    importThroughTheMenu(QStringLiteral(SIJILL_FIXTURES_DIR "/students.xls"));

    // The program started again.
    test::PrintDesk desk(home);
    QStringList keys;
    for (int i = 0; i < desk.form.classPicker->count(); ++i)
        keys << desk.form.classPicker->itemText(i);
    ASSERT_EQ(keys.size(), 3) << keys.join(" | ").toStdString();

    // The first class's list, over its grade: one job a class, this one first.
    const std::vector<Pupil> firstClass = classFromTable(keys[0]);
    ASSERT_EQ(firstClass.size(), 10u);
    EXPECT_EQ(civils(firstClass).filter("100000000").size(), 9); // 1000000001 .. 09, and 10
    desk.pick(keys[0]);
    desk.form.wholeGradeCheck->click();
    desk.dialogs().answer("موافق");
    desk.click(2);
    QStringList jobs = desk.jobs();
    ASSERT_EQ(jobs.size(), 2); // the grade's two classes
    EXPECT_TRUE(jobs[0].endsWith("0001-StudentsNames.pdf"));
    QString missing;
    const QString list = test::pdfText(jobs[0]);
    EXPECT_TRUE(inOrder(list, names(firstClass), &missing)) << missing.toStdString() << "\n"
                                                            << list.toStdString();
    for (const Pupil& p : classFromTable(keys[1]))
        EXPECT_FALSE(list.contains(p.name)) << p.name.toStdString();

    // The whole school's book lists: every class, in list order.
    desk.form.wholeSchoolCheck->click();
    desk.dialogs().answer("موافق");
    desk.click(13);
    jobs = desk.jobs();
    ASSERT_EQ(jobs.size(), 5);
    int total = 0;
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(keys[k].toStdString());
        EXPECT_TRUE(jobs[2 + k].endsWith("-Books.pdf"));
        const std::vector<Pupil> pupils = classFromTable(keys[k]);
        const QString text = test::pdfText(jobs[2 + k]);
        EXPECT_TRUE(inOrder(text, civils(pupils), &missing)) << missing.toStdString();
        EXPECT_TRUE(inOrder(text, names(pupils), &missing)) << missing.toStdString();
        total += static_cast<int>(pupils.size());
    }
    EXPECT_EQ(total, 15);
    EXPECT_TRUE(test::pdfText(jobs[4]).contains("1000000401"));
    EXPECT_FALSE(test::pdfText(jobs[4]).contains("1000000001"));
}
