#include "data/SqliteEngine.h"

#include "data/DataError.h"
#include "data/SqliteFolding.h"
#include "data/StatementShape.h"
#include "data/StoreErrors.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

namespace {

// Prepared statements kept by shape; a connection keeps at most this many.
constexpr int kPreparedLimit = 64;

// How long a statement waits for another process's write lock before giving up.
constexpr int kBusyTimeoutMs = 10000;

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) return *static_cast<sqlite3* const*>(v.constData());
    return nullptr;
}

} // namespace

SqliteEngine::SqliteEngine(const QString& file) : StoreEngine(QStringLiteral("QSQLITE"), file), m_file(file)
{
    QSqlDatabase d = db();
    d.setDatabaseName(file);
    d.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!d.open()) fail(d.lastError());
    m_handle = handleOf(d);
    if (!m_handle) throw DataError(QStringLiteral("O driver do banco de dados local não está disponível."));
    registerFolding(m_handle);
    QSqlQuery fk(d);
    fk.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
}

SqliteEngine::~SqliteEngine()
{
    finalizeAll();
}

void SqliteEngine::fail(const QSqlError& error)
{
    throw DataError(storeErrors::describe(m_file, error));
}

void SqliteEngine::loadNames()
{
    m_dialect = AccessDialect();
    m_dialect.setFoldingComparisons(true);
    QSqlQuery tables(db());
    if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table','view')")))
        fail(tables.lastError());
    QStringList names;
    while (tables.next()) names << tables.value(0).toString();
    for (const QString& table : names) {
        if (table.startsWith(QLatin1String("sqlite_"))) continue;
        m_dialect.addName(table);
        QSqlQuery cols(db());
        if (!cols.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table))) fail(cols.lastError());
        while (cols.next()) m_dialect.addName(cols.value(1).toString());
    }
}

void SqliteEngine::runScript(const QString& script)
{
    for (const QString& statement : splitScript(script)) {
        QSqlQuery q(db());
        if (!q.exec(statement)) throw DataError(q.lastError().text());
    }
}

Recordset SqliteEngine::query(const QString& sql, int maxRows)
{
    requireOpen();
    return runQuery(m_dialect.translate(sql), maxRows);
}

int SqliteEngine::executeCounted(const QString& sql)
{
    refuseNulCharacter(sql);  // the literals below are bound, not read by the adapter
    if (isChangeStatement(sql))
        if (const std::optional<StatementShape> shape = shapeOf(sql, ShapeNumbers::AfterEquals)) {
            runShaped(*shape);
            return sqlite3_changes(m_handle);
        }
    requireOpen();
    QSqlQuery q(db());
    if (!q.exec(m_dialect.translate(sql))) fail(q.lastError());
    return q.numRowsAffected();
}

qint64 SqliteEngine::lastInsertId()
{
    return qint64(sqlite3_last_insert_rowid(m_handle));
}

qint64 SqliteEngine::insertedKey(const QString& highestKeyQuery)
{
    const Recordset highest = query(highestKeyQuery, 1);
    return highest.isEmpty() ? 0 : highest.row(0).values().value(0).toLongLong();
}

QString SqliteEngine::stampSql(const QDateTime& local, int secondsBack) const
{
    return QLatin1Char('\'') + local.toUTC().addSecs(-secondsBack).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QLatin1Char('\'');
}

void SqliteEngine::beginOuter()
{
    requireOpen();
    run(QStringLiteral("BEGIN IMMEDIATE"));
}

void SqliteEngine::commitOuter()
{
    QSqlQuery q(db());
    const bool done = q.exec(QStringLiteral("COMMIT"));
    m_depth = 0;
    if (!done) fail(q.lastError());
}

void SqliteEngine::rollbackOuter()
{
    QSqlQuery q(db());
    q.exec(QStringLiteral("ROLLBACK"));
    m_depth = 0;
}

void SqliteEngine::finalizeAll()
{
    for (sqlite3_stmt* statement : std::as_const(m_prepared)) sqlite3_finalize(statement);
    m_prepared.clear();
}

sqlite3_stmt* SqliteEngine::statementFor(const QString& shapeText)
{
    if (sqlite3_stmt* statement = m_prepared.value(shapeText)) return statement;
    if (m_prepared.size() >= kPreparedLimit) finalizeAll();
    const QString sql = m_dialect.translate(shapeText);
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare16_v2(m_handle, sql.utf16(), int(sql.size() * sizeof(char16_t)), &statement, nullptr);
    if (rc != SQLITE_OK) {
        const QString error = QString::fromUtf8(sqlite3_errmsg(m_handle));
        sqlite3_finalize(statement);
        throw DataError(storeErrors::describe(m_file, rc, error));
    }
    m_prepared.insert(shapeText, statement);
    return statement;
}

// Runs a change statement through the prepared statement of its shape, its literals
// bound as what they were written: text for a quoted literal, a number for a bare one.
void SqliteEngine::runShaped(const StatementShape& shape)
{
    sqlite3_stmt* statement = statementFor(shape.text);
    QList<QString> undoubled;  // literals with doubled quotes, kept until the step
    for (int i = 0; i < shape.literals.size(); ++i) {
        QStringView value = shape.literals.at(i);
        if (shape.bareNumbers.contains(i)) {
            bool whole = false;
            const qint64 number = value.toLongLong(&whole);
            if (whole) sqlite3_bind_int64(statement, i + 1, number);
            else sqlite3_bind_double(statement, i + 1, value.toDouble());
            continue;
        }
        if (shape.doubledQuotes.contains(i)) {
            undoubled << shape.value(i);
            value = undoubled.last();
        }
        sqlite3_bind_text16(statement, i + 1, value.utf16(), int(value.size() * sizeof(char16_t)), SQLITE_STATIC);
    }
    int rc = sqlite3_step(statement);
    while (rc == SQLITE_ROW) rc = sqlite3_step(statement);
    const QString error = rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(m_handle));
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (rc != SQLITE_DONE) throw DataError(storeErrors::describe(m_file, rc, error));
}
