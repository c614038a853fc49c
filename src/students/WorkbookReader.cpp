#include "students/WorkbookReader.h"

#include "platform/BidiText.h"
#include "students/ChildWait.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "platform/BidiText.h"

namespace sijill::students {

namespace {

// Generous: a sound workbook is read in well under a second.
constexpr int kDefaultTimeLimitMs = 60000;

QString& programOverride() {
    static QString p;
    return p;
}
int& timeLimit() {
    static int ms = kDefaultTimeLimitMs;
    return ms;
}

const QString kNothingChanged =
    QStringLiteral("لم يتغير شيء من البيانات، وبيانات المدرسة باقية كما كانت.");

QString damaged(const QString& path) {
    return QStringLiteral("ملف Excel تالف أو لا يمكن قراءته:\n%1")
        .arg(platform::shownPath(QFileInfo(path).fileName()));
}

const QString kResave = QStringLiteral("افتح الملف في Excel واحفظه بصيغة %1 ثم أعد الاستيراد.")
                            .arg(platform::isolate(QStringLiteral("\"Excel 97-2003\" (xls)")));

QString readerFailed() {
    return QStringLiteral("تعذر تشغيل برنامج قراءة ملفات Excel (%1).\n")
               .arg(platform::isolate(QStringLiteral("sijill-xls-reader"))) +
           kNothingChanged;
}

QString unescape(QStringView s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c != QLatin1Char('\\') || i + 1 >= s.size()) {
            out += c;
            continue;
        }
        const QChar n = s[++i];
        if (n == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (n == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (n == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else
            out += n;
    }
    return out;
}

QString olderFormat(const QString& file) {
    return QStringLiteral("الملف %1 مصنف بصيغة Excel قديمة (Excel 95 أو ما قبله) لا يقرؤها "
                          "البرنامج.\n")
               .arg(file) +
           kResave;
}

// The message for the reader's refusal: FAULT kind sheet row column detail.
QString faultMessage(const QList<QStringView>& f, const QString& path) {
    const QString file = platform::shownPath(QFileInfo(path).fileName());
    const QString kind = f.value(1).toString();
    const QString sheet = platform::isolate(unescape(f.value(2)));
    const int row = f.value(3).toInt();
    const int column = f.value(4).toInt();
    const QString where = row >= 0 && column >= 0
                              ? cellPlaceText(unescape(f.value(2)), row + 1, column + 1)
                              : QString();
    if (kind == QLatin1String("OLD"))
        return olderFormat(file);
    if (kind == QLatin1String("ENCRYPTED"))
        return QStringLiteral("الملف %1 محمي بكلمة مرور فلا يمكن قراءته.\nافتحه في Excel واحفظه "
                              "دون كلمة مرور ثم أعد الاستيراد.")
            .arg(file);
    if (kind == QLatin1String("CELL") && !where.isEmpty())
        return QStringLiteral("ملف Excel تالف: تعذرت قراءة %1.\nالملف: %2").arg(where, file);
    if (kind == QLatin1String("DAMAGED") && !f.value(2).isEmpty()) {
        QString text = QStringLiteral("ملف Excel تالف: الورقة %1 فيه مقطوعة أو لا توافق ما تعلنه "
                                      "من صفوف وخلايا")
                           .arg(sheet);
        if (!where.isEmpty())
            text += QStringLiteral("، عند %1").arg(where);
        else if (row >= 0)
            text += QStringLiteral("، عند الصف %1").arg(row + 1);
        return text + QStringLiteral(".\nالملف: %1").arg(file);
    }
    return damaged(path);
}

// Parses the reader's output; false when it is not a complete report, with
// `refusal` set when the reader refused the file and said why.
bool parseReport(const QByteArray& out, const QString& path, Workbook& book, QString& refusal) {
    const QList<QByteArray> lines = out.split('\n');
    if (lines.isEmpty() || lines.front() != "SIJILL-XLS 2")
        return false;
    Sheet* current = nullptr;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& raw = lines[i];
        if (raw == "END")
            return true;
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(QLatin1String("FAULT\t"))) {
            refusal = faultMessage(QStringView(line).split(QLatin1Char('\t')), path);
            return false;
        }
        if (line.startsWith(QLatin1String("SHEET\t"))) {
            book.sheets.emplace_back(unescape(QStringView(line).mid(6)));
            current = &book.sheets.back();
        } else if (line.startsWith(QLatin1String("C\t")) && current) {
            const QList<QStringView> f = QStringView(line).split(QLatin1Char('\t'));
            if (f.size() < 5)
                return false;
            bool okRow = false, okCol = false;
            const int row = f[1].toInt(&okRow);
            const int column = f[2].toInt(&okCol);
            if (!okRow || !okCol)
                return false;
            CellValue v;
            if (f[3] == QLatin1String("I")) {
                v.type = CellValue::Type::Integer;
                v.integer = f[4].toLongLong();
            } else if (f[3] == QLatin1String("D")) {
                v.type = CellValue::Type::Double;
                v.number = f[4].toDouble();
            } else {
                // Texts, and booleans and errors as the text Excel shows.
                v.type =
                    f[3] == QLatin1String("E") ? CellValue::Type::Error : CellValue::Type::Text;
                v.text = unescape(f[4]);
            }
            current->setValue(row + 1, column + 1, v);
        } else if (!line.startsWith(QLatin1String("MISSING\t"))) {
            return false;
        }
    }
    return false; // no END: the reader stopped half-way
}

bool startsWithAny(const QByteArray& head, std::initializer_list<const char*> marks) {
    for (const char* m : marks)
        if (head.startsWith(m))
            return true;
    return false;
}

} // namespace

QString readerProgram() {
    if (!programOverride().isEmpty())
        return programOverride();
    const QString env = qEnvironmentVariable("SIJILL_XLS_READER");
    if (!env.isEmpty())
        return env;
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("sijill-xls-reader"));
}

void setReaderProgram(const QString& path) {
    programOverride() = path;
}

void setReaderTimeLimitMs(int ms) {
    timeLimit() = ms > 0 ? ms : kDefaultTimeLimitMs;
}

FileKind sniffFile(const QString& path) {
    QFile f(path);
    if (!QFileInfo(path).isFile())
        return FileKind::Missing;
    if (!f.open(QIODevice::ReadOnly))
        return FileKind::Missing;
    const QByteArray first = f.read(1024);
    if (first.isEmpty())
        return FileKind::Empty;
    if (first.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return FileKind::Xls;
    // Excel 2.x to 4.0 wrote their records bare, starting with a BOF record.
    if (first.size() >= 4) {
        const int type = uchar(first[0]) | uchar(first[1]) << 8;
        const int size = uchar(first[2]) | uchar(first[3]) << 8;
        if ((type == 0x0009 || type == 0x0209 || type == 0x0409 || type == 0x0809) && size >= 4 &&
            size <= 20)
            return FileKind::OldXls;
    }
    if (startsWithAny(first, {"PK\x03\x04", "PK\x05\x06", "PK\x07\x08"}))
        return FileKind::Xlsx;
    // Text files: look past a byte-order mark and white space, in either
    // byte width, ignoring letter case.
    QString text;
    if (first.startsWith("\xFF\xFE") || first.startsWith("\xFE\xFF")) {
        const bool le = first.startsWith("\xFF\xFE");
        for (qsizetype i = 2; i + 1 < first.size(); i += 2)
            text += QChar(le ? (uchar(first[i]) | uchar(first[i + 1]) << 8)
                             : (uchar(first[i]) << 8 | uchar(first[i + 1])));
    } else {
        text = QString::fromUtf8(first.startsWith("\xEF\xBB\xBF") ? first.mid(3) : first);
    }
    const QString head = text.trimmed().toLower();
    if (head.contains(QLatin1String("<html")) || head.startsWith(QLatin1String("<!doctype html")) ||
        head.startsWith(QLatin1String("<table")) || head.startsWith(QLatin1String("<head")) ||
        head.startsWith(QLatin1String("<body")) || head.startsWith(QLatin1String("<meta")))
        return FileKind::Html;
    if (head.startsWith(QLatin1String("<?xml")) || head.startsWith(QLatin1String("<workbook")))
        return FileKind::Xml;
    return FileKind::Unknown;
}

QString fileKindMessage(FileKind kind, const QString& path) {
    const QString name = platform::shownPath(QFileInfo(path).fileName());
    const QString& resave = kResave;
    switch (kind) {
    case FileKind::Missing:
        return QStringLiteral("الملف غير موجود أو لا يمكن فتحه:\n%1").arg(name);
    case FileKind::Empty:
        return QStringLiteral("الملف فارغ لا يحوي أي بيانات:\n%1").arg(name);
    case FileKind::Xlsx:
        return QStringLiteral("الملف %1 مصنف بصيغة xlsx (%2 وما بعده) وليس بصيغة xls.\n")
                   .arg(name, platform::isolate(QStringLiteral("Excel 2007"))) +
               resave;
    case FileKind::Html:
        return QStringLiteral("الملف %1 صفحة ويب (HTML) محفوظة باسم xls وليس مصنف Excel.\n")
                   .arg(name) +
               resave;
    case FileKind::Xml:
        return QStringLiteral("الملف %1 ملف XML محفوظ باسم xls وليس مصنف Excel بصيغة xls.\n")
                   .arg(name) +
               resave;
    case FileKind::OldXls:
        return olderFormat(name);
    case FileKind::Unknown:
        return QStringLiteral("الملف %1 ليس مصنف Excel بصيغة xls.").arg(name);
    case FileKind::Xls:
        break;
    }
    return damaged(path);
}

QString quotedSheetName(const QString& name) {
    return platform::isolate(QLatin1Char('"') + name + QLatin1Char('"'));
}

WorkbookRead readWorkbook(const QString& path, const QStringList& sheets) {
    WorkbookRead result;
    const FileKind kind = sniffFile(path);
    if (kind != FileKind::Xls) {
        result.error = fileKindMessage(kind, path) + QLatin1Char('\n') + kNothingChanged;
        return result;
    }
    QProcess reader;
    reader.setProcessChannelMode(QProcess::SeparateChannels);
    reader.setStandardInputFile(QProcess::nullDevice());
    reader.setStandardErrorFile(QProcess::nullDevice());
    reader.start(readerProgram(), QStringList{path} + sheets);
    if (!reader.waitForStarted(10000)) {
        result.error = readerFailed();
        return result;
    }
    // The windows keep answering while the reader runs; one that loops on a
    // damaged file is stopped at the limit.
    if (!waitForChild(reader, timeLimit())) {
        result.error = damaged(path) + QLatin1Char('\n') + kNothingChanged;
        return result;
    }
    const QByteArray out = reader.readAllStandardOutput();
    if (out.startsWith("SIJILL-XLS 2\nFAULT\tBOX\t")) {
        // The reader would not read without its box: the file is not at fault.
        result.error = readerFailed();
        return result;
    }
    QString refusal;
    const bool complete = parseReport(out, path, result.book, refusal);
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0 || !complete) {
        result.book = {};
        result.error =
            (refusal.isEmpty() ? damaged(path) : refusal) + QLatin1Char('\n') + kNothingChanged;
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace sijill::students
