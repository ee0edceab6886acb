#pragma once

#include <QString>

class Recordset;

// The order summary label printed after an order's last line: order number, supplier
// and the total label quantity, so orders can be told apart on the floor.
namespace resumo {

// The statement of the order's quantities in the production number, whatever their flags.
QString quantityQuery(const QString& lblprod, const QString& LBLPEDIDO);

// TotalPedido after adding up every row's qtd_impres.
QString addUp(const QString& TotalPedido, const Recordset& quantities);

// The small layout (types 1 and 4) and the large one (the other types).
QString smallLabel(const QString& cbotemp, const QString& TotalPedido, const QString& lote, const QString& fornecedor);
QString largeLabel(const QString& cbotemp, const QString& TotalPedido, const QString& lote, const QString& fornecedor);

} // namespace resumo
