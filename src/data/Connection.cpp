#include "data/Connection.h"

#include "data/DataError.h"
#include "data/SchemaVersion.h"
#include "data/SqlName.h"
#include "platform/BidiText.h"

#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <sqlite3.h>

namespace sijill::data {

namespace {

const QString kOpenFailed = QStringLiteral("تعذر فتح قاعدة البيانات: %1");
const QString kMissing = QStringLiteral("ملف قاعدة البيانات غير موجود: %1");
const QString kDamaged = QStringLiteral("ملف قاعدة البيانات تالف أو غير صالح: %1");
const QString kBusy = QStringLiteral("قاعدة البيانات %1 يستخدمها برنامج آخر الآن.\n"
                                     "أغلق ذلك البرنامج ثم حاول مرة أخرى.");
const QString kStatementFailed = QStringLiteral("تعذر تنفيذ العملية على قاعدة البيانات: %1");
const QString kEmpty = QStringLiteral("ملف قاعدة البيانات فارغ أو تالف: %1");
const QString kFull = QStringLiteral("لا توجد مساحة فارغة على القرص لحفظ التغييرات في قاعدة "
                                     "البيانات: %1\nأفرغ مساحة على القرص ثم حاول مرة أخرى.");
const QString kReadOnly = QStringLiteral("ملف قاعدة البيانات للقراءة فقط، فلا يمكن حفظ التغييرات "
                                         "فيه: %1\nاطلب من مسؤول الجهاز صلاحية الكتابة في "
                                         "الملف ثم حاول مرة أخرى.");
const QString kReadOnlyFolder =
    QStringLiteral("لا يمكن حفظ التغييرات في قاعدة البيانات %1 لأن حسابك لا يملك صلاحية "
                   "الكتابة في مجلدها.\nاطلب من مسؤول الجهاز صلاحية الكتابة في المجلد "
                   "ثم حاول مرة أخرى.");
const QString kNewer = QStringLiteral("ملف قاعدة البيانات %1 أنشأه إصدار أحدث من البرنامج، فلا "
                                      "يستعمله هذا الإصدار ولا يغير فيه شيئاً.\nافتح بيانات "
                                      "المدرسة بالإصدار الأحدث من البرنامج.");
const QString kCannotOpen = QStringLiteral("تعذر فتح ملف قاعدة البيانات: %1\nتأكد من أن "
                                           "حسابك يملك صلاحية قراءته والكتابة فيه وفي مجلده "
                                           "ثم حاول مرة أخرى.");

// How long a statement waits for another program's lock before it is told
// as busy.
constexpr int kBusyTimeoutMs = 2000;

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

// The refusal of a file of the program's databases that declares a schema
// version newer than this program's (schema "main" or an attached alias).
std::optional<DataError> newerThanProgram(sqlite3* db, const QString& schema, const QString& path) {
    const QString name = fileNameOf(path);
    const std::optional<Database> known = databaseNamed(name);
    if (!known)
        return std::nullopt;
    int version = 0;
    const QByteArray sql =
        (QStringLiteral("PRAGMA ") + quoteName(schema) + QStringLiteral(".user_version")).toUtf8();
    sqlite3_exec(
        db, sql.constData(),
        [](void* out, int, char** values, char**) {
            *static_cast<int*>(out) = values[0] ? std::atoi(values[0]) : 0;
            return 0;
        },
        &version, nullptr);
    if (version <= schemaVersion(*known))
        return std::nullopt;
    return DataError(kNewer.arg(platform::shownPath(name)),
                     QStringLiteral("schema version %1").arg(version), DataError::Kind::Newer,
                     name);
}

bool isBusy(int rc) {
    rc &= 0xff;
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

bool isDamaged(int rc) {
    rc &= 0xff;
    return rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB;
}

// The error for an engine result on one file: busy, damaged, a full disk, a
// file that may not be written and one that cannot be opened are told as
// such, anything else with `otherwise`. Every message names the file.
DataError errorFor(int rc, const QString& path, const QString& detail, const QString& otherwise) {
    const QString name = fileNameOf(path);
    const QString shown = platform::shownPath(name);
    const auto told = [&](const QString& text, DataError::Kind kind) {
        return DataError(text.arg(shown), detail, kind, name);
    };
    if (isBusy(rc))
        return told(kBusy, DataError::Kind::Busy);
    if (isDamaged(rc))
        return told(kDamaged, DataError::Kind::Damaged);
    if (rc == SQLITE_READONLY_DIRECTORY)
        return told(kReadOnlyFolder, DataError::Kind::ReadOnly);
    switch (rc & 0xff) {
    case SQLITE_FULL:
        return told(kFull, DataError::Kind::Full);
    case SQLITE_READONLY:
        return told(kReadOnly, DataError::Kind::ReadOnly);
    case SQLITE_CANTOPEN:
        return told(kCannotOpen, DataError::Kind::CannotOpen);
    default:
        return told(otherwise, DataError::Kind::Other);
    }
}

// The file must be there, and hold something: the engine takes an empty file
// for an empty database, which none of the program's is.
void checkFileThere(const QString& path, const QString& name) {
    const QFileInfo file(path);
    if (!file.isFile())
        throw DataError(kMissing.arg(platform::shownPath(name)), path, DataError::Kind::Missing,
                        name);
    if (file.size() == 0)
        throw DataError(kEmpty.arg(platform::shownPath(name)), path, DataError::Kind::Damaged,
                        name);
}

// A separate handle on one file, without waiting, to learn whether another
// program holds it locked (any lock stops an exclusive one) or whether the
// file is damaged.
bool heldByAnother(const QString& path) {
    sqlite3* db = nullptr;
    bool held = false;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
        SQLITE_OK) {
        const int rc = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        held = isBusy(rc);
        if (rc == SQLITE_OK)
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_close_v2(db);
    return held;
}

bool damagedFile(const QString& path) {
    sqlite3* db = nullptr;
    bool bad = false;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        QByteArray answer;
        const int rc = sqlite3_exec(
            db, "PRAGMA quick_check(1)",
            [](void* out, int, char** values, char**) {
                *static_cast<QByteArray*>(out) = values[0] ? values[0] : "";
                return 0;
            },
            &answer, nullptr);
        bad = isDamaged(rc) || (rc == SQLITE_OK && answer != "ok");
    }
    sqlite3_close_v2(db);
    return bad;
}

void bindValue(sqlite3_stmt* st, int index, const QVariant& v) {
    if (v.isNull() || !v.isValid()) {
        sqlite3_bind_null(st, index);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Bool:
        sqlite3_bind_int64(st, index, v.toLongLong());
        return;
    case QMetaType::Double:
        sqlite3_bind_double(st, index, v.toDouble());
        return;
    default: {
        const QByteArray utf8 = v.toString().toUtf8();
        sqlite3_bind_text(st, index, utf8.constData(), static_cast<int>(utf8.size()),
                          SQLITE_TRANSIENT);
        return;
    }
    }
}

// Binds the values in order; binds none and is false where the statement
// takes another number of them.
bool bindAll(sqlite3_stmt* st, const QVariantList& params) {
    if (sqlite3_bind_parameter_count(st) != params.size())
        return false;
    for (int i = 0; i < params.size(); ++i)
        bindValue(st, i + 1, params[i]);
    return true;
}

DataError countMismatch(const QString& path, const QString& sql) {
    return DataError(kStatementFailed.arg(platform::shownPath(fileNameOf(path))),
                     QStringLiteral("parameter count mismatch: ") + sql);
}

QVariant columnValue(sqlite3_stmt* st, int col) {
    switch (sqlite3_column_type(st, col)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(static_cast<qint64>(sqlite3_column_int64(st, col)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, col));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, col)),
                                 sqlite3_column_bytes(st, col));
    }
}

struct Statement {
    sqlite3_stmt* st;
    ~Statement() { sqlite3_finalize(st); }
};

} // namespace

Connection::Connection(Database db) {
    open(databasePath(db));
}

Connection::Connection(const QString& path) {
    open(path);
}

Connection::~Connection() {
    if (db_)
        sqlite3_close_v2(db_);
}

void Connection::open(const QString& path) {
    path_ = path;
    checkFileThere(path, fileNameOf(path));
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw errorFor(rc, path, detail, kOpenFailed);
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // A file that is not a database only shows itself on the first read.
    char* err = nullptr;
    const int probe =
        sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &err);
    if (probe != SQLITE_OK) {
        const QString detail = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw errorFor(probe, path, detail, kOpenFailed);
    }
    if (auto newer = newerThanProgram(db_, QStringLiteral("main"), path)) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw *newer;
    }
}

void Connection::fail(sqlite3_stmt* st) {
    int rc = sqlite3_extended_errcode(db_);
    // A write the disk had no room for may come back as an I/O error.
    if ((rc & 0xff) == SQLITE_IOERR && sqlite3_system_errno(db_) == ENOSPC)
        rc = SQLITE_FULL;
    const QString detail = QString::fromUtf8(sqlite3_errmsg(db_));
    if (st)
        sqlite3_reset(st);
    QString culprit = path_;
    if ((isBusy(rc) || isDamaged(rc)) && !attached_.empty()) {
        // Which of the files is at fault is learnt from outside, once this
        // connection has let go of its own locks.
        if (sqlite3_get_autocommit(db_) == 0)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        std::vector<QString> files{path_};
        files.insert(files.end(), attached_.begin(), attached_.end());
        for (const QString& f : files)
            if (isBusy(rc) ? heldByAnother(f) : damagedFile(f)) {
                culprit = f;
                break;
            }
    }
    throw errorFor(rc, culprit, detail, kStatementFailed);
}

sqlite3_stmt* Connection::compile(const QString& sql) {
    sqlite3_stmt* st = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &st, nullptr) !=
        SQLITE_OK)
        fail();
    return st;
}

sqlite3_stmt* Connection::prepare(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* st = compile(sql);
    if (!bindAll(st, params)) {
        sqlite3_finalize(st);
        throw countMismatch(path_, sql);
    }
    return st;
}

int Connection::execute(const QString& sql, const QVariantList& params) {
    Statement s{prepare(sql, params)};
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail(s.st);
    return sqlite3_changes(db_);
}

PreparedStatement Connection::prepareOnce(const QString& sql) {
    return PreparedStatement(*this, compile(sql));
}

PreparedStatement::PreparedStatement(PreparedStatement&& other) noexcept
    : c_(other.c_), st_(other.st_) {
    other.st_ = nullptr;
}

PreparedStatement::~PreparedStatement() {
    sqlite3_finalize(st_);
}

int PreparedStatement::run(const QVariantList& params) {
    if (!bindAll(st_, params))
        throw countMismatch(c_->path_, QString::fromUtf8(sqlite3_sql(st_)));
    int rc;
    while ((rc = sqlite3_step(st_)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        c_->fail(st_);
    sqlite3_reset(st_);
    return sqlite3_changes(c_->db_);
}

RecordSet Connection::query(const QString& sql, const QVariantList& params) {
    Statement s{prepare(sql, params)};
    RecordSet rs;
    const int cols = sqlite3_column_count(s.st);
    for (int c = 0; c < cols; ++c)
        rs.fields_ << QString::fromUtf8(sqlite3_column_name(s.st, c));
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
        std::vector<QVariant> row;
        row.reserve(cols);
        for (int c = 0; c < cols; ++c)
            row.push_back(columnValue(s.st, c));
        rs.rows_.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        fail(s.st);
    return rs;
}

RecordSet Connection::openTable(const QString& table, const QString& where,
                                const QVariantList& params, const QString& orderBy) {
    QString sql = QStringLiteral("SELECT * FROM ") + quoteName(table);
    if (!where.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (!orderBy.trimmed().isEmpty())
        sql += QStringLiteral(" ORDER BY ") + orderBy;
    RecordSet rs = query(sql, params);
    rs.conn_ = this;
    rs.table_ = table;
    rs.idColumn_ = rs.fieldIndex(QStringLiteral("id"));
    if (rs.idColumn_ < 0)
        throw DataError(kStatementFailed.arg(platform::shownPath(fileNameOf(path_))),
                        QStringLiteral("table has no id column: ") + table);
    return rs;
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params) {
    Statement s{prepare(sql, params)};
    const int rc = sqlite3_step(s.st);
    if (rc == SQLITE_ROW)
        return columnValue(s.st, 0);
    if (rc != SQLITE_DONE)
        fail(s.st);
    return {};
}

void Connection::attach(Database db, const QString& alias) {
    const QString path = databasePath(db);
    checkFileThere(path, databaseFileName(db));
    // ATTACH would create a missing file; the check above rules that out.
    // Its failures, and the first read that shows a damaged file, are the
    // attached file's, not this connection's own.
    {
        Statement s{prepare(QStringLiteral("ATTACH DATABASE ? AS ") + quoteName(alias), {path})};
        if (sqlite3_step(s.st) != SQLITE_DONE)
            throw errorFor(sqlite3_extended_errcode(db_), path,
                           QString::fromUtf8(sqlite3_errmsg(db_)), kOpenFailed);
    }
    const QByteArray probe = (QStringLiteral("SELECT count(*) FROM ") + quoteName(alias) +
                              QStringLiteral(".sqlite_master"))
                                 .toUtf8();
    const auto detach = [&] {
        sqlite3_exec(db_, ("DETACH " + quoteName(alias).toUtf8()).constData(), nullptr, nullptr,
                     nullptr);
    };
    char* err = nullptr;
    const int rc = sqlite3_exec(db_, probe.constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString detail = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        detach();
        throw errorFor(rc, path, detail, kOpenFailed);
    }
    if (auto newer = newerThanProgram(db_, alias, path)) {
        detach();
        throw *newer;
    }
    attached_.push_back(path);
}

void Connection::begin() {
    execute(QStringLiteral("BEGIN"));
}
void Connection::commit() {
    execute(QStringLiteral("COMMIT"));
}
void Connection::rollback() {
    execute(QStringLiteral("ROLLBACK"));
}

qint64 Connection::lastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

Transaction::~Transaction() {
    if (!done_ && sqlite3_get_autocommit(c_.db_) == 0) {
        try {
            c_.rollback();
        } catch (...) {
            // Nothing more can be done: the file keeps its last committed state.
        }
    }
}

void Transaction::commit() {
    c_.commit();
    done_ = true;
}

} // namespace sijill::data
