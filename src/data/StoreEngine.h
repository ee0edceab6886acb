#pragma once

#include "data/AccessDialect.h"
#include "data/Recordset.h"

#include <QDateTime>
#include <QSet>
#include <QSqlDatabase>
#include <QString>

#include <memory>
#include <unordered_map>

class QSqlError;
class QSqlQuery;

// What runs a Connection's statements on one kind of store: SQLite files
// (SqliteEngine) or a PostgreSQL server (ServerEngine). Connection's members have the
// same meaning here; each engine keeps its own prepared or translated statements.
class StoreEngine {
public:
    virtual ~StoreEngine();
    StoreEngine(const StoreEngine&) = delete;
    StoreEngine& operator=(const StoreEngine&) = delete;

    bool isOpen() const { return db().isOpen(); }
    // The store file, or the server's URI without its password.
    const QString& shownName() const { return m_shown; }
    virtual bool isServer() const = 0;

    virtual Recordset query(const QString& sql, int maxRows) = 0;
    virtual Recordset queryForUpdate(const QString& sql) = 0;
    // A change whose count nobody asks for: it may reach the store later in the same
    // transaction, before anything else does (ServerEngine).
    virtual void execute(const QString& sql) { executeCounted(sql); }
    virtual int executeCounted(const QString& sql) = 0;
    virtual qint64 lastInsertId() = 0;
    virtual qint64 insertedKey(const QString& highestKeyQuery) = 0;
    virtual QString stampSql(const QDateTime& local, int secondsBack) const = 0;

    void beginTransaction();
    void commit();
    void rollback();

    // Reads the store's table and column names into the dialect adapter.
    virtual void loadNames() = 0;

protected:
    // Registers a Qt connection of `driver` under a name of its own.
    StoreEngine(const QString& driver, const QString& shown);
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    // Throws DataError for a failure of this store.
    [[noreturn]] virtual void fail(const QSqlError& error) = 0;
    // Runs a statement as written, throwing DataError when it fails.
    void run(const QString& sql);
    // The rows of an executed query (the first maxRows, or all).
    static Recordset rowsOf(QSqlQuery& q, int maxRows);
    // Runs a query as the store reads it (`text`). One seen before is kept prepared by
    // its text: a print click repeats the same lookups, and preparing (on a server,
    // planning) them is much of their time; one seen once runs as it is, since keeping
    // it prepared would cost more than it saves.
    Recordset runQuery(const QString& text, int maxRows);
    // Forgets the prepared queries (a connection opened again has none).
    void dropPrepared();

    // Throws DataError when the connection is not open.
    void requireOpen() const;

    // The outermost transaction; inner ones are savepoints of it.
    virtual void beginOuter() = 0;
    virtual void commitOuter() = 0;
    virtual void rollbackOuter() = 0;
    // Changes held back by execute() (none on SQLite): sent before any other statement,
    // dropped by a rollback.
    virtual void sendHeld() {}
    virtual void dropHeld() {}

    AccessDialect m_dialect;
    int m_depth = 0;  // open transactions

private:
    QString m_name;
    QString m_shown;
    QSet<QString> m_seenQueries;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_preparedQueries;
};
