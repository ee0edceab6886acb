#include "data/ServerCopy.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <libpq-fe.h>

QSqlError ServerCopy::failure(PGresult* result)
{
    const char* message = result ? PQresultErrorMessage(result) : "";
    const QString text = QString::fromUtf8(message[0] ? message : PQerrorMessage(m_connection));
    const QString sqlState = result ? QString::fromUtf8(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QString();
    PQclear(result);
    while (PGresult* more = PQgetResult(m_connection)) PQclear(more);  // leaves the connection ready
    m_pending = nullptr;
    return QSqlError(QStringLiteral("COPY"), text,
                     PQstatus(m_connection) == CONNECTION_OK ? QSqlError::StatementError : QSqlError::ConnectionError,
                     sqlState);
}

std::optional<QSqlError> ServerCopy::start(const QSqlDatabase& db, const QString& statement, const QString& rows)
{
    const QVariant handle = db.driver()->handle();
    m_connection = handle.isValid() && qstrcmp(handle.typeName(), "pg_conn*") == 0
                       ? *static_cast<PGconn* const*>(handle.constData())
                       : nullptr;
    if (!m_connection)
        return QSqlError(QStringLiteral("COPY"), QStringLiteral("O driver do PostgreSQL (QPSQL) não está disponível."),
                         QSqlError::ConnectionError);
    PGresult* started = PQexec(m_connection, statement.toUtf8().constData());
    if (PQresultStatus(started) != PGRES_COPY_IN) return failure(started);
    PQclear(started);
    const QByteArray data = rows.toUtf8();
    if (PQputCopyData(m_connection, data.constData(), int(data.size())) != 1 ||
        PQputCopyEnd(m_connection, nullptr) != 1)
        return failure(nullptr);
    m_pending = m_connection;
    return std::nullopt;
}

std::optional<QSqlError> ServerCopy::finish()
{
    if (!m_pending) return std::nullopt;
    PGresult* result = PQgetResult(m_pending);
    if (PQresultStatus(result) != PGRES_COMMAND_OK) return failure(result);
    PQclear(result);
    while (PGresult* more = PQgetResult(m_pending)) PQclear(more);
    m_pending = nullptr;
    return std::nullopt;
}
