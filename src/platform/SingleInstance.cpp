#include "platform/SingleInstance.h"

#include "platform/BidiText.h"
#include "platform/FolderWriteProblem.h"
#include "platform/SafeFileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sijill::platform {

namespace {

// An unreadable lock this old is no copy in the middle of writing its own.
constexpr qint64 kUnreadableLockAgeMs = 10 * 1000;

// The locks this process holds, released by std::exit too: the program ends
// through it, and the objects holding them are never destroyed then.
std::vector<QLockFile*>& heldLocks() {
    static std::vector<QLockFile*> locks;
    return locks;
}

void releaseHeldLocks() {
    for (QLockFile* lock : heldLocks())
        lock->unlock();
    heldLocks().clear();
}

// Who wrote a lock file, from the lines the lock writes: the process id, the
// program's name, the host name and, where known, the machine's id.
struct LockOwner {
    bool readable = false;
    qint64 pid = 0;
    QString host;
    QByteArray machine;
};

LockOwner readLockOwner(const QString& path) {
    LockOwner owner;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return owner;
    const QList<QByteArray> lines = file.read(4096).split('\n');
    bool ok = false;
    owner.pid = lines.value(0).trimmed().toLongLong(&ok);
    owner.readable = ok && owner.pid > 0;
    owner.host = QString::fromUtf8(lines.value(2).trimmed());
    owner.machine = lines.value(3).trimmed();
    return owner;
}

// Another host name is another computer (or this one renamed): only the
// user can say that no copy runs there. Under one host name the machines'
// ids, where both are known, tell apart two computers named alike.
bool writtenOnThisComputer(const LockOwner& owner) {
    if (!owner.host.isEmpty() && owner.host != QSysInfo::machineHostName())
        return false;
    const QByteArray ours = QSysInfo::machineUniqueId();
    return owner.machine.isEmpty() || ours.isEmpty() || owner.machine == ours;
}

bool processRuns(qint64 pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// The lock could not be made at all: a full disk and a folder the user may
// not write in are told as such.
QString lockProblem(const QString& path, int error) {
    const QString plain = folderWriteProblem(QFileInfo(path).absolutePath(), error);
    if (!plain.isEmpty())
        return plain;
    return QStringLiteral("تعذر إنشاء ملف القفل في مجلد البيانات، فلا يمكن التأكد من أن "
                          "البرنامج لا يعمل مرتين على البيانات نفسها:\r%1")
        .arg(shownPath(path));
}

QString lockNotRemovable(const QString& path) {
    return QStringLiteral("في مجلد البيانات ملف قفل تركه البرنامج بعد أن توقف، ولا يملك حسابك "
                          "صلاحية حذفه:\r%1\rاحذف هذا الملف (أو اطلب ذلك من صاحب الحساب "
                          "الذي أنشأه أو من مسؤول الجهاز) ثم شغّل البرنامج مرة أخرى.")
        .arg(shownPath(path));
}

} // namespace

SingleInstance::FileStamp SingleInstance::stampOf(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, st.st_dev, st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

SingleInstance::SingleInstance(const QString& dataFolder) {
    const QString canonical = QFileInfo(dataFolder).canonicalFilePath();
    const QString folder = canonical.isEmpty() ? QDir(dataFolder).absolutePath() : canonical;
    path_ = QDir(folder).filePath(QStringLiteral(".sijill.lock"));
    lock_ = std::make_unique<QLockFile>(path_);
    // Never stale by age: a running copy does not touch its lock.
    lock_->setStaleLockTime(0);
    tryToLock();
}

SingleInstance::~SingleInstance() {
    auto& locks = heldLocks();
    locks.erase(std::remove(locks.begin(), locks.end(), lock_.get()), locks.end());
}

void SingleInstance::tryToLock() {
    // Asked before the lock is tried: the lock would take over, unasked, a
    // lock whose machine id is ours whatever host name it carries.
    stamp_ = stampOf(path_);
    const LockOwner owner = readLockOwner(path_);
    if (owner.readable && !writtenOnThisComputer(owner)) {
        heldElsewhere(owner.host);
        return;
    }
    if (!lockUnlessHeld())
        classifyHeldLock();
}

bool SingleInstance::lockUnlessHeld() {
    int error = injectedWriteError(path_);
    if (error == 0) {
        errno = 0;
        if (lock_->tryLock(0)) {
            owned();
            return true;
        }
        if (lock_->error() == QLockFile::LockFailedError)
            return false;
        error = errno;
    }
    state_ = State::Problem;
    problem_ = lockProblem(path_, error);
    return true;
}

void SingleInstance::classifyHeldLock() {
    state_ = State::HeldHere;
    stamp_ = stampOf(path_);
    const LockOwner owner = readLockOwner(path_);
    bool left = false;
    if (!owner.readable) {
        const QDateTime written = QFileInfo(path_).lastModified();
        left = written.isValid() &&
               std::abs(written.msecsTo(QDateTime::currentDateTime())) > kUnreadableLockAgeMs;
    } else if (!writtenOnThisComputer(owner)) {
        heldElsewhere(owner.host);
        return;
    } else {
        left = !processRuns(owner.pid);
    }
    // A lock its process left behind (a crash, a power cut) is taken over.
    if (!left)
        return;
    if (!removeLeftLock())
        return;
    if (!lockUnlessHeld())
        state_ = State::HeldHere; // another copy took it first
}

bool SingleInstance::removeLeftLock() {
    if (lock_->removeStaleLockFile())
        return true;
    // Qt's removal opens the file for writing, which another user's lock
    // refuses; the folder may still let it go. Only the file judged left
    // behind goes: one made since belongs to a copy that has just started.
    const FileStamp now = stampOf(path_);
    if (!now.exists || now != stamp_ || ::unlink(QFile::encodeName(path_).constData()) == 0 ||
        errno == ENOENT)
        return true;
    state_ = State::Problem;
    problem_ = lockNotRemovable(path_);
    return false;
}

void SingleInstance::heldElsewhere(const QString& host) {
    state_ = State::HeldElsewhere;
    otherHost_ = host.isEmpty() ? QStringLiteral("?") : host;
}

void SingleInstance::owned() {
    state_ = State::Owned;
    // The list is made first, so that it outlives the handler that reads it.
    std::vector<QLockFile*>& locks = heldLocks();
    static const bool registered = std::atexit(releaseHeldLocks) == 0;
    (void)registered;
    locks.push_back(lock_.get());
}

bool SingleInstance::takeOver() {
    if (state_ != State::HeldElsewhere)
        return state_ == State::Owned;
    if (!removeLeftLock())
        return false;
    tryToLock();
    return state_ == State::Owned;
}

} // namespace sijill::platform
