#pragma once

#include "data/Recordset.h"

#include <QDateTime>
#include <QString>
#include <memory>

class StoreEngine;

// An open connection to one store: a SQLite file or a schema on a PostgreSQL server
// (each engine in a file of its own: SqliteEngine, ServerEngine). Queries return static
// snapshots, so a recordset stays readable after the connection that produced it is
// replaced. Every statement passes through the Access dialect adapter first.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(Connection&&) noexcept;
    Connection& operator=(Connection&&) noexcept;

    // Opens an existing store file; a missing file or one that is not a database throws
    // DataError (SQLite would otherwise create an empty file in its place).
    static Connection open(const QString& file);
    // Creates a new store file and runs the given script in it.
    static Connection create(const QString& file, const QString& script);

    // Opens the store kept in `schema` of the PostgreSQL database named by a connection
    // URI (postgresql://user@host:port/database?options). A password left out of the URI
    // comes from the PostgreSQL password or service file, as for every libpq program.
    // When the server goes away, the statement in progress throws DataError saying so
    // and the next statement connects again.
    static Connection openServer(const QString& uri, const QString& schema);

    bool isOpen() const;
    bool isServer() const;
    // The store file, or the server's URI (without its password) for a server store.
    QString fileName() const;

    // The rows of a query; with `maxRows`, only the first ones (where only the first row
    // is read, the others need not be copied). Throws DataError.
    Recordset query(const QString& sql, int maxRows = -1);
    // A query whose rows the open transaction means to change: on a server store they
    // stay locked against other workstations until it ends (a second workstation waits,
    // then finds only what the first left). A SQLite store serves one workstation, and
    // the transaction's own writes lock the file.
    Recordset queryForUpdate(const QString& sql);
    // Locks the rows of a query for the open transaction, reading nothing: on a server
    // store as queryForUpdate does; a SQLite store's write transaction holds the whole
    // file from its start, so there it costs nothing.
    void lockRows(const QString& sql);
    void execute(const QString& sql);     // throws DataError
    // The same, answering how many rows the statement changed.
    int executeCounted(const QString& sql);
    qint64 lastInsertId() const;
    // The key of the row this connection's transaction just inserted. On a SQLite file,
    // where the transaction keeps every other writer out, `highestKeyQuery` (the highest
    // key) answers it; on a server, where another station may commit a higher key at any
    // moment, the session's own new key does.
    qint64 insertedKey(const QString& highestKeyQuery);

    // The store's clock as an SQL expression of a claim stamp ('yyyy-MM-ddTHH:mm:ss', UTC),
    // `secondsBack` seconds ago. A server answers with its own clock, so workstations whose
    // clocks are out of step still agree on how old a claim is; a store file has no clock
    // of its own and takes `local`, the workstation's, as a quoted literal.
    QString stampSql(const QDateTime& local, int secondsBack = 0) const;

    // Transactions nest: an inner one is a savepoint of the outer. On a SQLite file the
    // outer one takes the file's write lock as it begins (waiting for another writer up to
    // ten seconds), so what it reads stays as read until it ends.
    void beginTransaction();
    void commit();
    void rollback();

private:
    StoreEngine& engine() const;
    std::unique_ptr<StoreEngine> d;
};

// Keeps a transaction open for one scope: commits on commit(), rolls back otherwise.
class Transaction {
public:
    explicit Transaction(Connection& c) : m_c(c) { m_c.beginTransaction(); }
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Connection& m_c;
    bool m_done = false;
};
