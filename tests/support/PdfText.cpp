#include "support/PdfText.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <atomic>
#include <functional>
#include <thread>

namespace sijill::test {

namespace {

QString readerScript(const char* file) {
    return QDir(QStringLiteral(SIJILL_SOURCE_DIR "/tests/pdfreaders"))
        .filePath(QLatin1String(file));
}

// A process run to its end within the deadline; its output, or why none.
QString run(QProcess& p, const QDeadlineTimer& deadline, const QByteArray& input,
            QString& failure) {
    if (!p.waitForStarted(int(std::max<qint64>(deadline.remainingTime(), 1)))) {
        failure = p.errorString();
        return {};
    }
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(int(std::max<qint64>(deadline.remainingTime(), 1)))) {
        p.kill();
        p.waitForFinished(5000);
        failure = QStringLiteral("did not finish in time");
        return {};
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        failure =
            QStringLiteral("failed: ") + QString::fromUtf8(p.readAllStandardError()).trimmed();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The files read by a program that takes one file a run.
void readEach(const PdfReader& reader, const QStringList& files, const QDeadlineTimer& deadline,
              std::vector<PdfReading>& out) {
    for (qsizetype f = 0; f < files.size(); ++f) {
        QProcess p;
        p.start(reader.program, reader.before + QStringList{files[f]} + reader.after);
        out[size_t(f)].text = run(p, deadline, {}, out[size_t(f)].failure);
    }
}

// The files read by a node script in one run: a JSON list of the files (and
// their phrases) in, a JSON list of their texts (and what was found) out.
void readByScript(const PdfReader& reader, const QStringList& files,
                  const std::vector<QStringList>& phrases, const QDeadlineTimer& deadline,
                  std::vector<PdfReading>& out) {
    QJsonArray request;
    for (qsizetype f = 0; f < files.size(); ++f) {
        QJsonObject file{{QStringLiteral("file"), files[f]}};
        if (size_t(f) < phrases.size())
            file.insert(QStringLiteral("phrases"), QJsonArray::fromStringList(phrases[size_t(f)]));
        request.append(file);
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(reader.program, reader.before + reader.after);
    QString failure;
    const QString json =
        run(p, deadline, QJsonDocument(request).toJson(QJsonDocument::Compact), failure);
    const QJsonArray answer = QJsonDocument::fromJson(json.toUtf8()).array();
    if (failure.isEmpty() && answer.size() != files.size())
        failure = QStringLiteral("gave no text for every file");
    for (qsizetype f = 0; f < files.size(); ++f) {
        PdfReading& r = out[size_t(f)];
        if (!failure.isEmpty()) {
            r.failure = failure;
            continue;
        }
        const QJsonObject read = answer[f].toObject();
        r.text = read.value(QStringLiteral("text")).toString();
        for (const QJsonValue& found : read.value(QStringLiteral("found")).toArray())
            r.found.push_back(found.toBool());
    }
}

} // namespace

const std::vector<PdfReader>& pdfReaders() {
    static const std::vector<PdfReader> readers = {
        {"pdftotext",
         QStringLiteral("pdftotext"),
         {QStringLiteral("-enc"), QStringLiteral("UTF-8")},
         {QStringLiteral("-")}},
        {"mutool",
         QStringLiteral("mutool"),
         {QStringLiteral("draw"), QStringLiteral("-q"), QStringLiteral("-F"), QStringLiteral("txt"),
          QStringLiteral("-o"), QStringLiteral("-")},
         {},
         true,
         true},
        {"pdf2txt", QStringLiteral("pdf2txt"), {}, {}, false, true},
        {"pdf.js",
         QStringLiteral("node"),
         {readerScript("read-pdfjs.mjs")},
         {},
         true,
         true,
         false,
         true},
        // PDFium reads a turned text's glyphs as lines of their own.
        {"PDFium",
         QStringLiteral("node"),
         {readerScript("read-pdfium.mjs")},
         {},
         false,
         true,
         true,
         true,
         true},
    };
    return readers;
}

bool haveReader(const PdfReader& reader) {
    if (QStandardPaths::findExecutable(reader.program).isEmpty())
        return false;
    // A script's packages are installed beside it (scripts/setup-deps).
    return !reader.script ||
           QFileInfo::exists(QFileInfo(reader.before.front())
                                 .dir()
                                 .filePath(QStringLiteral("node_modules/.installed-lock.json")));
}

QString pdfText(const QString& pdf, const PdfReader& reader) {
    std::vector<PdfReading> out(1);
    const QDeadlineTimer deadline(std::chrono::seconds(60));
    if (reader.script)
        readByScript(reader, {pdf}, {}, deadline, out);
    else
        readEach(reader, {pdf}, deadline, out);
    return out.front().text;
}

std::vector<std::vector<PdfReading>> readPdfs(const QStringList& files,
                                              const std::vector<QStringList>& phrases,
                                              std::chrono::seconds limit) {
    const std::vector<PdfReader>& readers = pdfReaders();
    std::vector<std::vector<PdfReading>> out(readers.size(),
                                             std::vector<PdfReading>(size_t(files.size())));
    const QDeadlineTimer deadline(limit);
    // The scripts read all the files in one run each; a program that takes
    // one file a run reads them in halves, side by side.
    std::vector<std::function<void()>> jobs;
    for (size_t r = 0; r < readers.size(); ++r) {
        if (readers[r].script) {
            jobs.emplace_back(
                [&, r] { readByScript(readers[r], files, phrases, deadline, out[r]); });
            continue;
        }
        const qsizetype half = (files.size() + 1) / 2;
        for (qsizetype from : {qsizetype(0), half}) {
            jobs.emplace_back([&, r, from, half] {
                std::vector<PdfReading> part(size_t(std::min(half, files.size() - from)));
                readEach(readers[r], files.mid(from, half), deadline, part);
                std::move(part.begin(), part.end(), out[r].begin() + from);
            });
        }
    }
    std::vector<std::thread> running;
    for (std::function<void()>& job : jobs)
        running.emplace_back(job);
    for (std::thread& t : running)
        t.join();
    return out;
}

} // namespace sijill::test
