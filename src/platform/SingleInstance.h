#pragma once

#include <QString>
#include <memory>
#include <sys/types.h>

class QLockFile;

namespace sijill::platform {

// Holds a lock file inside the data folder (reached by its canonical path) for
// the life of the process, so a second copy started on the same data, through
// a symbolic link or with another TMPDIR, can tell that the first runs. The
// lock goes on every way out: with this object, and when the process ends
// through std::exit (the program's own exits). A lock left by a process that
// no longer runs on this computer is taken over, also one another user's copy
// left, wherever the folder allows removing it; one written on another
// computer (a copied or restored folder, a shared one) waits for takeOver().
class SingleInstance {
public:
    explicit SingleInstance(const QString& dataFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another copy on this computer holds the lock.
    bool anotherIsRunning() const { return state_ == State::HeldHere; }
    // The name of the computer whose lock holds the folder; empty unless the
    // lock was written on another computer.
    QString otherComputer() const {
        return state_ == State::HeldElsewhere ? otherHost_ : QString();
    }
    // Takes over the other computer's lock, once the user has said the program
    // does not run there. False when the lock is still not ours.
    bool takeOver();
    // The user's message when the lock could not be made at all (a full disk,
    // a folder the user may not write in) or one left behind could not be
    // removed; empty otherwise.
    QString problem() const { return problem_; }

private:
    enum class State { Owned, HeldHere, HeldElsewhere, Problem };
    // Which file a path named when it was looked at, so that only that one
    // is removed.
    struct FileStamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        time_t seconds = 0;
        long nanoseconds = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp stampOf(const QString& path);

    void tryToLock();
    // Takes a free lock; false only when another holds it. A lock that cannot
    // be made at all is a problem, told by its cause.
    bool lockUnlessHeld();
    void classifyHeldLock();
    // Removes the lock looked at last, left by a copy that no longer runs;
    // false, with the problem told, when the folder does not allow it.
    bool removeLeftLock();
    void heldElsewhere(const QString& host);
    void owned();

    std::unique_ptr<QLockFile> lock_;
    QString path_;
    State state_ = State::Problem;
    QString otherHost_;
    FileStamp stamp_;
    QString problem_;
};

} // namespace sijill::platform
