#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace sijill::platform {

// Holds a lock file inside the data folder (reached by its canonical path) for
// the life of the process, so a second copy started on the same data, through
// a symbolic link or with another TMPDIR, can tell that the first runs.
class SingleInstance {
public:
    explicit SingleInstance(const QString& dataFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another copy holds the lock.
    bool anotherIsRunning() const { return held_ && !owned_; }
    // The user's message when the lock could not be made at all (a read-only
    // or missing folder); empty otherwise.
    QString problem() const { return problem_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool owned_ = false;
    bool held_ = false;
    QString problem_;
};

} // namespace sijill::platform
