#pragma once

#include "data/Recordset.h"
#include "packing/PrintLine.h"

#include <QList>
#include <QString>
#include <optional>

class Connection;
class Operator;
struct ProgramState;

// The packing list (romaneio): every pending VORLA header, block by block of one
// supplier, printed on a page printer; printing a block gives each of its headers the
// block's production number.

// The lines of one printed order: one header's lines, in line order.
struct PackingOrder {
    qint64 headerKey = 0;
    QString pedido;    // PEDIDO of the order's header
    QString supplier;  // fornecedor of the order's last line
    QList<Record> lines;
    double total = 0;  // sum of qtd_impres
};

// One supplier's block: one printed document, one production number.
struct PackingBlock {
    qint64 productionNumber = 0;  // IDCODIGO of the supplier's first pending header
    QString user;                 // USUARIOIMP of that header
    QList<qint64> headerKeys;     // every header stamped with the production number
    QList<PackingOrder> orders;
    double total = 0;
};

// Leaves the pending headers in state.RsGeral; true when there is at least one.
bool pendingOrdersExist(ProgramState& state);

// Reads the blocks: the pending headers ordered by supplier and key (left in
// state.RsGeral), then the lines of each supplier's pending headers. Every pending
// header lands in exactly one block, with or without lines of its own.
QList<PackingBlock> readPackingBlocks(ProgramState& state);

// The quantity of a line as a number (decimal comma); a text that is not a number counts 0.
double quantityOf(const QString& text);

QString productionNumberText(qint64 number);  // ten digits, as stored in NUMPROD

// The lines of text of a block's document, with their columns.
QList<PrintLine> packingListLines(const PackingBlock& block, const QString& date, const QString& time);

// Marks the block's headers printed, with the production number, date and time.
void stampBlock(Connection& db, const PackingBlock& block, const QString& date, const QString& time);

// Asks for the page printer, prints every block as its own document and stamps its
// headers, then tells the production number of the last block. Cancelling the printer
// dialog abandons the list; a printer that cannot take a document stops the list there.
// Returns the production number of the last printed block, if any.
std::optional<qint64> ImprimeRomaneio(ProgramState& state, Operator& op);

// "Imprimir Arquivo Texto para Romaneio": the pending-orders check, then the list.
void printPackingListFromMenu(ProgramState& state, Operator& op);
