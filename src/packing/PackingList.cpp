#include "packing/PackingList.h"

#include "session/Operator.h"
#include "session/ProgramState.h"
#include "session/Regional.h"
#include "data/SqlText.h"
#include "packing/PackingPage.h"
#include "session/PagePrinter.h"

#include <QLocale>

namespace {

const QString kTitle = QStringLiteral("VORLA");
const QString kNothingPending = QStringLiteral("NÃO EXISTE PEDIDO DA VORLA A SER IMPRESSO!");

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

QString headersSql()
{
    return QStringLiteral("select * from VORLAPEDIDOS where IMPRESSOR like 'N' AND GRUPO LIKE 'VORLA' ORDER BY "
                          "FORNECEDOR,IDCODIGO");
}

// Every line of the supplier's pending headers; ordersOf keeps those of the supplier.
QString linesSql(const QString& supplier)
{
    return QStringLiteral(
               "SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.PEDIDO, VORLAPEDIDOS.GRUPO, VORLAPEDIDOS.IMPRESSOR,"
               "VORLA.FORNECEDOR, VORLA.IDPEDIDO,VORLA.CODIG_BARR, VORLA.colecao, VORLA.codig_prod,VORLA.CATEGORIA,"
               "VORLA.TAMANHO, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam,VORLA.CODIG_COR, VORLA.preco, "
               "VORLA.qtd_impres, VORLA.descricao, VORLA.impresso FROM VORLAPEDIDOS INNER JOIN VORLA ON "
               "VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE (((VORLAPEDIDOS.FORNECEDOR)='") +
           sqlText(supplier) +
           QStringLiteral("') AND ((VORLAPEDIDOS.IMPRESSOR)='N')) "
                          "ORDER BY [VORLAPEDIDOS].[IDCODIGO],[VORLA].[identificação]");
}

// Suppliers are the same when the store compares them as equal (letter case ignored).
bool sameSupplier(const QString& a, const QString& b)
{
    return foldCase(a) == foldCase(b);
}

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' ')) --end;
    return text.left(end);
}

// A header keeps its supplier as the file wrote it, trailing blanks included, while its
// lines hold it trimmed: a line belongs to the header's supplier when the two match
// without their trailing blanks.
bool lineOfSupplier(const QString& lineSupplier, const QString& headerSupplier)
{
    return sameSupplier(withoutTrailingBlanks(lineSupplier), withoutTrailingBlanks(headerSupplier));
}

// The orders of the block's lines, one per header key. Grouping by key rather than by
// order number keeps a re-imported order (same number, another header) apart.
QList<PackingOrder> ordersOf(const Recordset& lines, const QString& supplier)
{
    QList<PackingOrder> orders;
    for (int i = 0; i < lines.recordCount(); ++i) {
        const Record line = lines.row(i);
        if (!lineOfSupplier(line.text(QStringLiteral("fornecedor")), supplier)) continue;
        const qint64 key = line.value(QStringLiteral("IDPEDIDO")).toLongLong();
        if (orders.isEmpty() || orders.last().headerKey != key) {
            orders << PackingOrder{};
            orders.last().headerKey = key;
            orders.last().pedido = line.text(QStringLiteral("PEDIDO"));
        }
        PackingOrder& order = orders.last();
        order.lines << line;
        order.total += quantityOf(line.text(QStringLiteral("qtd_impres")));
        order.supplier = line.text(QStringLiteral("fornecedor"));
    }
    return orders;
}

PrintLine at(int column, const QString& text)
{
    return PrintLine{PrintPiece{column, text}};
}

QString headingText()
{
    return blanks(5) + QStringLiteral("COD. BARRAS") + blanks(13) + QStringLiteral("PEDIDO") + blanks(5) +
           QStringLiteral("DESCRIÇÃO") + blanks(27) + QStringLiteral("COR") + blanks(22) + QStringLiteral("TAM") +
           blanks(8) + QStringLiteral("QTD") + blanks(9) + QStringLiteral("PRECO");
}

// An empty value prints nothing, not even its column.
void addPiece(PrintLine& line, int column, const QString& text)
{
    if (!text.isEmpty()) line << PrintPiece{column, text};
}

PrintLine detailLine(const Record& r, const QString& pedido)
{
    PrintLine line;
    addPiece(line, 4, r.text(QStringLiteral("CODIG_BARR")));
    addPiece(line, 28, pedido);
    addPiece(line, 40, r.text(QStringLiteral("descricao")).left(20));
    addPiece(line, 70, r.text(QStringLiteral("CODIG_COR")));
    addPiece(line, 90, r.text(QStringLiteral("TAMANHO")));
    addPiece(line, 98, r.text(QStringLiteral("qtd_impres")));
    addPiece(line, 110, r.text(QStringLiteral("preco")));
    return line;
}

} // namespace

bool pendingOrdersExist(ProgramState& state)
{
    state.AbreConexaoPedidos();
    state.RsGeral = state.ConexaoPedidos.query(
        QStringLiteral("select * from VORLAPEDIDOS where IMPRESSOR like 'N' AND GRUPO LIKE 'VORLA' ORDER BY IDCODIGO"));
    return !state.RsGeral.eof();
}

QList<PackingBlock> readPackingBlocks(ProgramState& state)
{
    state.RsGeral = state.ConexaoPedidos.query(headersSql());
    Recordset& h = state.RsGeral;
    QList<PackingBlock> blocks;
    while (!h.eof()) {
        PackingBlock block;
        block.productionNumber = h.value(QStringLiteral("IDCODIGO")).toLongLong();
        block.user = h.text(QStringLiteral("USUARIOIMP"));
        const QString supplier = h.text(QStringLiteral("FORNECEDOR"));
        // Every pending header of the supplier belongs to this block, even one without
        // lines of its own: it is stamped all the same, and the cursor always moves on.
        while (!h.eof() && sameSupplier(h.text(QStringLiteral("FORNECEDOR")), supplier)) {
            block.headerKeys << h.value(QStringLiteral("IDCODIGO")).toLongLong();
            h.moveNext();
        }
        block.orders = ordersOf(state.ConexaoPedidos.query(linesSql(supplier)), supplier);
        for (const PackingOrder& order : block.orders) {
            block.total += order.total;
            if (!block.headerKeys.contains(order.headerKey)) block.headerKeys << order.headerKey;
        }
        blocks << block;
    }
    return blocks;
}

double quantityOf(const QString& text)
{
    bool ok = false;
    const double value = QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(text.trimmed(), &ok);
    return ok ? value : 0;
}

QString productionNumberText(qint64 number)
{
    return QStringLiteral("%1").arg(number, 10, 10, QLatin1Char('0'));
}

QList<PrintLine> packingListLines(const PackingBlock& block, const QString& date, const QString& time)
{
    QList<PrintLine> out;
    out << at(1, QStringLiteral("  VORLA") + blanks(59) + QStringLiteral("RELATÓRIO DE ETIQUETAS IMPRESSAS "));
    out << at(1, blanks(2));
    out << at(1, QStringLiteral("    Número de Produção:  ") +
                     QStringLiteral("%1").arg(block.productionNumber, 9, 10, QLatin1Char('0')) + blanks(4) +
                     QStringLiteral("DATA: ") + date + blanks(4) + QStringLiteral("HORA: ") + time + blanks(4) +
                     QStringLiteral("Usuário:") + blanks(1) + block.user);
    for (const PackingOrder& order : block.orders) {
        out << at(1, blanks(1));
        out << at(1, headingText());
        for (const Record& line : order.lines) out << detailLine(line, order.pedido);
        out << PrintLine{};
        out << PrintLine{PrintPiece{4, QStringLiteral("FORNECEDOR:") + blanks(1) + order.supplier},
                         PrintPiece{50, QStringLiteral("PEDIDO:  ") + order.pedido},
                         PrintPiece{100, QStringLiteral("TOTAL") + blanks(4) + regional::numberText(order.total)}};
    }
    out << at(1, blanks(1));
    out << at(85, QStringLiteral("TOTAL DE ETIQUETAS") + blanks(4) + regional::numberText(block.total));
    return out;
}

void stampBlock(Connection& db, const PackingBlock& block, const QString& date, const QString& time)
{
    Transaction stamp(db);
    for (const qint64 key : block.headerKeys)
        db.execute(QStringLiteral("UPDATE VORLAPEDIDOS set IMPRESSOR ='") + QStringLiteral("S") +
                   QStringLiteral("',NUMPROD  = '") + productionNumberText(block.productionNumber) +
                   QStringLiteral("',DATA  = '") + sqlText(date) + QStringLiteral("',HORA  = '") + sqlText(time) +
                   QStringLiteral(" '") + QStringLiteral(" where IDCODIGO = ") + QString::number(key));
    stamp.commit();
}

std::optional<qint64> ImprimeRomaneio(ProgramState& state, Operator& op)
{
    state.AbreConexaoPedidos();
    const std::unique_ptr<PagePrinter> printer = op.choosePagePrinter();
    if (!printer) return std::nullopt;

    // The pending headers stay locked until every block is stamped: a second workstation
    // printing its packing list at the same time waits, then finds only what this one
    // left, so no order gets two production numbers.
    Transaction numbering(state.ConexaoPedidos);
    state.ConexaoPedidos.lockRows(
        QStringLiteral("select IDCODIGO from VORLAPEDIDOS where IMPRESSOR like 'N' AND GRUPO LIKE 'VORLA'"));
    const QList<PackingBlock> blocks = readPackingBlocks(state);
    if (blocks.isEmpty()) {
        op.message(kNothingPending, kTitle, Operator::Icon::Information);
        return std::nullopt;
    }
    std::optional<qint64> last;
    for (const PackingBlock& block : blocks) {
        const QString date = regional::dateText();
        const QString time = regional::timeText();
        QPagedPaintDevice* device =
            printer->startDocument(QStringLiteral("ROMANEIO VORLA ") + productionNumberText(block.productionNumber));
        if (!device || !paintPackingDocument(*device, packingListLines(block, date, time))) {
            numbering.commit();  // the blocks printed before keep their numbers
            op.message(QStringLiteral("NÃO FOI POSSÍVEL IMPRIMIR O ROMANEIO NA IMPRESSORA ESCOLHIDA!"), kTitle,
                       Operator::Icon::Critical);
            return last;
        }
        stampBlock(state.ConexaoPedidos, block, date, time);
        last = block.productionNumber;
    }
    numbering.commit();
    op.message(QStringLiteral("ROMANEIO DA VORLA IMPRESSO COM SUCESSO! ROMANEIO NUMERO: ") + QString::number(*last),
               kTitle, Operator::Icon::Information);
    state.RsGeral = Recordset();
    return last;
}

void printPackingListFromMenu(ProgramState& state, Operator& op)
{
    if (!pendingOrdersExist(state)) {
        op.message(kNothingPending, kTitle, Operator::Icon::Information);
        state.RsGeral = Recordset();
        return;
    }
    ImprimeRomaneio(state, op);
}
