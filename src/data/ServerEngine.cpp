#include "data/ServerEngine.h"

#include "data/DataError.h"
#include "data/StoreErrors.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

#include <libpq-fe.h>

namespace {

// Shapes whose translation a connection keeps.
constexpr int kTranslatedLimit = 256;

// Rows held back are sent when this many are held, or their text reaches this size.
constexpr int kHeldRowsLimit = 1000;
constexpr qsizetype kHeldTextLimit = 1 << 20;

} // namespace

ServerEngine::ServerEngine(const QString& uri, const QString& schema)
    : StoreEngine(QStringLiteral("QPSQL"), [&] {
          QUrl shown(uri);
          shown.setPassword(QString());
          return shown.toString();
      }()),
      m_schema(schema)
{
    QSqlDatabase d = db();
    if (!d.isValid())
        throw DataError(QStringLiteral("O driver do PostgreSQL (QPSQL) não está instalado neste computador."));
    const QUrl url(uri);
    if (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres"))
        throw DataError(QStringLiteral("O endereço do servidor '%1' não é um URI do PostgreSQL "
                                       "(postgresql://usuário@servidor:porta/banco).")
                            .arg(shownName()));
    d.setHostName(url.host());
    if (url.port() > 0) d.setPort(url.port());
    d.setUserName(url.userName());
    if (!url.password().isEmpty()) d.setPassword(url.password());
    d.setDatabaseName(url.path().mid(1));
    // Every other libpq keyword (host=/socket/dir, service=, sslmode=, ...) as given.
    QStringList options;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("host")) d.setHostName(value);
        else if (key == QLatin1String("port")) d.setPort(value.toInt());
        else if (key == QLatin1String("dbname")) d.setDatabaseName(value);
        else if (key == QLatin1String("user")) d.setUserName(value);
        else options << key + QLatin1Char('=') + value;
    }
    options << QStringLiteral("connect_timeout=5");
    d.setConnectOptions(options.join(QLatin1Char(';')));
    if (!d.open()) fail(d.lastError());
    useSchema();
}

void ServerEngine::fail(const QSqlError& error)
{
    bool gone = false;
    const QString text = storeErrors::describeServer(shownName(), error, &gone);
    if (gone) m_lost = true;
    throw DataError(text);
}

// A connection that broke is opened again before the next statement, unless a
// transaction was open on it: that one is lost and its owner rolls back first.
void ServerEngine::reconnectIfLost()
{
    if (m_depth > 0 || (!m_lost && db().isOpen())) return;
    QSqlDatabase d = db();
    d.close();
    m_lost = false;
    if (!d.open()) fail(d.lastError());
    useSchema();
}

void ServerEngine::useSchema()
{
    run(QStringLiteral("SET search_path TO \"%1\", public").arg(m_schema));
}

void ServerEngine::loadNames()
{
    m_dialect = AccessDialect();
    m_dialect.setFoldingComparisons(true);
    m_dialect.setServerTarget(true);
    m_translated.clear();
    QSqlQuery names(db());
    if (!names.exec(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = "
                                   "current_schema() UNION SELECT column_name FROM "
                                   "information_schema.columns WHERE table_schema = current_schema()")))
        fail(names.lastError());
    while (names.next()) m_dialect.addName(names.value(0).toString());
}

const ServerEngine::Translated& ServerEngine::translatedShape(const QString& shapeText)
{
    if (const auto known = m_translated.constFind(shapeText); known != m_translated.constEnd()) return *known;
    if (m_translated.size() >= kTranslatedLimit) m_translated.clear();
    const QString sql = m_dialect.translate(shapeText);
    Translated t;
    t.statement = templateOf(sql);
    t.copy = copyOfInsert(sql);
    return *m_translated.insert(shapeText, t);
}

QString ServerEngine::translated(const QString& sql)
{
    refuseNulCharacter(sql);
    const std::optional<StatementShape> shape = shapeOf(sql);
    if (!shape) return m_dialect.translate(sql);
    QString out;
    out.reserve(sql.size() + 64);
    translatedShape(shape->text).statement.appendWith(out, shape->literals);
    return out;
}

Recordset ServerEngine::query(const QString& sql, int maxRows)
{
    sendHeld();
    reconnectIfLost();
    requireOpen();
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(translated(sql))) fail(q.lastError());
    return rowsOf(q, maxRows);
}

Recordset ServerEngine::queryForUpdate(const QString& sql)
{
    return query(sql + QStringLiteral(" FOR UPDATE"), -1);
}

void ServerEngine::execute(const QString& sql)
{
    refuseNulCharacter(sql);
    const std::optional<StatementShape> shape = m_depth > 0 && isChangeStatement(sql) ? shapeOf(sql) : std::nullopt;
    const Translated* t = shape ? &translatedShape(shape->text) : nullptr;
    if (!t || t->copy.isEmpty()) {
        executeCounted(sql);
        return;
    }
    if (m_heldRows > 0 && m_heldShape != shape->text) sendHeld();
    if (m_heldRows == 0) {
        m_heldShape = shape->text;
        m_heldCopy = t->copy;
        t->statement.appendWith(m_heldFirst, shape->literals);
    }
    appendCopyRow(m_held, *shape);
    if (++m_heldRows >= kHeldRowsLimit || m_held.size() >= kHeldTextLimit) sendHeld();
}

int ServerEngine::executeCounted(const QString& sql)
{
    sendHeld();
    return runNow(translated(sql));
}

int ServerEngine::runNow(const QString& statement)
{
    reconnectIfLost();
    requireOpen();
    QSqlQuery q(db());
    if (!q.exec(statement)) fail(q.lastError());
    return q.numRowsAffected();
}

void ServerEngine::sendHeld()
{
    if (m_heldRows == 0) return;
    const QString statement = m_heldCopy, rows = m_held, first = m_heldFirst;
    const int count = m_heldRows;
    dropHeld();
    if (count == 1)
        runNow(first);  // one round trip, where a COPY takes two
    else
        copy(statement, rows);
}

void ServerEngine::dropHeld()
{
    m_heldRows = 0;
    m_held.clear();
    m_heldFirst.clear();
    m_heldCopy.clear();
    m_heldShape.clear();
}

void ServerEngine::copy(const QString& statement, const QString& rows)
{
    requireOpen();
    const QVariant handle = db().driver()->handle();
    PGconn* connection = handle.isValid() && qstrcmp(handle.typeName(), "pg_conn*") == 0
                             ? *static_cast<PGconn* const*>(handle.constData())
                             : nullptr;
    if (!connection) throw DataError(QStringLiteral("O driver do PostgreSQL (QPSQL) não está disponível."));
    const auto failed = [&](PGresult* result) {
        const QString sqlState = result ? QString::fromUtf8(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QString();
        const QString text = QString::fromUtf8(result && PQresultErrorMessage(result)[0]
                                                   ? PQresultErrorMessage(result)
                                                   : PQerrorMessage(connection));
        PQclear(result);
        while (PGresult* more = PQgetResult(connection)) PQclear(more);  // leaves the connection ready
        fail(QSqlError(QStringLiteral("COPY"), text,
                       PQstatus(connection) == CONNECTION_OK ? QSqlError::StatementError : QSqlError::ConnectionError,
                       sqlState));
    };
    PGresult* started = PQexec(connection, statement.toUtf8().constData());
    if (PQresultStatus(started) != PGRES_COPY_IN) failed(started);
    PQclear(started);
    const QByteArray data = rows.toUtf8();
    if (PQputCopyData(connection, data.constData(), int(data.size())) != 1 || PQputCopyEnd(connection, nullptr) != 1)
        failed(nullptr);
    PGresult* result = PQgetResult(connection);
    if (PQresultStatus(result) != PGRES_COMMAND_OK) failed(result);
    PQclear(result);
    while (PGresult* more = PQgetResult(connection)) PQclear(more);
}

qint64 ServerEngine::lastInsertId()
{
    sendHeld();
    // The identity column's sequence, as last advanced by this session.
    QSqlQuery q(db());
    return q.exec(QStringLiteral("SELECT lastval()")) && q.next() ? q.value(0).toLongLong() : 0;
}

qint64 ServerEngine::insertedKey(const QString&)
{
    // Under read committed another station's header can be committed between our INSERT
    // and any query for the highest key; the session's own identity value cannot move.
    sendHeld();
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("SELECT lastval()"))) fail(q.lastError());
    return q.next() ? q.value(0).toLongLong() : 0;
}

QString ServerEngine::stampSql(const QDateTime&, int secondsBack) const
{
    return QStringLiteral("to_char((now() - make_interval(secs => %1)) AT TIME ZONE 'UTC', "
                          "'YYYY-MM-DD\"T\"HH24:MI:SS')")
        .arg(secondsBack);
}

void ServerEngine::beginOuter()
{
    reconnectIfLost();
    requireOpen();
    QSqlDatabase d = db();
    if (!d.transaction()) fail(d.lastError());
}

void ServerEngine::commitOuter()
{
    sendHeld();
    QSqlDatabase d = db();
    const bool done = d.commit();
    m_depth = 0;
    if (!done) {
        const QSqlError error = d.lastError();
        d.rollback();
        fail(error);
    }
}

void ServerEngine::rollbackOuter()
{
    db().rollback();
    m_depth = 0;
}
