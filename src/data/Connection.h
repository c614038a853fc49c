#pragma once

#include "data/Database.h"
#include "data/RecordSet.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace sijill::data {

// One connection to a database file of the program folder, opened for one
// action. The file must exist and be a readable database: it is never created.
// Every statement takes its values as bound parameters.
class Connection {
public:
    explicit Connection(Database db);
    // Opens a file by path (tests, and files outside the program folder).
    explicit Connection(const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& path() const { return path_; }

    // Runs one statement; returns the number of rows it changed.
    int execute(const QString& sql, const QVariantList& params = {});

    // Loads every row of a query into a client-side record set. A record set
    // from `openTable` can write its changes back; one from `query` cannot.
    RecordSet query(const QString& sql, const QVariantList& params = {});

    // Rows of `table` (which must have an `id` row identity) meeting `where`
    // (SQL text with ? placeholders, may be empty), in the order `orderBy`.
    RecordSet openTable(const QString& table, const QString& where = {},
                        const QVariantList& params = {}, const QString& orderBy = {});

    // A single value: the first column of the first row, or a null QVariant.
    QVariant scalar(const QString& sql, const QVariantList& params = {});

    // Attaches a second database of the program folder under `alias`, so one
    // transaction can change both files.
    void attach(Database db, const QString& alias);

    void begin();
    void commit();
    void rollback();

    qint64 lastInsertId() const;

private:
    friend class RecordSet;
    friend class Transaction;
    void open(const QString& path);
    sqlite3_stmt* prepare(const QString& sql, const QVariantList& params);
    [[noreturn]] void fail(const QString& userMessage) const;

    QString path_;
    sqlite3* db_ = nullptr;
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
