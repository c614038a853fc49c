#include "shell/SchoolInfoFile.h"

#include "platform/BidiText.h"
#include "platform/Digits.h"
#include "platform/SafeFileWriter.h"

#include <QDir>
#include <QFile>
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

// "U+06CC" for a character the message names.
QString codePoint(char32_t c) {
    return QStringLiteral("U+") +
           QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, u'0');
}

} // namespace

QString schoolInfoPath() {
    return QDir::current().filePath(QStringLiteral("SchoolInfo.ini"));
}

QString schoolInfoSafe(const QString& text) {
    QString out = platform::latinDigits(text);
    out.replace(QChar(0x06CC), QChar(0x064A)); // Persian yeh: the Arabic one
    return out;
}

SchoolInfoText encodeSchoolInfo(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += schoolInfoSafe(line) + QStringLiteral("\r\n");
    if (std::optional<QByteArray> bytes = convert(text.toUtf8(), "CP1256", "UTF-8"))
        return {*bytes, {}};
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = schoolInfoSafe(lines[i]);
        for (const char32_t c : line.toUcs4()) {
            const QString one = QString::fromUcs4(&c, 1);
            if (convert(one.toUtf8(), "CP1256", "UTF-8"))
                continue;
            const QString field = i == 0 ? QStringLiteral("اسم المدرسة")
                                         : QStringLiteral("الفصل ") + platform::isolate(line);
            return {{},
                    QStringLiteral("الحرف «%1» %2 في %3 لا يُكتب في الملف %4")
                        .arg(one, platform::isolate(codePoint(c)), field,
                             platform::shownPath(QStringLiteral("SchoolInfo.ini")))};
        }
    }
    return {{},
            QStringLiteral("تعذر تحويل نص الملف %1 إلى ترميز الكتابة العربية")
                .arg(platform::shownPath(QStringLiteral("SchoolInfo.ini")))};
}

std::optional<QString> writeSchoolInfoLines(const QString& path, const QStringList& lines) {
    const SchoolInfoText text = encodeSchoolInfo(lines);
    if (!text.problem.isEmpty())
        return text.problem;
    if (const std::optional<QString> reason = platform::writeFileSafely(path, text.bytes))
        return platform::fileNotWrittenMessage(path, *reason);
    return std::nullopt;
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
