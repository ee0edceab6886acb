#include "production/ProductionRun.h"

#include "data/SqlText.h"
#include "production/LineClaim.h"
#include "labels/PrinterReady.h"
#include "printing/ImprimeDireto.h"
#include "render/PreviewOperator.h"
#include "production/MenuSettings.h"
#include "production/ResumoPedido.h"
#include "session/Operator.h"
#include "session/ProgramState.h"
#include "session/Regional.h"

#include <memory>

namespace {
const QString Vorla = QStringLiteral("VORLA");
const QString Vorlau = QStringLiteral("Vorlau");

// The column an update text sets ("UPDATE VORLA set IMPRESSOC ='" names IMPRESSOC).
QString flagColumn(const QString& updateText)
{
    const qsizetype at = updateText.indexOf(QLatin1String(" set "));
    return updateText.mid(at + 5).section(QLatin1Char(' '), 0, 0);
}

// The six captions of a line ("Imprimindo" or "Proximo"); a null price leaves its
// caption as it was.
void showLine(const Record& row, QString& pedido, QString& codigo, QString& descricao, QString& tamanho, QString& qtd,
              QString& preco)
{
    pedido = row.text(QStringLiteral("PEDIDO"));
    codigo = row.text(QStringLiteral("CODIG_BARR"));
    descricao = row.text(QStringLiteral("DESCRICAO"));
    tamanho = row.text(QStringLiteral("TAMANHO"));
    qtd = row.text(QStringLiteral("qtd_impres"));
    if (!row.isNull(QStringLiteral("preco"))) preco = row.text(QStringLiteral("preco"));
}

void clearNext(ProductionDisplay& d)
{
    for (QString* caption : {&d.lblpedido1, &d.lblcodigobarras1, &d.lbldescricao1, &d.lbltamanho1, &d.lblqtd1,
                             &d.lblpreco1})
        caption->clear();
}

// Every column a label builder may read. The statements of some label types leave a
// few out (the basket label's print statement has no PROMOCIONAL); the line is then
// completed from its own row, so a builder never reads a column the row lacks.
const QStringList& builderColumns()
{
    static const QStringList columns{"CATEGORIA", "TAMANHO", "preco",      "Tipo_prod",  "LOTE",
                                     "colecao",   "codig_prod", "Data",    "CODIG_BARR", "DESCRICAO",
                                     "CODIG_COR", "MENSAGEM", "PROMOCIONAL", "RQTD",     "fornecedor"};
    return columns;
}

Record completeLine(Connection& store, const Record& row, qint64 identificacao)
{
    QStringList missing;
    for (const QString& column : builderColumns())
        if (!row.has(column)) missing << column;
    if (missing.isEmpty()) return row;
    const Recordset own = store.query(QStringLiteral("SELECT * FROM VORLA WHERE Identificação = ") +
                                      QString::number(identificacao));
    if (own.isEmpty()) return row;
    QStringList columns = row.columns();
    QVariantList values = row.values();
    for (const QString& column : missing) {
        columns << column;
        values << own.value(column);
    }
    return Record(std::make_shared<const QStringList>(columns), values);
}

short largura(const QString& cbolargura)
{
    return short(wholeNumberText(cbolargura).value_or(0));
}
} // namespace

ProductionRun::ProductionRun(ProgramState& state, Operator& op, const ProductionType& type)
    : m_state(state), m_op(op), m_type(type)
{
}

bool ProductionRun::enterProductionNumber(const QString& typed, ProductionDisplay& display)
{
    display.lblprod = formatProductionNumber(typed);
    return CARREGAPRODUCAO(display);
}

bool ProductionRun::CARREGAPRODUCAO(ProductionDisplay& d)
{
    m_state.RsGeral = m_state.ConexaoPedidos.query(m_type.lookupFirst + sqlText(d.lblprod) + m_type.lookupSecond);
    // The first line this workstation can take: on one workstation, always the first.
    LineClaim claim(m_state.ConexaoPedidos, flagColumn(m_type.lineUpdate));
    const QString take = m_type.lineUpdate + QStringLiteral("A'");
    int taken = 0;
    while (taken < m_state.RsGeral.recordCount() &&
           !claim.take(take, m_state.RsGeral.row(taken).value(QStringLiteral("identificação")).toLongLong()))
        ++taken;
    if (taken == m_state.RsGeral.recordCount()) {
        // Nothing left, or every line left is held by other workstations.
        m_state.RsGeral = Recordset();
        for (QString* caption : {&d.LBLPEDIDO, &d.LBLCODIGOBARRAS, &d.LBLDESCRICAO, &d.LBLTAM, &d.LBLQTD, &d.LBLPRECO,
                                 &d.lblprod, &d.LBLFORN})
            caption->clear();
        clearNext(d);
        d.linesLeft = d.linesTotal = 0;
        return false;
    }
    m_state.RsGeral.moveTo(taken);
    const Record row = m_state.RsGeral.current();
    showLine(row, d.LBLPEDIDO, d.LBLCODIGOBARRAS, d.LBLDESCRICAO, d.LBLTAM, d.LBLQTD, d.LBLPRECO);
    d.LBLFORN = row.text(QStringLiteral("Fornecedor"));
    const QString identificacao = QString::number(row.value(QStringLiteral("identificação")).toLongLong());

    m_state.SqlGeral = take + QStringLiteral(" where Identificação = ") + identificacao;
    MOSTRAPROXIMO(d);
    countLines(d);
    return true;
}

void ProductionRun::MOSTRAPROXIMO(ProductionDisplay& d)
{
    m_state.RsGeral = m_state.ConexaoPedidos.query(m_type.previewFirst + sqlText(d.lblprod) + m_type.previewSecond, 1);
    if (m_state.RsGeral.isEmpty()) {
        clearNext(d);
        return;
    }
    showLine(m_state.RsGeral.current(), d.lblpedido1, d.lblcodigobarras1, d.lbldescricao1, d.lbltamanho1, d.lblqtd1,
             d.lblpreco1);
    if (d.LBLPEDIDO != d.lblpedido1) d.LBLVISOR = true;
}

void ProductionRun::countLines(ProductionDisplay& d)
{
    // What the operator sees next to the warning: how much of the production number is
    // left for this label type.
    const QString header = flagColumn(m_type.headerUpdate);
    const QString line = flagColumn(m_type.lineUpdate);
    const Recordset counts = m_state.ConexaoPedidos.query(
        QStringLiteral("SELECT COUNT(*) AS TOTAL, SUM(CASE WHEN VORLAPEDIDOS.%1 = 'N' AND (VORLA.%2 = 'N' OR "
                       "VORLA.%2 = 'A') THEN 1 ELSE 0 END) AS FALTAM FROM VORLAPEDIDOS INNER JOIN VORLA ON "
                       "VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE VORLAPEDIDOS.NUMPROD = '%3' AND "
                       "VORLAPEDIDOS.GRUPO = 'VORLA'")
            .arg(header, line, sqlText(d.lblprod)));
    d.linesTotal = counts.value(QStringLiteral("TOTAL")).toInt();
    d.linesLeft = counts.value(QStringLiteral("FALTAM")).toInt();
}

struct ProductionRun::LineToPrint {
    Record line;
    qint64 identificacao = 0;
    double quantity = 0;
};

std::optional<ProductionRun::LineToPrint> ProductionRun::lineToPrint(const ProductionDisplay& d,
                                                                    const ProductionSettings& s)
{
    if (s.optionBoxesVisible && s.labels.producao.Check1 == s.labels.producao.Check2) {
        m_op.message(QStringLiteral("Favor selecionar apenas um modelo de etiqueta"), Vorlau,
                     Operator::Icon::Information);
        return std::nullopt;
    }
    m_state.RsGeral = m_state.ConexaoPedidos.query(m_type.printFirst + sqlText(d.lblprod) + PrintMiddle +
                                                   sqlText(d.LBLPEDIDO) + m_type.printLast);
    if (m_state.RsGeral.isEmpty()) {
        m_op.message(QStringLiteral("NÃO EXISTEM ARQUIVOS A SEREM IMPRESSOS"), Vorla, Operator::Icon::Information);
        return std::nullopt;
    }
    // The line this workstation holds; another's (on a shared store) is not printed here.
    LineClaim claim(m_state.ConexaoPedidos, flagColumn(m_type.lineUpdate));
    int held = 0;
    while (held < m_state.RsGeral.recordCount() &&
           !claim.holds(m_state.RsGeral.row(held).value(QStringLiteral("identificação")).toLongLong()))
        ++held;
    if (held == m_state.RsGeral.recordCount()) {
        m_op.message(QStringLiteral("A linha do pedido %1 foi tomada por outra estação: nenhuma etiqueta foi impressa "
                                    "aqui e nada foi marcado.")
                         .arg(d.LBLPEDIDO),
                     Vorla, Operator::Icon::Information);
        return std::nullopt;
    }
    m_state.RsGeral.moveTo(held);
    LineToPrint l;
    l.identificacao = m_state.RsGeral.value(QStringLiteral("identificação")).toLongLong();
    l.line = completeLine(m_state.ConexaoPedidos, m_state.RsGeral.current(), l.identificacao);
    const QString quantityColumn = m_type.packQuantity() ? QStringLiteral("RQTD") : QStringLiteral("qtd_impres");
    const auto quantity = regional::numberFromText(l.line.text(quantityColumn));
    if (!quantity) {
        m_op.message(QStringLiteral("A quantidade \"%1\" da linha do pedido %2 não é um número: nenhuma etiqueta foi "
                                    "impressa e a linha não foi marcada.")
                         .arg(l.line.text(quantityColumn), d.LBLPEDIDO),
                     Vorla, Operator::Icon::Information);
        return std::nullopt;
    }
    l.quantity = *quantity;
    return l;
}

LabelResult ProductionRun::printLine(LineToPrint& l, const ProductionSettings& s, Operator& op)
{
    double Qtd = l.quantity;
    LabelContext ctx{m_state, op, l.line, s.labels};
    return m_type.builder(ctx, Qtd, s.cbotemp, s.cbovelocidade, s.cbocoluna, largura(s.cbolargura));
}

bool ProductionRun::endsOrder(const ProductionDisplay& d) const
{
    // The preview shows the next line: of another order, or none, ends this one.
    return !(d.lblpedido1 != QLatin1String(" ") && d.lblpedido1 == d.LBLPEDIDO);
}

bool ProductionRun::Cmdimprimir(ProductionDisplay& d, const ProductionSettings& s, const QString& user)
{
    auto l = lineToPrint(d, s);
    if (!l) return false;
    if (printLine(*l, s, m_op) != LabelResult::Printed)
        return false;  // the builder told the operator why; the line stays current

    const QDateTime now = regional::now();
    m_state.SqlGeral = m_type.lineUpdate + QStringLiteral("S") + m_type.lineDate + regional::dateText(now.date()) +
                       regional::timeText(now.time()) + m_type.lineUser + sqlText(user) + QStringLiteral(" '") +
                       QStringLiteral(" where Identificação = ") + QString::number(l->identificacao);
    LineClaim claim(m_state.ConexaoPedidos, flagColumn(m_type.lineUpdate));
    if (!claim.markPrinted(m_state.SqlGeral)) {
        // Held too long: another station took the line over and prints it.
        m_op.message(QStringLiteral("A linha do pedido %1 passou para outra estação enquanto era impressa: ela não foi "
                                    "marcada aqui e será impressa pela outra estação. Descarte as etiquetas desta "
                                    "linha que saíram desta impressora.")
                         .arg(d.LBLPEDIDO),
                     Vorla, Operator::Icon::Warning);
        CARREGAPRODUCAO(d);
        return false;
    }

    // Lines of the order other stations still hold: the last of them closes the order.
    if (!endsOrder(d) || claim.heldByOthers(l->line.value(QStringLiteral("IDCODIGO")).toLongLong()) > 0) {
        CARREGAPRODUCAO(d);
        return true;
    }
    finishOrder(d, l->line, s);
    return true;
}

QString ProductionRun::summaryLabel(QString& TotalPedido, const ProductionDisplay& d, const Record& line,
                                    const ProductionSettings& s)
{
    const QString lote = line.text(QStringLiteral("lote"));
    const QString fornecedor = line.text(QStringLiteral("Fornecedor"));
    TotalPedido = resumo::addUp(TotalPedido, m_state.ConexaoPedidos.query(resumo::quantityQuery(d.lblprod, d.LBLPEDIDO)));
    return m_type.smallSummary() ? resumo::smallLabel(s.cbotemp, TotalPedido, lote, fornecedor)
                                 : resumo::largeLabel(s.cbotemp, TotalPedido, lote, fornecedor);
}

void ProductionRun::finishOrder(ProductionDisplay& d, const Record& line, const ProductionSettings& s)
{
    m_state.SqlGeral = m_type.headerUpdate + QStringLiteral("S'") + QStringLiteral(" where IDCODIGO = ") +
                       QString::number(line.value(QStringLiteral("IDCODIGO")).toLongLong());
    m_state.ConexaoPedidos.execute(m_state.SqlGeral);

    const QString label = summaryLabel(d.TotalPedido, d, line, s);
    m_state.RsGeral = Recordset();
    m_state.RsSoma = Recordset();
    // A printer the operator gave up on gets no summary; the order's lines are printed.
    if (ensurePrinterReady(m_op, m_state.ImpressoraSelecionada) &&
        !ImprimeDireto(m_state.ImpressoraSelecionada, QStringLiteral("ZEBRA"), label))
        m_op.message(QStringLiteral("A impressora %1 não aceitou a etiqueta de resumo do pedido %2. As etiquetas do "
                                    "pedido foram impressas e marcadas; separe o pedido sem o resumo.")
                         .arg(m_state.ImpressoraSelecionada, line.text(QStringLiteral("lote"))),
                     Vorla, Operator::Icon::Warning);

    d.TotalPedido = QStringLiteral("0");
    d.LBLVISOR = false;
    CARREGAPRODUCAO(d);
}

QList<QByteArray> ProductionRun::previewJobs(const ProductionDisplay& d, const ProductionSettings& s)
{
    auto l = lineToPrint(d, s);
    if (!l) return {};
    return capturedJobs(m_op, [&](Operator& preview) {
        if (printLine(*l, s, preview) != LabelResult::Printed || !endsOrder(d)) return;
        QString total = d.TotalPedido;
        ImprimeDireto(m_state.ImpressoraSelecionada, QStringLiteral("ZEBRA"), summaryLabel(total, d, l->line, s));
    });
}

void ProductionRun::cmdcalibracao(const ProductionDisplay& d, const ProductionSettings& s)
{
    if (s.optionBoxesVisible && s.labels.producao.Check1 && s.labels.producao.Check2) {
        m_op.message(QStringLiteral("Favor selecionar apenas etiquetas de 2 ou 3 colunas"), Vorlau,
                     Operator::Icon::Information);
        return;
    }
    if (s.optionBoxesVisible && !s.labels.producao.Check1 && !s.labels.producao.Check2) {
        m_op.message(QStringLiteral("Favor selecionar etiquetas de 2 ou 3 colunas"), Vorlau, Operator::Icon::Information);
        return;
    }
    m_state.RsGeral = m_state.ConexaoPedidos.query(m_type.calibrationFirst + sqlText(d.lblprod) + PrintMiddle +
                                                   sqlText(d.LBLPEDIDO) + m_type.printLast);
    if (m_state.RsGeral.isEmpty()) return;
    const qint64 identificacao = m_state.RsGeral.value(QStringLiteral("identificação")).toLongLong();
    double Qtd = 5;
    LabelContext ctx{m_state, m_op, completeLine(m_state.ConexaoPedidos, m_state.RsGeral.current(), identificacao),
                     s.labels};
    m_type.builder(ctx, Qtd, s.cbotemp, s.cbovelocidade, s.cbocoluna, largura(s.cbolargura));
}
