#pragma once

#include <QSqlError>
#include <QString>

#include <optional>

class QSqlDatabase;
struct pg_conn;
struct pg_result;

// Rows sent by COPY on the libpq connection under Qt's QPSQL driver. A COPY is sent and
// left to run on the server while the caller goes on; finish() waits for its answer.
// Nothing else may use the connection while one is pending.
class ServerCopy {
public:
    // Sends "COPY ... FROM STDIN" and the rows in COPY's text form; the failure, if any.
    std::optional<QSqlError> start(const QSqlDatabase& db, const QString& statement, const QString& rows);
    // The answer of the pending COPY (none pending: no failure).
    std::optional<QSqlError> finish();
    bool pending() const { return m_pending != nullptr; }

private:
    QSqlError failure(pg_result* result);
    pg_conn* m_pending = nullptr;
    pg_conn* m_connection = nullptr;
};
