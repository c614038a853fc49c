#include "shell/SchoolInfoFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <iconv.h>

namespace sijill::shell {

namespace {

// Converts all of `in` between two encodings with glibc's iconv; nothing when
// a character has no counterpart or the converter is missing.
std::optional<QByteArray> convert(const QByteArray& in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray out(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = static_cast<size_t>(in.size());
    char* dst = out.data();
    size_t dstLeft = static_cast<size_t>(out.size());
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    const bool ok = r != static_cast<size_t>(-1) && srcLeft == 0 &&
                    iconv(cd, nullptr, nullptr, &dst, &dstLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.truncate(out.size() - static_cast<qsizetype>(dstLeft));
    return out;
}

} // namespace

QString schoolInfoPath() {
    return QDir::current().filePath(QStringLiteral("SchoolInfo.ini"));
}

bool writeSchoolInfoLines(const QString& path, const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    const std::optional<QByteArray> bytes = convert(text.toUtf8(), "CP1256", "UTF-8");
    if (!bytes)
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(*bytes) != bytes->size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QStringList> readSchoolInfoLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<QByteArray> utf8 = convert(file.readAll(), "UTF-8", "CP1256");
    if (!utf8)
        return std::nullopt;
    QString text = QString::fromUtf8(*utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    // The last line ends in a line end too; a file without one keeps its tail.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString schoolInfoHeader(const QString& schoolName) {
    return schoolName.isEmpty() ? QStringLiteral("الإدارة:المدرسة:1433-1434") : schoolName;
}

} // namespace sijill::shell
