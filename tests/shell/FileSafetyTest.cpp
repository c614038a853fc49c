#include "data/Connection.h"
#include "data/SchemaVersion.h"
#include "platform/AppState.h"
#include "platform/ProgramExit.h"
#include "platform/ProgramFolder.h"
#include "shell/DataFolderStart.h"
#include "shell/DeleteAll.h"
#include "shell/MainForm.h"
#include "shell/SchoolInfoFile.h"
#include "shell/ShellTestSupport.h"
#include "support/AsAnotherUser.h"
#include "support/FileBytes.h"
#include "support/ScriptedDialogs.h"
#include "support/WriteFaultScope.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::shell;
using sijill::test::EnvScope;
using sijill::test::ScriptedScope;
using sijill::test::TestHome;
using sijill::test::WriteFaultScope;
using At = platform::WriteFault::At;

namespace {

// A school of three students in two classes, ready for the delete-all.
struct School {
    TestHome home;
    EnvScope local{"LOCALAPPDATA", QByteArray()};
    School() {
        sijill::test::finishProfile(home);
        home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d5,d6,d7) VALUES "
                                   "('1','a','ابتدائي','أول','1'), ('2','b','ابتدائي','أول','1'),"
                                   "('1','c','ابتدائي','أول','2')");
        EXPECT_FALSE(writeSchoolInfoLines(schoolInfoPath(), {"old", ":أول:1"}));
        oldFile = test::fileBytes(schoolInfoPath());
    }
    int students() const {
        return data::Connection(home.database("MyDatabase.db"))
            .scalar("SELECT count(*) FROM T1")
            .toInt();
    }
    QByteArray oldFile;
};

} // namespace

TEST(SchoolInfoText, ArabicIndicDigitsAndThePersianYehAreStoredOtherLettersAreNamed) {
    const SchoolInfoText ok = encodeSchoolInfo({"مدرسة ١٤٤٧ ۱۲ ی", ":أول:١"});
    ASSERT_TRUE(ok.problem.isEmpty()) << ok.problem.toStdString();
    EXPECT_EQ(ok.bytes, QByteArray("\xE3\xCF\xD1\xD3\xC9 1447 12 \xED\r\n:\xC3\xE6\xE1:1\r\n"));

    const SchoolInfoText school = encodeSchoolInfo({"مدرسة 中", ":أول:1"});
    EXPECT_TRUE(school.bytes.isEmpty());
    EXPECT_TRUE(school.problem.contains("中"));
    EXPECT_TRUE(school.problem.contains("U+4E2D"));
    EXPECT_TRUE(school.problem.contains("اسم المدرسة"));
    const SchoolInfoText cls = encodeSchoolInfo({"مدرسة", ":أول:ş"});
    EXPECT_TRUE(cls.problem.contains("ş"));
    EXPECT_TRUE(cls.problem.contains(":أول:ş"));
}

TEST(DeleteAllFile, ArabicIndicDigitsInTheSchoolNameAreWrittenAndTheStudentsGo) {
    School s;
    EXPECT_EQ(deleteAllStudents("مدرسة ١٤٤٧"), std::nullopt);
    EXPECT_EQ(s.students(), 0);
    EXPECT_EQ(readSchoolInfoLines(schoolInfoPath()), QStringList{"مدرسة 1447"});
}

TEST(DeleteAllFile, ACharacterTheFileCannotHoldStopsItBeforeAnyStudentGoes) {
    School s;
    const std::optional<QString> failure = deleteAllStudents("مدرسة 中");
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->contains("中"));
    EXPECT_TRUE(failure->contains("اسم المدرسة"));
    EXPECT_EQ(s.students(), 3);
    EXPECT_EQ(test::fileBytes(schoolInfoPath()), s.oldFile);
}

TEST(DeleteAllFile, AWriteThatFailsBeforeTheDeletionChangesNothing) {
    for (const At at : {At::Write, At::Flush}) {
        School s;
        WriteFaultScope fault(at, "SchoolInfo.ini");
        const std::optional<QString> failure = deleteAllStudents("مدرسة");
        ASSERT_TRUE(failure);
        EXPECT_TRUE(failure->startsWith("لم يُحذف شيء"));
        EXPECT_TRUE(failure->contains(QDir::toNativeSeparators(schoolInfoPath())));
        EXPECT_EQ(s.students(), 3);
        EXPECT_EQ(test::fileBytes(schoolInfoPath()), s.oldFile);
        EXPECT_FALSE(test::folderEntries(s.home.path()).join(' ').contains(".tmp"));
    }
}

TEST(DeleteAllFile, ARenameThatFailsAfterTheDeletionSaysSoThroughTheMenu) {
    School s;
    ScriptedScope scope;
    platform::setExitHandler([](int) {});
    {
        MainForm form;
        form.formLoad();
        scope.dialogs().answer("موافق");
        scope.dialogs().answer("موافق");
        WriteFaultScope fault(At::Rename, "SchoolInfo.ini");
        form.chooseMenuItem(shell::MainMenuItem::DeleteAllClasses);
    }
    platform::setExitHandler({});
    const auto& shown = scope.dialogs().shown;
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[1].text.startsWith("تم حذف بيانات الطلاب، ولم يُحدَّث ملف قائمة الفصول"));
    EXPECT_TRUE(shown[1].text.contains(QDir::toNativeSeparators(schoolInfoPath())));
    EXPECT_EQ(shown[1].style, 1);
    EXPECT_EQ(s.students(), 0);
    EXPECT_EQ(test::fileBytes(schoolInfoPath()), s.oldFile);
    EXPECT_FALSE(test::folderEntries(s.home.path()).join(' ').contains(".tmp"));
}

TEST(DataFolder, WithoutSijillHomeTheDataLivesInTheUsersFolderAndIsSeededOnce) {
    TestHome shipped; // the executable's folder, its empty databases beside it
    shipped.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d6,d7) VALUES ('1','a','أول','1')");
    QTemporaryDir user, started;
    EnvScope noHome("SIJILL_HOME", QByteArray());
    EnvScope home("HOME", user.path().toUtf8());
    EnvScope dataHome("XDG_DATA_HOME", user.filePath("data").toUtf8());
    EnvScope cacheHome("XDG_CACHE_HOME", user.filePath("cache").toUtf8());
    EnvScope runtime("XDG_RUNTIME_DIR", user.filePath("run").toUtf8());
    QDir(user.path()).mkpath("run");
    QFile::setPermissions(user.filePath("run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The old program wrote the class-list file where it was started.
    ASSERT_TRUE(QDir::setCurrent(started.path()));
    ASSERT_FALSE(writeSchoolInfoLines(QDir(started.path()).filePath("SchoolInfo.ini"),
                                      {"مدرسة قديمة", ":أول:1"}));

    const QString data = platform::dataFolder();
    EXPECT_TRUE(data.startsWith(user.filePath("data") + "/")) << data.toStdString();
    QStringList asked;
    const auto start = [&](bool yes) {
        EXPECT_EQ(platform::enterDataFolder(shipped.path()), std::nullopt);
        EXPECT_EQ(settleDataFolder([&](const QString& question) {
                      asked << question;
                      return yes;
                  }),
                  QStringList());
    };
    start(false);
    EXPECT_TRUE(asked.isEmpty()) << "a new folder is filled unasked";
    EXPECT_EQ(QDir::currentPath(), QDir(data).canonicalPath());
    for (const char* db :
         {"MyDatabase.db", "Schedual.db", "Employee.db", "Labels.db", "Elemn_skils.db"})
        EXPECT_TRUE(QFile::exists(QDir(data).filePath(QString("Database/") + db))) << db;
    EXPECT_EQ(readSchoolInfoLines(QDir(data).filePath("SchoolInfo.ini")),
              QStringList({"مدرسة قديمة", ":أول:1"}));

    // The school's own data is never seeded over, and the file lands beside it.
    EXPECT_EQ(deleteAllStudents("مدرسة الأمل"), std::nullopt);
    shipped.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d6,d7) VALUES ('2','b','أول','1')");
    start(false);
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(data::Connection(QDir(data).filePath("Database/MyDatabase.db"))
                  .scalar("SELECT count(*) FROM T1")
                  .toInt(),
              0);
    // In a school's folder a missing database is named and made only on yes.
    const QString schedule = QDir(data).filePath("Database/Schedual.db");
    ASSERT_TRUE(QFile::remove(schedule));
    start(false);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains("Schedual.db"));
    EXPECT_FALSE(asked[0].contains("MyDatabase.db"));
    EXPECT_FALSE(QFile::exists(schedule));
    start(true);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(QFile::exists(schedule));
    EXPECT_EQ(data::Connection(schedule).scalar("PRAGMA user_version").toInt(),
              data::schemaVersion(data::Database::Schedule));
    // A file a newer program made is named at start and left alone.
    const QString labels = QDir(data).filePath("Database/Labels.db");
    data::Connection(labels).execute("PRAGMA user_version = 9");
    const QByteArray newer = test::fileBytes(labels);
    const QStringList told = settleDataFolder([](const QString&) { return false; });
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains("Labels.db") && told[0].contains("إصدار أحدث"));
    EXPECT_EQ(test::fileBytes(labels), newer);
    EXPECT_EQ(readSchoolInfoLines(QDir(data).filePath("SchoolInfo.ini")),
              QStringList{"مدرسة الأمل"});
    EXPECT_EQ(readSchoolInfoLines(QDir(started.path()).filePath("SchoolInfo.ini")),
              QStringList({"مدرسة قديمة", ":أول:1"}));
}

TEST(DataFolder, AFolderThatCannotBeMadeIsTold) {
    QTemporaryDir user;
    QFile plain(user.filePath("data"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly)); // a file where a folder should be
    plain.close();
    EnvScope noHome("SIJILL_HOME", QByteArray());
    EnvScope dataHome("XDG_DATA_HOME", user.filePath("data").toUtf8());
    const QString before = QDir::currentPath();
    const std::optional<QString> problem = platform::enterDataFolder(user.path());
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->contains(QDir::toNativeSeparators(user.filePath("data"))));
    EXPECT_EQ(QDir::currentPath(), before);

    // One that is there but belongs to another user is told as such.
    QTemporaryDir other;
    EnvScope otherHome("XDG_DATA_HOME", other.path().toUtf8());
    const QString data = platform::dataFolder();
    ASSERT_TRUE(QDir().mkpath(data));
    const auto everyoneReads =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    for (QString at = data; at.startsWith(other.path()); at = QFileInfo(at).absolutePath())
        QFile::setPermissions(at, everyoneReads);
    const std::optional<QString> told = test::asAnotherUser(
        [&] { return platform::enterDataFolder(user.path()).value_or("none"); });
    if (!told)
        GTEST_SKIP() << "needs root, to start as another user";
    EXPECT_TRUE(told->startsWith("لا يملك حسابك صلاحية الكتابة في مجلد بيانات البرنامج"))
        << told->toStdString();
    EXPECT_TRUE(told->contains(QDir::toNativeSeparators(data)));
}
