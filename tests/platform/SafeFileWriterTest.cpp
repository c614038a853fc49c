#include "platform/SafeFileWriter.h"
#include "platform/ProgramExit.h"
#include "platform/SingleInstance.h"
#include "support/AsAnotherUser.h"
#include "support/EnvScope.h"
#include "support/FileBytes.h"
#include "support/LockFile.h"
#include "support/WriteFaultScope.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <cstring>
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
    // Something else makes a folder where the file goes, keeping the old
    // contents inside it, once the temporary file is complete: the real
    // rename fails.
    const auto folderInTheWay = [&](const QString& target) {
        QFile::remove(target);
        QDir().mkpath(target);
        test::putFile(QDir(target).filePath("kept"), old);
    };
    struct Case {
        WriteFault::At at;
        int nth;
        bool folder;
        int error; // the system's reason, where the failure is a real one
    };
    for (const Case& c :
         {Case{WriteFault::At::Write, 1, false, 0}, Case{WriteFault::At::Write, 3, false, 0},
          Case{WriteFault::At::Flush, 1, false, 0}, Case{WriteFault::At::Sync, 1, false, EIO},
          Case{WriteFault::At::Rename, 1, false, 0},
          Case{WriteFault::At::Nowhere, 1, true, EISDIR}}) {
        SCOPED_TRACE(int(c.at) * 10 + c.nth);
        QDir(path).removeRecursively();
        ASSERT_TRUE(test::putFile(path, old));
        WriteFault fault{c.at, c.nth, "out.bin", {}};
        if (c.folder)
            fault.beforeRename = folderInTheWay;
        setWriteFault(fault);
        const std::optional<QString> reason = writeFileSafely(path, big);
        setWriteFault({});
        ASSERT_TRUE(reason);
        EXPECT_FALSE(reason->isEmpty());
        if (c.error) {
            EXPECT_EQ(*reason, QString::fromLocal8Bit(std::strerror(c.error)));
        }
        EXPECT_TRUE(fileNotWrittenMessage(path, *reason).contains(path));
        EXPECT_EQ(test::fileBytes(c.folder ? QDir(path).filePath("kept") : path), old);
        EXPECT_EQ(test::folderEntries(dir.path()), QStringList{"out.bin"});
    }
    // A fault for another file leaves this one alone.
    QDir(path).removeRecursively();
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

namespace {
// What a copy run as another user finds on a data folder: "ours" for a lock
// it now holds, else its problem or "held".
std::optional<QString> lockAsAnotherUser(const QString& folder) {
    return test::asAnotherUser([&] {
        SingleInstance s(folder);
        if (!s.problem().isEmpty())
            return s.problem();
        const bool ours = !s.anotherIsRunning() && s.otherComputer().isEmpty() &&
                          QFileInfo(test::lockPath(folder)).ownerId() == ::getuid();
        return QString(ours ? "ours" : "held");
    });
}
} // namespace

// A full disk and a folder the user may not write in are told as such, with
// the folder and what to do; anything else names the lock.
TEST(SingleInstance, ALockThatCannotBeMadeIsAProblemNotAnotherCopy) {
    QTemporaryDir dir;
    ASSERT_TRUE(test::putFile(dir.filePath("plain"), "a file where the data folder should be"));
    SingleInstance s(dir.filePath("plain/data"));
    EXPECT_FALSE(s.anotherIsRunning());
    EXPECT_FALSE(s.problem().isEmpty());
    EXPECT_TRUE(s.problem().contains(".sijill.lock"));

    const QString folder = QFileInfo(dir.path()).canonicalFilePath();
    {
        WriteFaultScope full(WriteFault::At::Write, ".sijill.lock");
        SingleInstance onFullDisk(folder);
        EXPECT_FALSE(onFullDisk.anotherIsRunning());
        EXPECT_TRUE(onFullDisk.problem().startsWith("لا توجد مساحة فارغة على القرص"));
        EXPECT_TRUE(onFullDisk.problem().contains(QDir::toNativeSeparators(folder)));
        EXPECT_TRUE(onFullDisk.problem().contains("أفرغ مساحة"));
        EXPECT_FALSE(QFile::exists(test::lockPath(folder)));
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                      QFile::ReadOther | QFile::ExeOther);
    const std::optional<QString> readOnly = lockAsAnotherUser(folder);
    if (!readOnly)
        GTEST_SKIP() << "needs root, to run a copy as another user";
    EXPECT_TRUE(readOnly->startsWith("لا يملك حسابك صلاحية الكتابة في مجلد بيانات البرنامج"))
        << readOnly->toStdString();
    EXPECT_TRUE(readOnly->contains(QDir::toNativeSeparators(folder)));
}

// Another user's copy, killed, left its lock: a file this user may not open
// for writing. It goes wherever the folder lets this user remove it; where it
// does not, the message names the lock and how to clear it.
TEST(SingleInstance, AnotherUsersLeftLockIsTakenOverWhereTheFolderAllowsRemovingIt) {
    for (const bool folderWritable : {true, false}) {
        SCOPED_TRACE(folderWritable);
        QTemporaryDir dir;
        const QString folder = QFileInfo(dir.path()).canonicalFilePath();
        const QString lock = test::lockPath(folder);
        ASSERT_TRUE(test::putLock(folder, test::kNoSuchProcess, QSysInfo::machineHostName()));
        const QByteArray written = test::fileBytes(lock);
        QFile::setPermissions(lock, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                  QFile::ReadOther | QFile::ExeOther;
        if (folderWritable)
            mode |= QFile::WriteOther;
        QFile::setPermissions(folder, mode);
        const std::optional<QString> found = lockAsAnotherUser(folder);
        if (!found)
            GTEST_SKIP() << "needs root, to run a copy as another user";
        if (folderWritable) {
            EXPECT_EQ(*found, "ours");
            continue;
        }
        EXPECT_TRUE(found->contains(QDir::toNativeSeparators(lock))) << found->toStdString();
        EXPECT_TRUE(found->contains("احذف هذا الملف"));
        EXPECT_EQ(test::fileBytes(lock), written);
    }
}

// Run by the test below as a second process: holds the lock on a folder
// until told to let go, then ends as the program ends.
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
    exitProgram(0);
}

TEST(SingleInstance, ASecondProcessIsRefusedAndTheLockGoesWithTheFirstHoweverItEnds) {
    QTemporaryDir data, links, tmpA, tmpB;
    const QString link = links.filePath("data-link");
    ASSERT_TRUE(QFile::link(data.path(), link));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SIJILL_TEST_LOCK_FOLDER", data.path());
    env.insert("TMPDIR", tmpA.path());
    QProcess first;
    first.setProcessEnvironment(env);
    const auto startFirst = [&] {
        QFile::remove(data.filePath("held"));
        first.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=SingleInstanceChild.HoldsTheLockUntilReleased"});
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(data.filePath("held")) && t.elapsed() < 15000)
            QThread::msleep(20);
        return QFile::exists(data.filePath("held"));
    };
    ASSERT_TRUE(startFirst()) << "the first copy did not start";
    {
        EnvScope tmp("TMPDIR", tmpB.path().toUtf8());
        SingleInstance second(link);
        EXPECT_TRUE(second.anotherIsRunning());
        EXPECT_TRUE(second.problem().isEmpty());
        EXPECT_TRUE(second.otherComputer().isEmpty());
    }
    ASSERT_TRUE(test::putFile(data.filePath("release"), ""));
    ASSERT_TRUE(first.waitForFinished(15000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(test::lockPath(data.path()))) << "the program's own exit lets go";

    // A copy killed while it runs leaves its lock: the next start takes it.
    QFile::remove(data.filePath("release"));
    ASSERT_TRUE(startFirst());
    first.kill();
    ASSERT_TRUE(first.waitForFinished(15000));
    ASSERT_TRUE(QFile::exists(test::lockPath(data.path())));
    SingleInstance afterwards(link);
    EXPECT_FALSE(afterwards.anotherIsRunning());
    EXPECT_TRUE(afterwards.otherComputer().isEmpty());
    EXPECT_TRUE(afterwards.problem().isEmpty());
}

TEST(SingleInstance, ALockWrittenElsewhereWaitsForTheUserOneLeftHereIsTakenOver) {
    const QString here = QSysInfo::machineHostName();
    const QByteArray machine = QSysInfo::machineUniqueId();
    const qint64 self = QCoreApplication::applicationPid();
    struct Case {
        qint64 pid;
        QString host;
        QByteArray machine;
        QString elsewhere; // the computer named, empty when none is
        bool running;      // refused as a copy running here
    };
    for (const Case& c : {
             Case{test::kNoSuchProcess, here, {}, {}, false},
             Case{test::kNoSuchProcess, here, machine, {}, false},
             Case{self, here, machine, {}, true},
             Case{self, "office-pc", {}, "office-pc", false},
             // A renamed computer keeps its id, yet only the user can say so.
             Case{test::kNoSuchProcess, "office-pc", machine, "office-pc", false},
             // Two computers may carry one host name.
             Case{test::kNoSuchProcess, here, "another-machine-id", here, false},
         }) {
        SCOPED_TRACE(c.host.toStdString() + " " + c.machine.toStdString());
        QTemporaryDir data;
        ASSERT_TRUE(test::putLock(data.path(), c.pid, c.host, c.machine));
        const QByteArray written = test::fileBytes(test::lockPath(data.path()));
        SingleInstance s(data.path());
        EXPECT_EQ(s.otherComputer(), c.elsewhere);
        EXPECT_EQ(s.anotherIsRunning(), c.running);
        EXPECT_TRUE(s.problem().isEmpty());
        const bool taken = c.elsewhere.isEmpty() && !c.running;
        EXPECT_EQ(test::fileBytes(test::lockPath(data.path())) == written, !taken);
        if (c.elsewhere.isEmpty())
            continue;
        ASSERT_TRUE(s.takeOver());
        EXPECT_TRUE(s.otherComputer().isEmpty());
        EXPECT_TRUE(
            test::fileBytes(test::lockPath(data.path())).startsWith(QByteArray::number(self)));
    }
    // A lock nobody can read is another copy writing it only for a moment.
    QTemporaryDir data;
    QFile lock(test::lockPath(data.path()));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    EXPECT_TRUE(SingleInstance(data.path()).anotherIsRunning());
    lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    lock.close();
    SingleInstance s(data.path());
    EXPECT_FALSE(s.anotherIsRunning());
    EXPECT_TRUE(s.problem().isEmpty());
}
