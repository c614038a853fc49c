#pragma once

#include "data/Database.h"
#include "data/RecordSet.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace sijill::data {

class Connection;

// One statement compiled once and run many times with new values (an import's
// INSERT), so a long run pays for the SQL text only once.
class PreparedStatement {
public:
    PreparedStatement(PreparedStatement&& other) noexcept;
    PreparedStatement& operator=(PreparedStatement&&) = delete;
    ~PreparedStatement();
    // Binds the values, runs the statement to its end and readies it for the
    // next run; returns the number of rows it changed.
    int run(const QVariantList& params);

private:
    friend class Connection;
    PreparedStatement(Connection& c, sqlite3_stmt* st) : c_(&c), st_(st) {}
    Connection* c_;
    sqlite3_stmt* st_;
};

// One connection to a database file of the program folder, opened for one
// action. The file must exist and be a readable database: it is never created.
// Every statement takes its values as bound parameters.
class Connection : public RowWriter {
public:
    explicit Connection(Database db);
    // Opens a file by path (tests, and files outside the program folder).
    explicit Connection(const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& path() const { return path_; }

    // Runs one statement; returns the number of rows it changed.
    int execute(const QString& sql, const QVariantList& params = {}) override;

    // Loads every row of a query into a client-side record set. A record set
    // from `openTable` can write its changes back; one from `query` cannot.
    RecordSet query(const QString& sql, const QVariantList& params = {}) override;

    // Rows of `table` (which must have an `id` row identity) meeting `where`
    // (SQL text with ? placeholders, may be empty), in the order `orderBy`.
    RecordSet openTable(const QString& table, const QString& where = {},
                        const QVariantList& params = {}, const QString& orderBy = {});

    // A statement to run many times; it must not outlive the connection.
    PreparedStatement prepareOnce(const QString& sql);

    // A single value: the first column of the first row, or a null QVariant.
    QVariant scalar(const QString& sql, const QVariantList& params = {});

    // Attaches a second database of the program folder under `alias`, so one
    // transaction can change both files. Errors name the attached file.
    void attach(Database db, const QString& alias);

    void begin();
    void commit();
    void rollback();

    qint64 lastInsertId() const override;

private:
    friend class RecordSet;
    friend class Transaction;
    friend class PreparedStatement;
    void open(const QString& path);
    sqlite3_stmt* compile(const QString& sql);
    sqlite3_stmt* prepare(const QString& sql, const QVariantList& params);
    // Throws for the engine's last error. A busy or damaged file is told as
    // such, naming the file at fault among the main and attached ones; `st`
    // (the failed statement, if any) is reset first so it holds no lock.
    [[noreturn]] void fail(sqlite3_stmt* st = nullptr);

    QString path_;
    sqlite3* db_ = nullptr;
    std::vector<QString> attached_; // paths of the attached files
};

// Rolls back unless committed: an action that fails half-way changes nothing.
class Transaction {
public:
    explicit Transaction(Connection& c) : c_(c) { c_.begin(); }
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& c_;
    bool done_ = false;
};

} // namespace sijill::data
