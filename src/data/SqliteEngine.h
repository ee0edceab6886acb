#pragma once

#include "data/StoreEngine.h"

#include <QHash>

struct sqlite3;
struct sqlite3_stmt;
struct StatementShape;

// A store file through Qt's QSQLITE driver, with change statements run on the
// sqlite3 handle under it: statements of one shape share one prepared statement, their
// literals bound as values. Transactions take the file's write lock when they begin
// (waiting for another writer up to the busy timeout), so one that reads and then
// writes never meets another process's write half way and reads what it will change.
class SqliteEngine : public StoreEngine {
public:
    // Opens (or, when allowed, creates) the file; throws DataError.
    explicit SqliteEngine(const QString& file);
    ~SqliteEngine() override;

    bool isServer() const override { return false; }
    Recordset query(const QString& sql, int maxRows) override;
    Recordset queryForUpdate(const QString& sql) override { return query(sql, -1); }
    int executeCounted(const QString& sql) override;
    qint64 lastInsertId() override;
    // The highest key, read under the import's write lock: no other writer can be in between.
    qint64 insertedKey(const QString& highestKeyQuery) override;
    // A file has no clock of its own: the workstation's, as a literal.
    QString stampSql(const QDateTime& local, int secondsBack) const override;
    void loadNames() override;

    // Runs a script's statements as written (a new store's schema).
    void runScript(const QString& script);

private:
    [[noreturn]] void fail(const QSqlError& error) override;
    void beginOuter() override;
    void commitOuter() override;
    void rollbackOuter() override;

    sqlite3_stmt* statementFor(const QString& shapeText);
    void finalizeAll();
    void runShaped(const StatementShape& shape);

    QString m_file;
    sqlite3* m_handle = nullptr;  // the open database under Qt's connection
    QHash<QString, sqlite3_stmt*> m_prepared;  // shape text -> statement from its translation
};
