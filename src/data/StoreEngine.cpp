#include "data/StoreEngine.h"

#include "data/DataError.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
QAtomicInt g_connectionCounter;
// Queries a connection keeps prepared.
constexpr int kPreparedLimit = 64;
} // namespace

StoreEngine::StoreEngine(const QString& driver, const QString& shown)
    : m_name(QStringLiteral("etiquetas-%1").arg(g_connectionCounter.fetchAndAddRelaxed(1))), m_shown(shown)
{
    QSqlDatabase::addDatabase(driver, m_name);
}

StoreEngine::~StoreEngine()
{
    dropPrepared();
    {
        QSqlDatabase d = db();
        if (d.isOpen()) d.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

void StoreEngine::requireOpen() const
{
    if (!isOpen()) throw DataError(QStringLiteral("A conexão com o banco de dados não está aberta."));
}

void StoreEngine::run(const QString& sql)
{
    QSqlQuery q(db());
    if (!q.exec(sql)) fail(q.lastError());
}

Recordset StoreEngine::rowsOf(QSqlQuery& q, int maxRows)
{
    QStringList columns;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) columns << rec.fieldName(i);
    QList<QVariantList> rows;
    while ((maxRows < 0 || rows.size() < maxRows) && q.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i) row << q.value(i);
        rows << row;
    }
    return Recordset(columns, rows);
}

Recordset StoreEngine::runQuery(const QString& text, int maxRows)
{
    auto prepared = m_preparedQueries.find(text);
    if (prepared == m_preparedQueries.end() && m_seenQueries.contains(text)) {
        if (int(m_preparedQueries.size()) >= kPreparedLimit) m_preparedQueries.clear();
        auto q = std::make_unique<QSqlQuery>(db());
        q->setForwardOnly(true);
        if (!q->prepare(text)) fail(q->lastError());
        prepared = m_preparedQueries.emplace(text, std::move(q)).first;
    }
    if (prepared != m_preparedQueries.end()) {
        QSqlQuery& q = *prepared->second;
        if (!q.exec()) fail(q.lastError());
        Recordset rows = rowsOf(q, maxRows);
        q.finish();  // a statement left open would keep the store's rows locked against writers
        return rows;
    }
    if (m_seenQueries.size() >= kPreparedLimit) m_seenQueries.clear();
    m_seenQueries.insert(text);
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(text)) fail(q.lastError());
    return rowsOf(q, maxRows);
}

void StoreEngine::dropPrepared()
{
    m_preparedQueries.clear();
    m_seenQueries.clear();
}

void StoreEngine::beginTransaction()
{
    if (m_depth == 0) {
        beginOuter();
    } else {
        requireOpen();
        sendHeld();
        run(QStringLiteral("SAVEPOINT inner%1").arg(m_depth));
    }
    ++m_depth;
}

void StoreEngine::commit()
{
    requireOpen();
    if (m_depth > 1) {
        sendHeld();
        --m_depth;
        run(QStringLiteral("RELEASE SAVEPOINT inner%1").arg(m_depth));
        return;
    }
    commitOuter();
}

void StoreEngine::rollback()
{
    dropHeld();
    if (!isOpen()) return;
    if (m_depth > 1) {
        --m_depth;
        QSqlQuery q(db());
        q.exec(QStringLiteral("ROLLBACK TO SAVEPOINT inner%1").arg(m_depth));
        q.exec(QStringLiteral("RELEASE SAVEPOINT inner%1").arg(m_depth));
        return;
    }
    rollbackOuter();
}
