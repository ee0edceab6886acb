#include "production/LineClaim.h"

#include "data/Connection.h"
#include "data/SqlText.h"

#include "session/Regional.h"

#include <QSysInfo>

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
    // Claims are stamped and judged by the store's clock, so stations whose clocks are
    // out of step still agree on which claim is stale.
    const QDateTime now = regional::now();
    const QString sql =
        takeUpdate +
        QStringLiteral(
            ", %1_ESTACAO = '%2', %1_DESDE = %3 where Identificação = %4 "
            "AND (%1 = 'N' OR %1 = 'A') AND (%1 = 'N' OR %5 OR %1_DESDE IS NULL OR %1_DESDE < %6)")
            .arg(m_flag, sqlText(m_station), m_store.stampSql(now), QString::number(identificacao), heldByMe(),
                 m_store.stampSql(now, 60 * staleMinutes()));
    return m_store.executeCounted(sql) > 0;
}

std::optional<Record> LineClaim::heldLine(qint64 identificacao, const QStringList& columns) {
    const Recordset line = m_store.query(
        QStringLiteral("SELECT %1 FROM VORLA WHERE Identificação = %2 AND %3 = 'A' AND %4")
            .arg((QStringList{QStringLiteral("Identificação")} + columns).join(QStringLiteral(", ")),
                 QString::number(identificacao), m_flag, heldByMe()));
    if (line.isEmpty()) return std::nullopt;
    return line.current();
}

bool LineClaim::markPrinted(const QString& printedUpdate) {
    return m_store.executeCounted(printedUpdate +
                                  QStringLiteral(" AND %1 = 'A' AND %2").arg(m_flag, heldByMe())) > 0;
}
