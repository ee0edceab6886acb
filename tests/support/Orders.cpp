#include "support/Orders.h"

#include "data/Connection.h"
#include "data/SqlText.h"

qint64 addOrder(Connection& store, const QString& numprod, const QString& pedido, const QString& fornecedor,
                const QList<OrderLine>& lines) {
    store.execute(
        QStringLiteral("INSERT INTO VORLAPEDIDOS (PEDIDO, GRUPO, FORNECEDOR, IMPRESSOR, IMPRESSOETQ, "
                       "IMPRESSOETQ1, IMPRESSOETQ2, IMPRESSOETQ3, IMPRESSOETQ4, IMPRESSOETQ5, DATA, HORA, "
                       "USUARIOIMP, NUMPROD) VALUES ('%1', 'VORLA', '%2', 'S', 'N', 'N', 'N', 'N', 'N', 'N', "
                       "'01/12/2026', '08:00:00', 'ADMIN', '%3')")
            .arg(sqlText(pedido), sqlText(fornecedor), sqlText(numprod)));
    const qint64 id = store.lastInsertId();
    for (const OrderLine& l : lines)
        store.execute(
            QStringLiteral("INSERT INTO VORLA (IDPEDIDO, COLECAO, CODIG_PROD, FORNECEDOR, LOTE, DESCRI_TAM, "
                           "PRECO, QTD_IMPRES, CODIG_COR, TAMANHO, DESCRICAO, CODIG_BARR, CATEGORIA, "
                           "TIPO_PROD, MENSAGEM, PROMOCIONAL, DATA, DATA_REGIS, IMPRESSO, IMPRESSOC, "
                           "IMPRESSOSP, IMPRESSO4, IMPRESSO5, RQTD) VALUES (%1, 'VERÃO 27', 'REF-%2', '%3', "
                           "'%4', 'PMG', '%5', '%6', 'AZUL', '%7', 'CAMISA MANGA CURTA %2', '%2', 'ADULTO', "
                           "'MALHA', 'LAVAR À MÃO', 'PACK', '25/12/2026', '01/12/2026', 'N', 'N', 'N', "
                           "'N', 'N', '%8')")
                .arg(QString::number(id), sqlText(l.barcode), sqlText(fornecedor), sqlText(pedido),
                     sqlText(l.price), sqlText(l.quantity), sqlText(l.size), sqlText(l.volumes)));
    return id;
}
