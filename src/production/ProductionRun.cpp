#include "production/ProductionRun.h"

#include "data/SqlText.h"
#include "printing/ImprimeDireto.h"
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

// A caption takes a column's text; a null price leaves the caption as it was.
void showPrice(QString& caption, const Record& row)
{
    if (!row.isNull(QStringLiteral("preco"))) caption = row.text(QStringLiteral("preco"));
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
    if (m_state.RsGeral.isEmpty()) {
        for (QString* caption : {&d.LBLPEDIDO, &d.LBLCODIGOBARRAS, &d.LBLDESCRICAO, &d.LBLTAM, &d.LBLQTD, &d.LBLPRECO,
                                 &d.lblprod, &d.LBLFORN, &d.lblpedido1, &d.lblcodigobarras1, &d.lbldescricao1,
                                 &d.lbltamanho1, &d.lblqtd1, &d.lblpreco1})
            caption->clear();
        d.linesLeft = d.linesTotal = 0;
        return false;
    }
    const Record row = m_state.RsGeral.current();
    d.LBLPEDIDO = row.text(QStringLiteral("PEDIDO"));
    d.LBLCODIGOBARRAS = row.text(QStringLiteral("CODIG_BARR"));
    d.LBLDESCRICAO = row.text(QStringLiteral("DESCRICAO"));
    d.LBLTAM = row.text(QStringLiteral("TAMANHO"));
    d.LBLQTD = row.text(QStringLiteral("qtd_impres"));
    showPrice(d.LBLPRECO, row);
    d.LBLFORN = row.text(QStringLiteral("Fornecedor"));
    const QString identificacao = QString::number(row.value(QStringLiteral("identificação")).toLongLong());

    m_state.SqlGeral = m_type.lineUpdate + QStringLiteral("A'") + QStringLiteral(" where Identificação = ") + identificacao;
    m_state.ConexaoPedidos.execute(m_state.SqlGeral);
    MOSTRAPROXIMO(d);
    countLines(d);
    return true;
}

void ProductionRun::MOSTRAPROXIMO(ProductionDisplay& d)
{
    m_state.RsGeral = m_state.ConexaoPedidos.query(m_type.previewFirst + sqlText(d.lblprod) + m_type.previewSecond);
    if (m_state.RsGeral.isEmpty()) {
        for (QString* caption : {&d.lblpedido1, &d.lblcodigobarras1, &d.lbldescricao1, &d.lbltamanho1, &d.lblqtd1,
                                 &d.lblpreco1})
            caption->clear();
        return;
    }
    const Record row = m_state.RsGeral.current();
    d.lblpedido1 = row.text(QStringLiteral("PEDIDO"));
    d.lblcodigobarras1 = row.text(QStringLiteral("CODIG_BARR"));
    d.lbldescricao1 = row.text(QStringLiteral("DESCRICAO"));
    d.lbltamanho1 = row.text(QStringLiteral("TAMANHO"));
    d.lblqtd1 = row.text(QStringLiteral("qtd_impres"));
    showPrice(d.lblpreco1, row);
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

bool ProductionRun::Cmdimprimir(ProductionDisplay& d, const ProductionSettings& s, const QString& user)
{
    if (s.optionBoxesVisible && s.labels.producao.Check1 == s.labels.producao.Check2) {
        m_op.message(QStringLiteral("Favor selecionar apenas um modelo de etiqueta"), Vorlau,
                     Operator::Icon::Information);
        return false;
    }
    m_state.RsGeral = m_state.ConexaoPedidos.query(m_type.printFirst + sqlText(d.lblprod) + PrintMiddle +
                                                   sqlText(d.LBLPEDIDO) + m_type.printLast);
    if (m_state.RsGeral.isEmpty()) {
        m_op.message(QStringLiteral("NÃO EXISTEM ARQUIVOS A SEREM IMPRESSOS"), Vorla, Operator::Icon::Information);
        return false;
    }
    const qint64 identificacao = m_state.RsGeral.value(QStringLiteral("identificação")).toLongLong();
    const Record line = completeLine(m_state.ConexaoPedidos, m_state.RsGeral.current(), identificacao);
    const QString quantityColumn = m_type.packQuantity() ? QStringLiteral("RQTD") : QStringLiteral("qtd_impres");
    const auto quantity = regional::numberFromText(line.text(quantityColumn));
    if (!quantity) {
        m_op.message(QStringLiteral("A quantidade \"%1\" da linha do pedido %2 não é um número: nenhuma etiqueta foi "
                                    "impressa e a linha não foi marcada.")
                         .arg(line.text(quantityColumn), d.LBLPEDIDO),
                     Vorla, Operator::Icon::Information);
        return false;
    }

    double Qtd = *quantity;
    LabelContext ctx{m_state, m_op, line, s.labels};
    if (m_type.builder(ctx, Qtd, s.cbotemp, s.cbovelocidade, s.cbocoluna, largura(s.cbolargura)) != LabelResult::Printed)
        return false;  // the builder told the operator why; the line stays current

    const QDateTime now = regional::now();
    m_state.SqlGeral = m_type.lineUpdate + QStringLiteral("S") + m_type.lineDate + regional::dateText(now.date()) +
                       regional::timeText(now.time()) + m_type.lineUser + sqlText(user) + QStringLiteral(" '") +
                       QStringLiteral(" where Identificação = ") + QString::number(identificacao);
    m_state.ConexaoPedidos.execute(m_state.SqlGeral);

    if (d.lblpedido1 != QLatin1String(" ") && d.lblpedido1 == d.LBLPEDIDO) {
        CARREGAPRODUCAO(d);
        return true;
    }
    finishOrder(d, line, s);
    return true;
}

void ProductionRun::finishOrder(ProductionDisplay& d, const Record& line, const ProductionSettings& s)
{
    m_state.SqlGeral = m_type.headerUpdate + QStringLiteral("S'") + QStringLiteral(" where IDCODIGO = ") +
                       QString::number(line.value(QStringLiteral("IDCODIGO")).toLongLong());
    m_state.ConexaoPedidos.execute(m_state.SqlGeral);

    const QString lote = line.text(QStringLiteral("lote"));
    const QString fornecedor = line.text(QStringLiteral("Fornecedor"));
    const Recordset quantities = m_state.ConexaoPedidos.query(resumo::quantityQuery(d.lblprod, d.LBLPEDIDO));
    d.TotalPedido = resumo::addUp(d.TotalPedido, quantities);
    const QString label = m_type.smallSummary() ? resumo::smallLabel(s.cbotemp, d.TotalPedido, lote, fornecedor)
                                                : resumo::largeLabel(s.cbotemp, d.TotalPedido, lote, fornecedor);
    m_state.RsGeral = Recordset();
    m_state.RsSoma = Recordset();

    if (!ImprimeDireto(m_state.ImpressoraSelecionada, QStringLiteral("ZEBRA"), label))
        m_op.message(QStringLiteral("A impressora %1 não aceitou a etiqueta de resumo do pedido %2. As etiquetas do "
                                    "pedido foram impressas e marcadas; separe o pedido sem o resumo.")
                         .arg(m_state.ImpressoraSelecionada, lote),
                     Vorla, Operator::Icon::Warning);

    d.TotalPedido = QStringLiteral("0");
    d.LBLVISOR = false;
    CARREGAPRODUCAO(d);
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
