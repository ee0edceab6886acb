#pragma once

#include <QList>
#include <QString>

class Connection;

// One order line as the imports store it; what the print tests vary.
struct OrderLine {
    QString barcode;
    QString quantity = QStringLiteral("10"); // qtd_impres
    QString volumes = QStringLiteral("2");   // RQTD
    QString size = QStringLiteral("M");
    QString price = QStringLiteral("59,90");
};

// Stores one VORLA order with its production number already given, every label flag
// 'N': a header and its lines, as an import followed by the packing list leaves them.
// Returns the header's IDCODIGO.
qint64 addOrder(Connection& store, const QString& numprod, const QString& pedido, const QString& fornecedor,
                const QList<OrderLine>& lines);
