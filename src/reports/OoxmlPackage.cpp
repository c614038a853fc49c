#include "reports/OoxmlPackage.h"

#include "platform/BidiText.h"
#include "platform/SafeFileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <pugixml.hpp>
#include <sstream>
#include <zip.h>

namespace sijill::reports {

namespace {

const QString kUnreadable = QStringLiteral("تعذرت قراءة الملف:");

[[noreturn]] void fail(const QString& what, const QString& path) {
    throw ExportError{what + QLatin1Char('\r') + platform::shownPath(path)};
}

// Closes an archive that was opened for reading only.
struct ReadArchive {
    zip_t* z = nullptr;
    ~ReadArchive() {
        if (z)
            zip_discard(z);
    }
};

} // namespace

QString templateProblem(const QString& path) {
    return QStringLiteral("لم يتم العثور على القالب:") + QLatin1Char('\r') +
           platform::shownPath(path);
}

OoxmlPackage OoxmlPackage::read(const QString& path) {
    if (!QFileInfo(path).isFile())
        throw ExportError{templateProblem(path)};
    int error = 0;
    ReadArchive archive;
    archive.z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive.z)
        fail(kUnreadable, path);
    OoxmlPackage package;
    package.source_ = path;
    const zip_int64_t count = zip_get_num_entries(archive.z, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive.z, i, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
            fail(kUnreadable, path);
        const QString name = QString::fromUtf8(st.name);
        if (name.endsWith(QLatin1Char('/')))
            continue;
        zip_file_t* f = zip_fopen_index(archive.z, i, 0);
        if (!f)
            fail(kUnreadable, path);
        QByteArray bytes(static_cast<qsizetype>(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
        if (got != static_cast<zip_int64_t>(st.size))
            fail(kUnreadable, path);
        package.parts_.emplace_back(name, std::move(bytes));
    }
    return package;
}

bool OoxmlPackage::contains(const QString& name) const {
    for (const auto& p : parts_)
        if (p.first == name)
            return true;
    return false;
}

QByteArray OoxmlPackage::part(const QString& name) const {
    for (const auto& p : parts_)
        if (p.first == name)
            return p.second;
    throw ExportError{QStringLiteral("القالب ناقص، لا يحتوي الجزء %1:").arg(name) +
                      QLatin1Char('\r') + platform::shownPath(source_)};
}

void OoxmlPackage::setPart(const QString& name, const QByteArray& bytes) {
    for (auto& p : parts_)
        if (p.first == name) {
            p.second = bytes;
            return;
        }
    parts_.emplace_back(name, bytes);
}

QByteArray OoxmlPackage::toBytes() const {
    const ExportError failure{QStringLiteral("تعذر إنشاء الملف من القالب")};
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer)
        throw failure;
    // The buffer must outlive the archive written into it.
    zip_source_keep(buffer);
    zip_t* z = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!z) {
        zip_source_free(buffer);
        throw failure;
    }
    bool ok = true;
    for (const auto& [name, bytes] : parts_) {
        // The archive copies nothing until it is closed; the parts live until then.
        zip_source_t* s = zip_source_buffer(z, bytes.constData(), bytes.size(), 0);
        if (!s || zip_file_add(z, name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(s);
            ok = false;
            break;
        }
    }
    // A failed close leaves the archive open.
    if (!ok || zip_close(z) != 0) {
        zip_discard(z);
        zip_source_free(buffer);
        throw failure;
    }
    QByteArray out;
    zip_stat_t st;
    if (zip_source_stat(buffer, &st) == 0 && zip_source_open(buffer) == 0) {
        out.resize(static_cast<qsizetype>(st.size));
        const zip_int64_t got = zip_source_read(buffer, out.data(), st.size);
        zip_source_close(buffer);
        if (got != static_cast<zip_int64_t>(st.size))
            out.clear();
    }
    zip_source_free(buffer);
    if (out.isEmpty())
        throw failure;
    return out;
}

void parseXml(pugi::xml_document& doc, const QByteArray& bytes, const QString& partName) {
    const pugi::xml_parse_result r = doc.load_buffer(
        bytes.constData(), static_cast<std::size_t>(bytes.size()),
        pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single,
        pugi::encoding_utf8);
    if (!r)
        throw ExportError{QStringLiteral("القالب تالف، تعذرت قراءة الجزء %1").arg(partName)};
}

QByteArray xmlBytes(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    const std::string s = out.str();
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    if (const std::optional<QString> reason = platform::writeFileSafely(path, bytes))
        throw ExportError{platform::fileNotWrittenMessage(path, *reason)};
}

QString xmlAllowedText(const QString& text, bool keepLineEnds) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        const char16_t u = ch.unicode();
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.append(ch);
            out.append(text[++i]);
            continue;
        }
        const bool lineEnd = u == u'\n' || u == u'\r';
        const bool allowed = (u >= 0x20 && !ch.isSurrogate() && u != 0xFFFE && u != 0xFFFF) ||
                             u == u'\t' || (lineEnd && keepLineEnds);
        if (allowed)
            out.append(ch);
    }
    return out;
}

} // namespace sijill::reports
