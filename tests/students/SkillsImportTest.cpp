#include "students/SkillsImport.h"
#include "StudentsTestSupport.h"
#include "students/StudentsImportWindow.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace sijill::students;
using sijill::test::fixture;
using sijill::test::tableRows;

namespace {
QStringList skills() {
    return tableRows("Elemn_skils.db",
                     "SELECT grade, subject, period, skill, skill_order FROM elemn_skills "
                     "ORDER BY id");
}
} // namespace

TEST(SkillsImport, AppendsTheLinesUpToTheFirstEmptyPeriod) {
    sijill::test::useBuiltReader();
    sijill::test::TestHome home;
    const SkillsOutcome out = importSkillsWorkbook(fixture("skills.xls"), "الصف");
    ASSERT_TRUE(out.ok) << out.message.toStdString();
    EXPECT_EQ(out.added, 4);
    const QStringList expected = {
        "الصف|الرياضيات|الفترة الأولى|يقرأ الأعداد|1",
        "الصف|الرياضيات|الفترة الأولى|يكتب الأعداد|2",
        "الصف|الرياضيات|   |يجمع عددين|3", // blanks are not empty
        "الصف|الرياضيات|الفترة الثانية|يطرح عددين|4.5",
    };
    EXPECT_EQ(skills(), expected);
    // A second import appends the same lines again.
    ASSERT_TRUE(importSkillsWorkbook(fixture("skills.xls"), "الثالث").ok);
    EXPECT_EQ(skills().size(), 8);
    EXPECT_TRUE(skills()[4].startsWith("الثالث|الرياضيات|"));
}

TEST(SkillsImport, RefusesWorkbooksWithoutTheReportSheet) {
    sijill::test::useBuiltReader();
    sijill::test::TestHome home;
    for (const char* file : {"students.xls", "damaged-truncated.xls", "damaged-xlsx.xls"}) {
        const SkillsOutcome out = importSkillsWorkbook(fixture(file), "الصف");
        EXPECT_FALSE(out.ok) << file;
        EXPECT_FALSE(out.message.isEmpty()) << file;
    }
    EXPECT_TRUE(skills().isEmpty());
}

TEST(SkillsImport, WindowImportsWithTheTypedGrade) {
    sijill::test::useBuiltReader();
    sijill::test::TestHome home;
    sijill::test::ScriptedScope scope;
    SkillsImportWindow w;
    EXPECT_EQ(w.gradeBox->text(), "الصف");
    EXPECT_EQ(w.startImportButton->text(), "ابتدائي");
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    w.setPath(fixture("skills.xls"));
    w.gradeBox->setText("الرابع");
    w.startImportButton->click();
    EXPECT_EQ(skills().size(), 4);
    EXPECT_TRUE(skills()[0].startsWith("الرابع|"));
    EXPECT_EQ(w.statusLabel->text(), "استخراج بيانات المدرسة");
    EXPECT_TRUE(scope.dialogs().shown.empty());

    w.setPath(fixture("damaged-html.xls"));
    w.startImportButton->click();
    ASSERT_EQ(scope.dialogs().shown.size(), 1u);
    EXPECT_TRUE(scope.dialogs().shown[0].text.contains("HTML"));
    EXPECT_EQ(skills().size(), 4);
}

// The windows keep running while the reader works: a close request then is
// refused, so the window is still there when the import comes back to it.
TEST(SkillsImport, TheWindowCannotCloseWhileTheReaderRuns) {
    sijill::test::TestHome home;
    QTemporaryDir dir;
    QFile script(dir.filePath("slow-reader"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 1\nexec '" SIJILL_XLS_READER_PATH "' \"$@\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setReaderProgram(script.fileName());
    sijill::test::ScriptedScope scope;
    auto* w = new SkillsImportWindow;
    w->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<SkillsImportWindow> alive(w);
    w->show();
    w->setPath(fixture("skills.xls"));
    bool refused = false;
    QTimer::singleShot(400, [&] { refused = !w->close(); });
    w->startImportButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(alive.isNull());
    EXPECT_TRUE(refused);
    EXPECT_EQ(skills().size(), 4);
    EXPECT_TRUE(w->close());
    sijill::test::useBuiltReader();
}
