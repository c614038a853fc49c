#include "data/Connection.h"

#include "data/DataError.h"
#include "data/SqlName.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace sijill::data {

namespace {

const QString kOpenFailed = QStringLiteral("تعذر فتح قاعدة البيانات: %1");
const QString kMissing = QStringLiteral("ملف قاعدة البيانات غير موجود: %1");
const QString kDamaged = QStringLiteral("ملف قاعدة البيانات تالف أو غير صالح: %1");
const QString kStatementFailed = QStringLiteral("تعذر تنفيذ العملية على قاعدة البيانات: %1");

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
    const QString name = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile())
        throw DataError(kMissing.arg(name), path);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw DataError(kOpenFailed.arg(name), detail);
    }
    sqlite3_busy_timeout(db_, 2000);
    // A file that is not a database only shows itself on the first read.
    char* err = nullptr;
    if (sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &err) !=
        SQLITE_OK) {
        const QString detail = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw DataError(kDamaged.arg(name), detail);
    }
}

void Connection::fail(const QString& userMessage) const {
    throw DataError(userMessage, QString::fromUtf8(sqlite3_errmsg(db_)));
}

sqlite3_stmt* Connection::prepare(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* st = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &st, nullptr) !=
        SQLITE_OK)
        fail(kStatementFailed.arg(QFileInfo(path_).fileName()));
    if (sqlite3_bind_parameter_count(st) != params.size()) {
        sqlite3_finalize(st);
        throw DataError(kStatementFailed.arg(QFileInfo(path_).fileName()),
                        QStringLiteral("parameter count mismatch: ") + sql);
    }
    for (int i = 0; i < params.size(); ++i)
        bindValue(st, i + 1, params[i]);
    return st;
}

int Connection::execute(const QString& sql, const QVariantList& params) {
    Statement s{prepare(sql, params)};
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail(kStatementFailed.arg(QFileInfo(path_).fileName()));
    return sqlite3_changes(db_);
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
        fail(kStatementFailed.arg(QFileInfo(path_).fileName()));
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
        throw DataError(kStatementFailed.arg(QFileInfo(path_).fileName()),
                        QStringLiteral("table has no id column: ") + table);
    return rs;
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params) {
    Statement s{prepare(sql, params)};
    const int rc = sqlite3_step(s.st);
    if (rc == SQLITE_ROW)
        return columnValue(s.st, 0);
    if (rc != SQLITE_DONE)
        fail(kStatementFailed.arg(QFileInfo(path_).fileName()));
    return {};
}

void Connection::attach(Database db, const QString& alias) {
    const QString path = databasePath(db);
    if (!QFileInfo(path).isFile())
        throw DataError(kMissing.arg(databaseFileName(db)), path);
    // ATTACH would create a missing file; the check above rules that out.
    execute(QStringLiteral("ATTACH DATABASE ? AS ") + quoteName(alias), {path});
    try {
        scalar(QStringLiteral("SELECT count(*) FROM ") + quoteName(alias) +
               QStringLiteral(".sqlite_master"));
    } catch (const DataError& e) {
        throw DataError(kDamaged.arg(databaseFileName(db)), e.detail());
    }
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
