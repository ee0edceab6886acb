#pragma once

#include "data/ServerCopy.h"
#include "data/StatementShape.h"
#include "data/StoreEngine.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>

#include <memory>
#include <unordered_map>

// A store kept in one schema of a PostgreSQL database, through Qt's QPSQL driver.
// Statements of one shape (their quoted literals and the numbers compared after an = taken
// out) are translated once; a shape met again is prepared on the server and its literals
// bound as values, so the server plans it once (a line's claim and mark, a line read by
// its key). A shape the server cannot prepare runs with its literals put back as written.
// Inside a transaction, consecutive single-row INSERTs of one shape whose values are all
// literals (an order's lines) are held and sent together as one COPY on the driver's
// libpq connection, before any other statement, query, savepoint or commit; a rollback
// drops them. A full batch is sent at once and stored by the server while the next one
// is gathered. A failure in them fails the statement that sent (or next waits for) them,
// and the transaction with it.
class ServerEngine : public StoreEngine {
public:
    // Connects to the database of a postgresql:// URI and works in `schema`; throws DataError.
    ServerEngine(const QString& uri, const QString& schema);

    bool isServer() const override { return true; }
    Recordset query(const QString& sql, int maxRows) override;
    Recordset queryForUpdate(const QString& sql) override;
    void execute(const QString& sql) override;
    int executeCounted(const QString& sql) override;
    // The identity value this session generated last (0 when there is none).
    qint64 lastInsertId() override;
    // The same, required: the key of the row this session inserted last.
    qint64 insertedKey(const QString& highestKeyQuery) override;
    // The server's own clock, whatever the workstation's says.
    QString stampSql(const QDateTime& local, int secondsBack) const override;
    void loadNames() override;

private:
    [[noreturn]] void fail(const QSqlError& error) override;
    void beginOuter() override;
    void commitOuter() override;
    void rollbackOuter() override;
    void sendHeld() override;
    void dropHeld() override;

    void reconnectIfLost();
    void useSchema();

    // A shape's translation, cut where its literals go back.
    struct Translated {
        ShapeTemplate statement;
        QString copy;  // for an INSERT of one row of literals: the COPY storing such rows
    };
    const Translated& translatedShape(const QString& shapeText);
    // The statement as the server runs it.
    QString translated(const QString& sql);
    // The statement prepared for the shape of `sql` (read for its first `maxRows` rows,
    // all when negative) with its literals bound, when its shape came before and the
    // server could prepare it; otherwise none.
    QSqlQuery* boundShape(const QString& sql, int maxRows);
    std::unique_ptr<QSqlQuery> prepareShape(const QString& withMarkers);
    void dropBoundShapes();
    // Runs a statement now (after what is held) and answers the rows it changed.
    int runNow(const QString& statement);
    // Sends the rows held by COPY, or waits for the answer of the COPY sent last.
    void startCopy();
    void finishCopy();
    void clearHeld();

    QString m_schema;
    bool m_lost = false;  // the link broke since the last statement
    QHash<QString, Translated> m_translated;  // shape text -> its translation
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_boundShapes;  // shape text -> prepared
    QSet<QString> m_seenShapes;  // shapes met once
    QSet<QString> m_asWritten;   // shapes the server could not prepare
    // Rows held back: their shape, the COPY that sends them and the rows in its text
    // form; the first row's INSERT as the server runs it, for a row held alone.
    QString m_heldShape;
    QString m_heldCopy;
    QString m_held;
    QString m_heldFirst;
    ServerCopy m_copy;  // a full batch of held rows on its way
    int m_heldRows = 0;
};
