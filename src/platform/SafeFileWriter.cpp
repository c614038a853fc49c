#include "platform/SafeFileWriter.h"

#include "platform/BidiText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace sijill::platform {

namespace {

// Large enough for few writes, small enough that a template's copy takes
// several, so a fault can cut a file in the middle.
constexpr qint64 kChunk = 4 * 1024;

WriteFault& currentFault() {
    static WriteFault fault;
    return fault;
}

bool faultAt(WriteFault::At at, const QString& target) {
    const WriteFault& f = currentFault();
    return f.at == at && target.endsWith(f.pathEnding);
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The temporary file's name for a target: hidden, the target's name, eight
// hexadecimal digits that tell one attempt from another.
QString tempNameFor(const QString& fileName) {
    return QStringLiteral(".%1.%2.tmp")
        .arg(fileName)
        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

bool isTempName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.[0-9a-f]{8}\\.tmp$"));
    return pattern.match(name).hasMatch();
}

// The folder's own entry is synced too, so the rename survives a crash.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void setWriteFault(const WriteFault& fault) {
    currentFault() = fault;
}

int injectedWriteError(const QString& target) {
    const WriteFault& f = currentFault();
    if (f.at == WriteFault::At::Nowhere || !target.endsWith(f.pathEnding))
        return 0;
    return f.at == WriteFault::At::Write || f.at == WriteFault::At::Flush ? ENOSPC : EIO;
}

// Passes writes to the temporary file, counting them for the fault seam and
// remembering the first failure.
class SafeFileWriter::CheckedDevice : public QIODevice {
public:
    explicit CheckedDevice(SafeFileWriter& owner) : owner_(owner) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override {
        if (owner_.failed() || !owner_.file_)
            return -1;
        ++writes_;
        const WriteFault& f = currentFault();
        if (faultAt(WriteFault::At::Write, owner_.target_) && writes_ >= f.nth) {
            owner_.fail(systemReason(ENOSPC));
            return -1;
        }
        const qint64 n = owner_.file_->write(data, len);
        if (n != len || owner_.file_->error() != QFileDevice::NoError) {
            owner_.fail(owner_.file_->errorString());
            return -1;
        }
        return n;
    }

private:
    SafeFileWriter& owner_;
    int writes_ = 0;
};

SafeFileWriter::SafeFileWriter(const QString& target)
    : target_(QFileInfo(target).absoluteFilePath()) {}

SafeFileWriter::~SafeFileWriter() {
    if (!committed_)
        discard();
}

bool SafeFileWriter::open() {
    const QFileInfo info(target_);
    if (info.isDir()) {
        fail(systemReason(EISDIR));
        return false;
    }
    const QDir folder = info.dir();
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        auto file = std::make_unique<QFile>(folder.filePath(tempNameFor(info.fileName())));
        if (file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            file_ = std::move(file);
        } else if (file->exists()) {
            continue; // a name taken by chance: try another
        } else {
            fail(file->errorString());
            return false;
        }
    }
    if (!file_) {
        fail(systemReason(EEXIST));
        return false;
    }
    // A replaced file keeps who may read it.
    if (info.exists())
        file_->setPermissions(QFile::permissions(target_));
    device_ = std::make_unique<CheckedDevice>(*this);
    device_->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

QIODevice* SafeFileWriter::device() {
    return device_.get();
}

bool SafeFileWriter::write(const QByteArray& bytes) {
    if (!device_ || failed())
        return false;
    for (qint64 at = 0; at < bytes.size(); at += kChunk) {
        const qint64 len = std::min<qint64>(kChunk, bytes.size() - at);
        if (device_->write(bytes.constData() + at, len) != len) {
            if (!failed())
                fail(device_->errorString());
            return false;
        }
    }
    return true;
}

bool SafeFileWriter::finish() {
    if (!file_ || failed())
        return false;
    if (!file_->isOpen())
        return true;
    bool flushed = file_->flush() && file_->error() == QFileDevice::NoError;
    QString why = file_->errorString();
    if (faultAt(WriteFault::At::Flush, target_)) {
        flushed = false;
        why = systemReason(ENOSPC);
    }
    if (!flushed) {
        fail(why);
        return false;
    }
    int synced = ::fsync(file_->handle());
    int error = errno;
    if (faultAt(WriteFault::At::Sync, target_)) {
        synced = -1;
        error = EIO;
    }
    if (synced != 0) {
        fail(systemReason(error));
        return false;
    }
    device_->close();
    file_->close();
    if (file_->error() != QFileDevice::NoError) {
        fail(file_->errorString());
        return false;
    }
    return true;
}

bool SafeFileWriter::commit() {
    if (!finish())
        return false;
    if (faultAt(WriteFault::At::Rename, target_)) {
        fail(systemReason(EIO));
        return false;
    }
    if (const WriteFault& f = currentFault(); f.beforeRename && target_.endsWith(f.pathEnding))
        f.beforeRename(target_);
    if (std::rename(QFile::encodeName(file_->fileName()).constData(),
                    QFile::encodeName(target_).constData()) != 0) {
        fail(systemReason(errno));
        return false;
    }
    committed_ = true;
    syncFolder(QFileInfo(target_).absolutePath());
    return true;
}

void SafeFileWriter::discard() {
    if (!file_)
        return;
    if (device_)
        device_->close();
    file_->close();
    file_->remove();
    file_.reset();
}

bool SafeFileWriter::prepare(const QByteArray& bytes) {
    return open() && write(bytes) && finish();
}

QString SafeFileWriter::tempPath() const {
    return file_ ? file_->fileName() : QString();
}

void SafeFileWriter::fail(const QString& reason) {
    if (reason_.isEmpty())
        reason_ = reason.isEmpty() ? systemReason(EIO) : reason;
}

std::optional<QString> writeFileSafely(const QString& path, const QByteArray& bytes) {
    SafeFileWriter writer(path);
    if (writer.prepare(bytes) && writer.commit())
        return std::nullopt;
    return writer.reason();
}

QStringList removeLeftoverTempFiles(const QString& folder) {
    QStringList left;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (isTempName(name) && !QFile::remove(dir.filePath(name)))
            left << dir.filePath(name);
    return left;
}

QString fileNotWrittenMessage(const QString& path, const QString& reason) {
    return QStringLiteral("تعذرت كتابة الملف %1\r%2").arg(shownPath(path), isolate(reason));
}

} // namespace sijill::platform
