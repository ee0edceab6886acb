#include "data/ServerEngine.h"

#include "data/DataError.h"
#include "data/StoreErrors.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>


namespace {

// Shapes whose translation a connection keeps.
constexpr int kTranslatedLimit = 256;

// Rows held back are sent when this many are held, or their text reaches this size.
constexpr int kHeldRowsLimit = 1000;
constexpr qsizetype kHeldTextLimit = 1 << 20;

// The server computes a query whole and sends every row, where the caller reads only the
// first `maxRows` (the next line to print of a production number's hundreds). Only those
// leave: the query runs whole as a materialized CTE, planned as it would be alone, and
// the first rows are taken from it. A LIMIT on the query itself could make the planner
// walk the lines in key order, across the whole store, to find a recent order's first.
QString firstRowsOnly(QString query, int maxRows)
{
    if (maxRows < 0 || !query.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)) return query;
    while (query.endsWith(u';') || query.endsWith(u' ') || query.endsWith(u'\n')) query.chop(1);
    return QStringLiteral("WITH primeiras AS MATERIALIZED (%1) SELECT * FROM primeiras LIMIT %2").arg(query).arg(maxRows);
}

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
    dropPrepared();  // the server forgot them with the session
    dropBoundShapes();
    QSqlDatabase d = db();
    d.close();
    m_lost = false;
    if (!d.open()) fail(d.lastError());
    useSchema();
}

void ServerEngine::dropBoundShapes()
{
    m_boundShapes.clear();
    m_seenShapes.clear();
    m_asWritten.clear();
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
    dropPrepared();
    dropBoundShapes();
    // From the catalog itself: the information_schema views answer the same names in
    // about ten times as long, and every connection opened reads them.
    QSqlQuery names(db());
    if (!names.exec(QStringLiteral(
            "SELECT c.relname::text FROM pg_class c WHERE c.relnamespace = current_schema()::regnamespace AND "
            "c.relkind IN ('r', 'v', 'p') UNION SELECT a.attname::text FROM pg_attribute a JOIN pg_class c ON "
            "c.oid = a.attrelid WHERE c.relnamespace = current_schema()::regnamespace AND c.relkind IN ('r', "
            "'v', 'p') AND a.attnum > 0 AND NOT a.attisdropped")))
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
    const std::optional<StatementShape> shape = shapeOf(sql, ShapeNumbers::AfterEquals);
    if (!shape) return m_dialect.translate(sql);
    QString out;
    out.reserve(sql.size() + 64);
    translatedShape(shape->text).statement.appendWith(out, *shape);
    return out;
}

Recordset ServerEngine::query(const QString& sql, int maxRows)
{
    sendHeld();
    reconnectIfLost();
    requireOpen();
    if (QSqlQuery* q = boundShape(sql, maxRows)) {
        if (!q->exec()) fail(q->lastError());
        Recordset rows = rowsOf(*q, maxRows);
        q->finish();
        return rows;
    }
    return runQuery(firstRowsOnly(translated(sql), maxRows), maxRows);
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
        t->statement.appendWith(m_heldFirst, *shape);
    }
    appendCopyRow(m_held, *shape);
    if (++m_heldRows < kHeldRowsLimit && m_held.size() < kHeldTextLimit) return;
    // A full batch goes at once; the server stores it while the next one is gathered.
    finishCopy();
    startCopy();
}

int ServerEngine::executeCounted(const QString& sql)
{
    sendHeld();
    reconnectIfLost();
    requireOpen();
    if (QSqlQuery* q = boundShape(sql, -1)) {
        if (!q->exec()) fail(q->lastError());
        const int changed = q->numRowsAffected();
        q->finish();
        return changed;
    }
    return runNow(translated(sql));
}

QSqlQuery* ServerEngine::boundShape(const QString& sql, int maxRows)
{
    refuseNulCharacter(sql);
    const std::optional<StatementShape> shape = shapeOf(sql, ShapeNumbers::AfterEquals);
    if (!shape || shape->literals.isEmpty()) return nullptr;
    const QString key = maxRows < 0 ? shape->text : shape->text + QStringLiteral("\n-- %1").arg(maxRows);
    if (m_asWritten.contains(key)) return nullptr;
    auto prepared = m_boundShapes.find(key);
    if (prepared == m_boundShapes.end()) {
        // A shape met once may never come again: it is prepared when it comes back.
        if (!m_seenShapes.contains(key)) {
            if (m_seenShapes.size() >= kTranslatedLimit) m_seenShapes.clear();
            m_seenShapes.insert(key);
            return nullptr;
        }
        auto q = prepareShape(firstRowsOnly(translatedShape(shape->text).statement.withMarkers(), maxRows));
        if (!q) {
            m_asWritten.insert(key);
            return nullptr;
        }
        if (m_boundShapes.size() >= std::size_t(kTranslatedLimit)) m_boundShapes.clear();
        prepared = m_boundShapes.emplace(key, std::move(q)).first;
    }
    QSqlQuery& q = *prepared->second;
    for (int i = 0; i < shape->literals.size(); ++i) q.bindValue(i, shape->value(i));
    return &q;
}

std::unique_ptr<QSqlQuery> ServerEngine::prepareShape(const QString& withMarkers)
{
    // The server infers each parameter's type from where it stands; where it cannot, the
    // shape runs as written from then on. A failed PREPARE spoils an open transaction,
    // so there it is tried under a savepoint.
    const bool inTransaction = m_depth > 0;
    if (inTransaction) run(QStringLiteral("SAVEPOINT preparing"));
    auto q = std::make_unique<QSqlQuery>(db());
    q->setForwardOnly(true);
    const bool prepared = q->prepare(withMarkers);
    if (inTransaction) {
        if (!prepared) run(QStringLiteral("ROLLBACK TO SAVEPOINT preparing"));
        run(QStringLiteral("RELEASE SAVEPOINT preparing"));
    }
    if (!prepared) return nullptr;
    return q;
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
    finishCopy();
    if (m_heldRows == 0) return;
    if (m_heldRows == 1) {
        const QString first = m_heldFirst;
        clearHeld();
        runNow(first);  // one round trip, where a COPY takes two
        return;
    }
    startCopy();
    finishCopy();
}

void ServerEngine::startCopy()
{
    const QString statement = m_heldCopy, rows = m_held;
    clearHeld();
    if (const std::optional<QSqlError> error = m_copy.start(db(), statement, rows)) fail(*error);
}

void ServerEngine::finishCopy()
{
    if (const std::optional<QSqlError> error = m_copy.finish()) fail(*error);
}

void ServerEngine::dropHeld()
{
    clearHeld();
    m_copy.finish();  // the transaction rolls back, whatever it answers
}

void ServerEngine::clearHeld()
{
    m_heldRows = 0;
    m_held.clear();
    m_heldFirst.clear();
    m_heldCopy.clear();
    m_heldShape.clear();
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
