#include "shell/SchoolProfile.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "shell/DeleteAll.h"
#include "shell/SchoolInfoFile.h"
#include "shell/ShellTestSupport.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::shell;
using sijill::test::EnvScope;
using sijill::test::TestHome;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int studentRows(const TestHome& home) {
    return data::Connection(home.database("MyDatabase.db"))
        .scalar(QStringLiteral("SELECT count(*) FROM T1"))
        .toInt();
}

} // namespace

TEST(SchoolInfoFile, WritesCodePage1256WithCrLfAndReadsItBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("SchoolInfo.ini");
    const QStringList lines = {QStringLiteral("مدرسة 1-أ"), QStringLiteral("الابتدائي:أول:1 ")};
    ASSERT_FALSE(writeSchoolInfoLines(path, lines));
    const QByteArray bytes = bytesOf(path);
    EXPECT_TRUE(bytes.startsWith(QByteArray("\xE3\xCF\xD1\xD3\xC9 1-\xC3\r\n")));
    EXPECT_TRUE(bytes.endsWith(QByteArray(" \r\n")));
    EXPECT_EQ(bytes.count('\n'), 2);
    EXPECT_EQ(bytes.count('\r'), 2);
    EXPECT_EQ(readSchoolInfoLines(path), std::optional<QStringList>(lines));

    // A character the code page lacks is refused and the old file stays whole.
    EXPECT_TRUE(writeSchoolInfoLines(path, {QStringLiteral("مدرسة \U0001F600")}));
    EXPECT_EQ(bytesOf(path), bytes);

    EXPECT_FALSE(readSchoolInfoLines(dir.filePath("missing.ini")));
}

TEST(SchoolInfoFile, ReadsFilesWrittenElsewhere) {
    QTemporaryDir dir;
    const QString path = dir.filePath("SchoolInfo.ini");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // Bare LF line ends and a last line without an end are read as lines too.
    f.write("\xE3\xCF\xD1\xD3\xC9\r\n:\xC3\xE6\xE1:1\n:\xC3\xE6\xE1:2");
    f.close();
    EXPECT_EQ(readSchoolInfoLines(path),
              std::optional<QStringList>(QStringList{
                  QStringLiteral("مدرسة"), QStringLiteral(":أول:1"), QStringLiteral(":أول:2")}));
    EXPECT_EQ(schoolInfoHeader(QString()), QStringLiteral("الإدارة:المدرسة:1433-1434"));
    EXPECT_EQ(schoolInfoHeader(QStringLiteral(" مدرسة ")), QStringLiteral(" مدرسة "));
}

TEST(SchoolProfile, LoadsSavesAndRecreatesTheRow) {
    TestHome home;
    SchoolProfile p = loadSchoolProfile();
    EXPECT_TRUE(isUnfinished(p.Admin));
    EXPECT_EQ(p, designSchoolProfile());

    // Quotes and blanks are kept exactly as typed.
    p.Admin = QStringLiteral("إدارة 'الرياض' ");
    p.School = QStringLiteral("مدرسة \"النور\"");
    p.name_3 = QString();
    p.Gender = 2;
    saveSchoolProfile(p);
    EXPECT_EQ(loadSchoolProfile(), p);
    EXPECT_FALSE(isUnfinished(p.Admin));

    // A save that finds no row 1 writes it.
    home.exec("Schedual.db", "DELETE FROM MyInfo");
    EXPECT_EQ(loadSchoolProfile(), designSchoolProfile());
    saveSchoolProfile(p);
    EXPECT_EQ(loadSchoolProfile(), p);
    EXPECT_EQ(data::Connection(home.database("Schedual.db"))
                  .scalar("SELECT count(*) FROM MyInfo WHERE id = 1")
                  .toInt(),
              1);

    // A gender other than 1 or 2 reads as no choice; a save writes 1 for it.
    home.exec("Schedual.db", "UPDATE MyInfo SET Gender = 7");
    EXPECT_EQ(loadSchoolProfile().Gender, 0);
    p.Gender = 0;
    saveSchoolProfile(p);
    EXPECT_EQ(loadSchoolProfile().Gender, 1);
}

TEST(SchoolProfile, AMissingTableOrFileIsAnError) {
    TestHome home;
    home.exec("Schedual.db", "DROP TABLE MyInfo");
    EXPECT_THROW(loadSchoolProfile(), data::DataError);
    EXPECT_THROW(saveSchoolProfile(designSchoolProfile()), data::DataError);
    QFile::remove(home.database("Schedual.db"));
    EXPECT_THROW(loadSchoolProfile(), data::DataError);
    EXPECT_FALSE(QFile::exists(home.database("Schedual.db")));
}

TEST(DeleteAll, EmptiesStudentsRemovesThePerUserCopyAndWritesTheHeader) {
    TestHome home;
    home.exec("MyDatabase.db", "INSERT INTO T1 (d0,d1,d6,d7) VALUES ('1','a','أول','1'),"
                               "('2','b','أول','2')");
    QTemporaryDir local;
    const QString copy =
        local.filePath("VirtualStore/Program Files/Tallivan/Database/Mydatabase.mdb");
    QDir().mkpath(QFileInfo(copy).path());
    QFile(copy).open(QIODevice::WriteOnly);
    EnvScope env("LOCALAPPDATA", local.path().toUtf8());

    EXPECT_EQ(deleteAllStudents(QStringLiteral("مدرسة النور")), std::nullopt);
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_EQ(studentRows(home), 0);
    EXPECT_EQ(readSchoolInfoLines(QDir(home.path()).filePath("SchoolInfo.ini")),
              std::optional<QStringList>(QStringList{QStringLiteral("مدرسة النور")}));
}

TEST(DeleteAll, WithoutLocalAppDataTheCopyStepIsSkipped) {
    TestHome home;
    EnvScope env("LOCALAPPDATA", QByteArray());
    EXPECT_TRUE(perUserDatabaseCopy().isEmpty());
    EXPECT_EQ(deleteAllStudents(QString()), std::nullopt);
    EXPECT_EQ(readSchoolInfoLines(schoolInfoPath()),
              std::optional<QStringList>(QStringList{QStringLiteral("الإدارة:المدرسة:1433-1434")}));
}

TEST(DeleteAll, AFailingStepIsToldAndTheStepsAfterItDoNotRun) {
    TestHome home;
    EnvScope env("LOCALAPPDATA", QByteArray());
    ASSERT_FALSE(writeSchoolInfoLines(schoolInfoPath(), {"old", "x:y:1"}));
    QFile::remove(home.database("MyDatabase.db"));
    const auto failure = deleteAllStudents(QStringLiteral("مدرسة"));
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->contains("MyDatabase.db"));
    EXPECT_EQ(readSchoolInfoLines(schoolInfoPath()),
              std::optional<QStringList>(QStringList{"old", "x:y:1"}));
}

TEST(DeleteAll, AnUnwritableFileStopsItBeforeAnyStudentGoes) {
    TestHome home;
    EnvScope env("LOCALAPPDATA", QByteArray());
    home.exec("MyDatabase.db", "INSERT INTO T1 (d0) VALUES ('1')");
    QDir().mkdir(schoolInfoPath()); // a folder in the file's place
    const auto failure = deleteAllStudents(QStringLiteral("مدرسة"));
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->contains("SchoolInfo.ini"));
    EXPECT_TRUE(failure->startsWith(QStringLiteral("لم يُحذف شيء")));
    EXPECT_EQ(studentRows(home), 1);
}
