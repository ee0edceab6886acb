#include "production/LineClaim.h"

#include "data/Connection.h"
#include "data/SqlText.h"

#include <QDateTime>
#include <QSysInfo>

namespace {
QString stamp(const QDateTime& when) {
    return when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}
} // namespace

LineClaim::LineClaim(Connection& store, QString flagColumn)
    : m_store(store), m_flag(std::move(flagColumn)), m_station(stationName()) {}

QString LineClaim::stationName() {
    const QString named = qEnvironmentVariable("ETIQUETAS_ESTACAO").trimmed();
    return named.isEmpty() ? QSysInfo::machineHostName() : named;
}

int LineClaim::staleMinutes() {
    bool ok = false;
    const int minutes = qEnvironmentVariableIntValue("ETIQUETAS_ESTACAO_MINUTOS", &ok);
    return ok && minutes >= 0 ? minutes : 10;
}

QString LineClaim::heldByMe() const {
    return QStringLiteral("(%1_ESTACAO IS NULL OR %1_ESTACAO = '%2')").arg(m_flag, sqlText(m_station));
}

bool LineClaim::take(const QString& takeUpdate, qint64 identificacao) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QString stale = stamp(now.addSecs(-60LL * staleMinutes()));
    const QString sql =
        takeUpdate +
        QStringLiteral(
            ", %1_ESTACAO = '%2', %1_DESDE = '%3' where Identificação = %4 "
            "AND (%1 = 'N' OR %1 = 'A') AND (%1 = 'N' OR %5 OR %1_DESDE IS NULL OR %1_DESDE < '%6')")
            .arg(m_flag, sqlText(m_station), stamp(now), QString::number(identificacao), heldByMe(), stale);
    return m_store.executeCounted(sql) > 0;
}

bool LineClaim::holds(qint64 identificacao) {
    return !m_store
                .query(QStringLiteral(
                           "SELECT Identificação FROM VORLA WHERE Identificação = %1 AND %2 = 'A' AND %3")
                           .arg(QString::number(identificacao), m_flag, heldByMe()))
                .isEmpty();
}

bool LineClaim::markPrinted(const QString& printedUpdate) {
    return m_store.executeCounted(printedUpdate +
                                  QStringLiteral(" AND %1 = 'A' AND %2").arg(m_flag, heldByMe())) > 0;
}

int LineClaim::heldByOthers(qint64 idPedido) {
    return m_store
        .query(
            QStringLiteral("SELECT COUNT(*) AS OUTRAS FROM VORLA WHERE IDPEDIDO = %1 AND %2 = 'A' AND NOT %3")
                .arg(QString::number(idPedido), m_flag, heldByMe()))
        .value(QStringLiteral("OUTRAS"))
        .toInt();
}
