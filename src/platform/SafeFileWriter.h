#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QFile;
class QIODevice;

namespace sijill::platform {

// Writes a file whole or not at all: the bytes go to a temporary file in the
// target's folder, every write and the flush (with fsync) are checked, and only
// then is the temporary file renamed over the target. On any failure the
// temporary file is removed, the old target stays as it was and reason() holds
// the system's explanation. Not QSaveFile: Qt 6.4's commit() can report success
// after its last write failed.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const QString& target);
    // Removes the temporary file unless it was committed.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Makes the temporary file beside the target.
    bool open();
    // The open temporary file as a device, for writers that stream (a PDF
    // writer); its writes are checked like write()'s.
    QIODevice* device();
    bool write(const QByteArray& bytes);
    // Flushes, syncs and closes the temporary file; false when any write so
    // far failed. The temporary file is then complete under tempPath().
    bool finish();
    // Renames the finished temporary file over the target.
    bool commit();
    // Removes the temporary file; the target stays as it was.
    void discard();

    // open(), write(), finish() in one call: the temporary file is complete
    // and waits for commit().
    bool prepare(const QByteArray& bytes);

    const QString& target() const { return target_; }
    QString tempPath() const;
    bool failed() const { return !reason_.isEmpty(); }
    QString reason() const { return reason_; }

    // Records a failure found by the caller (a bad file after finish()).
    void fail(const QString& reason);

private:
    class CheckedDevice;
    QString target_;
    std::unique_ptr<QFile> file_;
    std::unique_ptr<CheckedDevice> device_;
    QString reason_;
    bool committed_ = false;
};

// Writes `bytes` to `path` through a SafeFileWriter; nothing on success, else
// the reason.
std::optional<QString> writeFileSafely(const QString& path, const QByteArray& bytes);

// Removes from `folder` the temporary files of writers that never finished
// (the process was killed between open() and commit()). Call only while no
// writer of this program can be at work there. Returns those that stayed.
QStringList removeLeftoverTempFiles(const QString& folder);

// The user's message for a file that could not be written, naming it.
QString fileNotWrittenMessage(const QString& path, const QString& reason);

// Failure injection for tests: makes the writers of every target whose path
// ends with `pathEnding` fail at the `nth` write (1 the first), at the flush,
// at the sync or at the rename, as a full disk does. The flush and the sync
// are made and then their results turned to failures. Works whoever runs the
// tests, root too. `beforeRename`, when set, runs with the target once its
// temporary file is complete, so a test can make the real rename fail.
struct WriteFault {
    enum class At { Nowhere, Write, Flush, Sync, Rename };
    At at = At::Nowhere;
    int nth = 1;
    QString pathEnding;
    std::function<void(const QString& target)> beforeRename;
};
void setWriteFault(const WriteFault& fault);
// The error number the fault set for `target` stands for (ENOSPC for a
// write or a flush, EIO otherwise), 0 where none is set: for files written
// by other means than a SafeFileWriter (the data folder's lock).
int injectedWriteError(const QString& target);

} // namespace sijill::platform
