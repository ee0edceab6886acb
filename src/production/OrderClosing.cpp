#include "production/OrderClosing.h"

#include "data/Connection.h"
#include "data/SqlText.h"
#include "production/LineClaim.h"
#include "production/ProductionTypes.h"
#include "session/Regional.h"

OrderClosing::OrderClosing(Connection& store, const ProductionType& type, QString station)
    : m_store(store), m_type(type), m_station(std::move(station)) {}

QString OrderClosing::headerFlag() const {
    return m_type.headerFlag();
}

QString OrderClosing::lineFlag() const {
    return m_type.lineFlag();
}

QString OrderClosing::staleStamp() const {
    return m_store.stampSql(regional::now(), 60 * LineClaim::staleMinutes());
}

std::optional<OrderClosing::Owed> OrderClosing::closeIfDone(qint64 idPedido, Header lock) {
    const QString id = QString::number(idPedido);
    // Only lines a lookup still offers ('N' or 'A') keep the order open.
    const QString linesLeft =
        QStringLiteral("SELECT COUNT(*) AS FALTAM FROM VORLA WHERE IDPEDIDO = %1 AND (%2 = 'N' OR %2 = 'A')")
            .arg(id, lineFlag());
    // The header row's lock makes the stations that print an order's last lines at the
    // same moment count one after the other: the second sees the first one's 'S'. Under
    // a lock already held, the header and its count are read at once.
    const QString read = QStringLiteral("SELECT PEDIDO, %1 AS BANDEIRA").arg(headerFlag());
    const QString from = QStringLiteral(" FROM VORLAPEDIDOS WHERE IDCODIGO = ") + id;
    const Recordset header = lock == Header::Lock
                                 ? m_store.queryForUpdate(read + from)
                                 : m_store.query(read + QStringLiteral(", (%1) AS FALTAM").arg(linesLeft) + from);
    if (header.isEmpty() || header.text(QStringLiteral("BANDEIRA")).trimmed().toUpper() != QLatin1String("N"))
        return std::nullopt;
    const int left = (lock == Header::Lock ? m_store.query(linesLeft) : header).value(QStringLiteral("FALTAM")).toInt();
    if (left > 0) return std::nullopt;
    m_store.execute(m_type.headerUpdate + QStringLiteral("S' where IDCODIGO = ") + id);
    m_store.execute(
        QStringLiteral(
            "INSERT INTO RESUMOPENDENTE (IDPEDIDO, ETIQUETA, ESTACAO, DESDE) VALUES (%1, '%2', '%3', %4)")
            .arg(id, headerFlag(), sqlText(m_station), m_store.stampSql(regional::now())));
    return Owed{m_store.lastInsertId(), idPedido, header.text(QStringLiteral("PEDIDO"))};
}

bool OrderClosing::lastLineLeft(qint64 idPedido, qint64 identificacao) {
    return m_store
               .query(QStringLiteral(
                          "SELECT COUNT(*) AS FALTAM FROM VORLA WHERE IDPEDIDO = %1 AND Identificação <> "
                          "%2 AND (%3 = 'N' OR %3 = 'A')")
                          .arg(QString::number(idPedido), QString::number(identificacao), lineFlag()))
               .value(QStringLiteral("FALTAM"))
               .toInt() == 0;
}

QList<OrderClosing::Owed> OrderClosing::takeOwed(const QString& lblprod) {
    const Recordset open = m_store.query(
        QStringLiteral(
            "SELECT IDCODIGO FROM VORLAPEDIDOS WHERE NUMPROD = '%1' AND GRUPO = 'VORLA' AND %2 = 'N' AND "
            "EXISTS (SELECT VORLA.IDPEDIDO FROM VORLA WHERE VORLA.IDPEDIDO = VORLAPEDIDOS.IDCODIGO AND "
            "VORLA.%3 = 'S') AND NOT EXISTS (SELECT VORLA.IDPEDIDO FROM VORLA WHERE VORLA.IDPEDIDO = "
            "VORLAPEDIDOS.IDCODIGO AND (VORLA.%3 = 'N' OR VORLA.%3 = 'A'))")
            .arg(sqlText(lblprod), headerFlag(), lineFlag()));
    for (int i = 0; i < open.recordCount(); ++i) {
        Transaction close(m_store);
        closeIfDone(open.row(i).value(QStringLiteral("IDCODIGO")).toLongLong());
        close.commit();
    }

    const QString stale = staleStamp();
    const QString mine = sqlText(m_station);
    const Recordset owed = m_store.query(
        QStringLiteral(
            "SELECT RESUMOPENDENTE.IDRESUMO, RESUMOPENDENTE.IDPEDIDO, VORLAPEDIDOS.PEDIDO FROM "
            "RESUMOPENDENTE INNER JOIN VORLAPEDIDOS ON VORLAPEDIDOS.IDCODIGO = RESUMOPENDENTE.IDPEDIDO "
            "WHERE VORLAPEDIDOS.NUMPROD = '%1' AND RESUMOPENDENTE.ETIQUETA = '%2' AND "
            "(RESUMOPENDENTE.ESTACAO = '%3' OR RESUMOPENDENTE.DESDE < %4) ORDER BY RESUMOPENDENTE.IDRESUMO")
            .arg(sqlText(lblprod), headerFlag(), mine, stale));
    QList<Owed> taken;
    for (int i = 0; i < owed.recordCount(); ++i) {
        const Record row = owed.row(i);
        const qint64 idResumo = row.value(QStringLiteral("IDRESUMO")).toLongLong();
        // Taken in one statement: of two stations reaching for a stale summary, one wins.
        if (m_store.executeCounted(
                QStringLiteral("UPDATE RESUMOPENDENTE SET ESTACAO = '%1', DESDE = %2 WHERE IDRESUMO = %3 AND "
                               "(ESTACAO = '%1' OR DESDE < %4)")
                    .arg(mine, m_store.stampSql(regional::now()), QString::number(idResumo), stale)) == 0)
            continue;
        taken << Owed{idResumo, row.value(QStringLiteral("IDPEDIDO")).toLongLong(),
                      row.text(QStringLiteral("PEDIDO"))};
    }
    return taken;
}

void OrderClosing::printed(qint64 idResumo) {
    m_store.execute(QStringLiteral("DELETE FROM RESUMOPENDENTE WHERE IDRESUMO = %1").arg(idResumo));
}
