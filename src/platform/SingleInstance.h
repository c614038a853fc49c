#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace sijill::platform {

// Holds a lock keyed to the program folder for the life of the process, so a
// second copy started on the same folder can tell that the first runs.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another copy holds the lock.
    bool anotherIsRunning() const { return !owned_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool owned_ = false;
};

} // namespace sijill::platform
