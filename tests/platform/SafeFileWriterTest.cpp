#include "platform/SafeFileWriter.h"
#include "platform/SingleInstance.h"
#include "support/EnvScope.h"
#include "support/FileBytes.h"
#include "support/WriteFaultScope.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace sijill;
using namespace sijill::platform;
using sijill::test::EnvScope;
using sijill::test::WriteFaultScope;

TEST(SafeFileWriter, ReplacesTheFileWholeAndKeepsItsPermissions) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.bin");
    ASSERT_TRUE(test::putFile(path, "old"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray big(100 * 1024 + 7, 'x'); // several chunks
    EXPECT_EQ(writeFileSafely(path, big), std::nullopt);
    EXPECT_EQ(test::fileBytes(path), big);
    EXPECT_EQ(QFile::permissions(path) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(test::folderEntries(dir.path()), QStringList{"out.bin"});
}

TEST(SafeFileWriter, AFailureAtAnyPointKeepsTheOldFileAndLeavesNoTemporaryFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.bin");
    const QByteArray old("the old contents\r\n");
    const QByteArray big(100 * 1024, 'y');
    struct Case {
        WriteFault::At at;
        int nth;
    };
    for (const Case c : {Case{WriteFault::At::Write, 1}, Case{WriteFault::At::Write, 3},
                         Case{WriteFault::At::Flush, 1}, Case{WriteFault::At::Rename, 1}}) {
        ASSERT_TRUE(test::putFile(path, old));
        WriteFaultScope fault(c.at, "out.bin", c.nth);
        const std::optional<QString> reason = writeFileSafely(path, big);
        ASSERT_TRUE(reason) << int(c.at) << " " << c.nth;
        EXPECT_FALSE(reason->isEmpty());
        EXPECT_EQ(test::fileBytes(path), old);
        EXPECT_EQ(test::folderEntries(dir.path()), QStringList{"out.bin"});
    }
    // A fault for another file leaves this one alone.
    WriteFaultScope other(WriteFault::At::Write, "other.bin");
    EXPECT_EQ(writeFileSafely(path, big), std::nullopt);
    EXPECT_EQ(test::fileBytes(path), big);
}

TEST(SafeFileWriter, FoldersThatCannotTakeTheFileAreToldWithTheSystemsReason) {
    QTemporaryDir dir;
    ASSERT_TRUE(test::putFile(dir.filePath("plain"), "a file, not a folder"));
    QDir(dir.path()).mkdir("folder");
    // Both hold for root too.
    for (const QString& path : {dir.filePath("plain/out.bin"), dir.filePath("folder")}) {
        const std::optional<QString> reason = writeFileSafely(path, "x");
        ASSERT_TRUE(reason) << path.toStdString();
        EXPECT_FALSE(reason->isEmpty());
    }
    EXPECT_EQ(test::fileBytes(dir.filePath("plain")), "a file, not a folder");
    EXPECT_EQ(test::folderEntries(dir.path()), QStringList({"folder", "plain"}));
    const QString message = fileNotWrittenMessage(dir.filePath("folder"), "Is a directory");
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(dir.filePath("folder"))));
    EXPECT_TRUE(message.contains("Is a directory"));
}

TEST(SafeFileWriter, AStreamCutOffMidwayIsAFailure) {
    QTemporaryDir dir;
    const QString path = dir.filePath("stream.pdf");
    WriteFaultScope fault(WriteFault::At::Write, "stream.pdf", 2);
    SafeFileWriter w(path);
    ASSERT_TRUE(w.open());
    EXPECT_EQ(w.device()->write("first"), 5);
    EXPECT_EQ(w.device()->write("second"), -1);
    EXPECT_TRUE(w.failed());
    EXPECT_FALSE(w.finish());
    EXPECT_FALSE(w.commit());
    w.discard();
    EXPECT_TRUE(test::folderEntries(dir.path()).isEmpty());
}

TEST(SingleInstance, TheLockLivesInTheDataFolderWhateverPathOrTmpdirLeadsThere) {
    QTemporaryDir data, tmpA, tmpB, links;
    const QString link = links.filePath("data-link");
    ASSERT_TRUE(QFile::link(data.path(), link));
    std::optional<SingleInstance> first;
    {
        EnvScope tmp("TMPDIR", tmpA.path().toUtf8());
        first.emplace(data.path());
    }
    EXPECT_FALSE(first->anotherIsRunning());
    EXPECT_TRUE(first->problem().isEmpty());
    {
        EnvScope tmp("TMPDIR", tmpB.path().toUtf8());
        SingleInstance second(link);
        EXPECT_TRUE(second.anotherIsRunning());
        SingleInstance withSlash(data.path() + "/./");
        EXPECT_TRUE(withSlash.anotherIsRunning());
    }
    EXPECT_TRUE(test::folderEntries(tmpA.path()).isEmpty());
    EXPECT_TRUE(test::folderEntries(tmpB.path()).isEmpty());
}

TEST(SingleInstance, ALockThatCannotBeMadeIsAProblemNotAnotherCopy) {
    QTemporaryDir dir;
    ASSERT_TRUE(test::putFile(dir.filePath("plain"), "a file where the data folder should be"));
    SingleInstance s(dir.filePath("plain/data"));
    EXPECT_FALSE(s.anotherIsRunning());
    EXPECT_FALSE(s.problem().isEmpty());
    EXPECT_TRUE(s.problem().contains(".sijill.lock"));
}

// Run by the test below as a second process: holds the lock on a folder
// until told to let go.
TEST(SingleInstanceChild, HoldsTheLockUntilReleased) {
    const QString folder = qEnvironmentVariable("SIJILL_TEST_LOCK_FOLDER");
    if (folder.isEmpty())
        GTEST_SKIP() << "run by another test in its own process";
    SingleInstance held(folder);
    ASSERT_FALSE(held.anotherIsRunning());
    ASSERT_TRUE(test::putFile(QDir(folder).filePath("held"), ""));
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(QDir(folder).filePath("release")) && t.elapsed() < 20000)
        QThread::msleep(20);
}

TEST(SingleInstance, ASecondProcessThroughALinkAndAnotherTmpdirIsRefused) {
    QTemporaryDir data, links, tmpA, tmpB;
    const QString link = links.filePath("data-link");
    ASSERT_TRUE(QFile::link(data.path(), link));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SIJILL_TEST_LOCK_FOLDER", data.path());
    env.insert("TMPDIR", tmpA.path());
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=SingleInstanceChild.HoldsTheLockUntilReleased"});
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(data.filePath("held")) && t.elapsed() < 15000)
        QThread::msleep(20);
    ASSERT_TRUE(QFile::exists(data.filePath("held"))) << "the first copy did not start";
    {
        EnvScope tmp("TMPDIR", tmpB.path().toUtf8());
        SingleInstance second(link);
        EXPECT_TRUE(second.anotherIsRunning());
        EXPECT_TRUE(second.problem().isEmpty());
    }
    ASSERT_TRUE(test::putFile(data.filePath("release"), ""));
    ASSERT_TRUE(first.waitForFinished(15000));
    EXPECT_EQ(first.exitCode(), 0);
    SingleInstance afterwards(link);
    EXPECT_FALSE(afterwards.anotherIsRunning()) << "the lock goes with the first copy";
}
