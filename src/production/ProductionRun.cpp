#include "production/ProductionRun.h"

#include "data/DataError.h"
#include "data/SqlText.h"
#include "history/PrintHistory.h"
#include "production/LineClaim.h"
#include "production/OrderClosing.h"
#include "labels/Darkness.h"
#include "labels/PrinterReady.h"
#include "printing/ImprimeDireto.h"
#include "printing/SentJobs.h"
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

QStringList missingColumns(const Record& row)
{
    QStringList missing;
    for (const QString& column : builderColumns())
        if (!row.has(column)) missing << column;
    return missing;
}

// The row with the columns it lacked, read from the line's own row (`own`).
Record withColumns(const Record& row, const QStringList& missing, const Record& own)
{
    QStringList columns = row.columns();
    QVariantList values = row.values();
    for (const QString& column : missing) {
        columns << column;
        values << own.value(column);
    }
    return Record(std::make_shared<const QStringList>(columns), values);
}

Record completeLine(Connection& store, const Record& row, qint64 identificacao)
{
    const QStringList missing = missingColumns(row);
    if (missing.isEmpty()) return row;
    const Recordset own = store.query(QStringLiteral("SELECT %1 FROM VORLA WHERE Identificação = %2")
                                          .arg(missing.join(QStringLiteral(", ")), QString::number(identificacao)));
    return own.isEmpty() ? row : withColumns(row, missing, own.current());
}

// What the history records of a job of one line (the print statements read NUMPROD,
// PEDIDO, Identificação and CODIG_BARR).
history::JobRecord lineJob(history::Kind kind, const QString& user, const QString& labelType, const Record& line)
{
    history::JobRecord job;
    job.kind = kind;
    job.station = LineClaim::stationName();
    job.user = user;
    job.labelType = labelType;
    auto text = [&](const QString& column) { return line.has(column) ? line.text(column) : QString(); };
    job.production = text(QStringLiteral("NUMPROD"));
    job.order = text(QStringLiteral("PEDIDO"));
    job.line = text(QStringLiteral("identificação")).toLongLong();
    job.barcode = text(QStringLiteral("CODIG_BARR"));
    return job;
}

// Records jobs that left without the marks they go with (a line stopped halfway, a
// claim lost), in a transaction of their own.
void recordAlone(Connection& store, const history::JobRecord& job, printing::SentJobs& sent)
{
    if (sent.isEmpty()) return;
    Transaction alone(store);
    history::PrintHistory(store).record(job, sent.take());
    alone.commit();
}

short largura(const QString& cbolargura)
{
    return short(wholeNumberText(cbolargura).value_or(0));
}
} // namespace

ProductionRun::ProductionRun(ProgramState& state, Operator& op, const ProductionType& type, QString user)
    : m_state(state), m_op(op), m_type(type), m_user(std::move(user))
{
}

bool ProductionRun::enterProductionNumber(const QString& typed, ProductionDisplay& display,
                                          const ProductionSettings& settings)
{
    display.lblprod = display.lastProduction = formatProductionNumber(typed);
    printOwedSummaries(display.lblprod, settings);
    return CARREGAPRODUCAO(display);
}

bool ProductionRun::CARREGAPRODUCAO(ProductionDisplay& d)
{
    return showCurrent(d, takeFirstLine(d.lblprod));
}

std::optional<Record> ProductionRun::takeFirstLine(const QString& lblprod, qint64 skipped)
{
    // The first line this workstation can take: on one workstation, always the first.
    // Lines other stations hold are passed over; the first few rows nearly always hold
    // a free one, so the whole list is read only when they do not.
    const QString lookup = m_type.lookupFirst + sqlText(lblprod) + m_type.lookupSecond;
    LineClaim claim(m_state.ConexaoPedidos, m_type.lineFlag());
    const QString take = m_type.lineUpdate + QStringLiteral("A'");
    constexpr int kFirstRows = 16;
    for (const int rows : {kFirstRows, -1}) {
        m_state.RsGeral = m_state.ConexaoPedidos.query(lookup, rows);
        for (int row = 0; row < m_state.RsGeral.recordCount(); ++row) {
            const qint64 identificacao = m_state.RsGeral.row(row).value(QStringLiteral("identificação")).toLongLong();
            if (identificacao == skipped || !claim.take(take, identificacao)) continue;
            m_state.RsGeral.moveTo(row);
            m_state.SqlGeral = take + QStringLiteral(" where Identificação = ") + QString::number(identificacao);
            return m_state.RsGeral.current();
        }
        if (m_state.RsGeral.recordCount() < kFirstRows) break;  // that was every line
    }
    // Nothing left, or every line left is held by other workstations.
    m_state.RsGeral = Recordset();
    return std::nullopt;
}

bool ProductionRun::showCurrent(ProductionDisplay& d, const std::optional<Record>& row)
{
    if (!row) {
        for (QString* caption : {&d.LBLPEDIDO, &d.LBLCODIGOBARRAS, &d.LBLDESCRICAO, &d.LBLTAM, &d.LBLQTD, &d.LBLPRECO,
                                 &d.lblprod, &d.LBLFORN})
            caption->clear();
        clearNext(d);
        d.linesLeft = d.linesTotal = 0;
        return false;
    }
    showLine(*row, d.LBLPEDIDO, d.LBLCODIGOBARRAS, d.LBLDESCRICAO, d.LBLTAM, d.LBLQTD, d.LBLPRECO);
    d.LBLFORN = row->text(QStringLiteral("Fornecedor"));
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
    const QString header = m_type.headerFlag();
    const QString line = m_type.lineFlag();
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
    // Whether it is held and the columns the statement left out come in one read.
    LineClaim claim(m_state.ConexaoPedidos, m_type.lineFlag());
    const QStringList missing = missingColumns(m_state.RsGeral.current());
    std::optional<Record> own;
    int held = 0;
    for (; held < m_state.RsGeral.recordCount(); ++held) {
        own = claim.heldLine(m_state.RsGeral.row(held).value(QStringLiteral("identificação")).toLongLong(), missing);
        if (own) break;
    }
    if (!own) {
        m_op.message(QStringLiteral("A linha do pedido %1 foi tomada por outra estação: nenhuma etiqueta foi impressa "
                                    "aqui e nada foi marcado.")
                         .arg(d.LBLPEDIDO),
                     Vorla, Operator::Icon::Information);
        return std::nullopt;
    }
    m_state.RsGeral.moveTo(held);
    LineToPrint l;
    l.identificacao = m_state.RsGeral.value(QStringLiteral("identificação")).toLongLong();
    l.line = missing.isEmpty() ? m_state.RsGeral.current() : withColumns(m_state.RsGeral.current(), missing, *own);
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

bool ProductionRun::Cmdimprimir(ProductionDisplay& d, const ProductionSettings& s, const QString& user)
{
    if (m_user.isEmpty()) m_user = user;  // the order's summary names who clicked
    auto l = lineToPrint(d, s);
    if (!l) return false;
    // Every job the printer takes is recorded: with the marks below, or alone when the
    // line stops before them.
    printing::SentJobs sent;
    const history::JobRecord job = lineJob(history::Kind::Producao, user, m_type.caption, l->line);
    if (printLine(*l, s, m_op) != LabelResult::Printed) {
        recordAlone(m_state.ConexaoPedidos, job, sent);
        return false;  // the builder told the operator why; the line stays current
    }

    // The labels are out. One transaction takes the next line, marks this one 'S' and,
    // when it was the order's last, closes the order: a crash leaves all of it or none.
    const qint64 idPedido = l->line.value(QStringLiteral("IDCODIGO")).toLongLong();
    LineClaim claim(m_state.ConexaoPedidos, m_type.lineFlag());
    OrderClosing closing(m_state.ConexaoPedidos, m_type, claim.station());
    std::optional<Record> next;
    std::optional<OrderClosing::Owed> closed;
    bool held = true;
    try {
        Transaction click(m_state.ConexaoPedidos);
        // Stations printing one production number write its lines in one order: each
        // click first locks the number's headers. Stations of types with other flags
        // write the same line rows, and a take and a mark of two clicks could otherwise
        // wait for each other's rows. (A store file's write transaction is the lock.)
        m_state.ConexaoPedidos.lockRows(
            QStringLiteral("SELECT IDCODIGO FROM VORLAPEDIDOS WHERE NUMPROD = '%1' ORDER BY IDCODIGO")
                .arg(sqlText(d.lblprod)));
        next = takeFirstLine(d.lblprod, l->identificacao);
        const QDateTime now = regional::now();
        m_state.SqlGeral = m_type.lineUpdate + QStringLiteral("S") + m_type.lineDate +
                           regional::dateText(now.date()) + regional::timeText(now.time()) + m_type.lineUser +
                           sqlText(user) + QStringLiteral(" '") + QStringLiteral(" where Identificação = ") +
                           QString::number(l->identificacao);
        held = claim.markPrinted(m_state.SqlGeral);
        if (held) {
            closed = closing.closeIfDone(idPedido, OrderClosing::Header::AlreadyLocked);
            history::PrintHistory(m_state.ConexaoPedidos).record(job, sent.take());
            click.commit();
        }  // otherwise nothing of it is kept
    } catch (const DataError& e) {
        throw DataError(e.text() +
                        QStringLiteral("\n\nAs etiquetas da linha podem já ter saído da impressora: a linha não foi "
                                       "marcada e será impressa de novo no próximo \"Imprimir\"; separe as que "
                                       "saíram."));
    }
    if (!held) {
        // Held too long: another station took the line over and prints it.
        recordAlone(m_state.ConexaoPedidos, job, sent);
        m_op.message(QStringLiteral("A linha do pedido %1 passou para outra estação enquanto era impressa: ela não foi "
                                    "marcada aqui e será impressa pela outra estação. Descarte as etiquetas desta "
                                    "linha que saíram desta impressora.")
                         .arg(d.LBLPEDIDO),
                     Vorla, Operator::Icon::Warning);
        CARREGAPRODUCAO(d);
        return false;
    }
    if (closed) {
        d.lastClosedOrder = closed->pedido;
        printSummary(d.lblprod, *closed, s, &l->line, &d.TotalPedido);
        d.TotalPedido = QStringLiteral("0");
        d.LBLVISOR = false;
    }
    showCurrent(d, next);
    return true;
}

QString ProductionRun::summaryLabel(QString& TotalPedido, const QString& lblprod, const QString& pedido,
                                    const Record& line, const ProductionSettings& s)
{
    const QString lote = line.text(QStringLiteral("lote"));
    const QString fornecedor = line.text(QStringLiteral("Fornecedor"));
    TotalPedido = resumo::addUp(TotalPedido, m_state.ConexaoPedidos.query(resumo::quantityQuery(lblprod, pedido)));
    return m_type.smallSummary() ? resumo::smallLabel(s.cbotemp, TotalPedido, lote, fornecedor)
                                 : resumo::largeLabel(s.cbotemp, TotalPedido, lote, fornecedor);
}

bool ProductionRun::printSummary(const QString& lblprod, const OrderClosing::Owed& owed, const ProductionSettings& s,
                                 const Record* printedLine, QString* TotalPedido)
{
    Record line = printedLine ? *printedLine : Record();
    if (!printedLine) {
        const Recordset first = m_state.ConexaoPedidos.query(
            QStringLiteral("SELECT lote, Fornecedor FROM VORLA WHERE IDPEDIDO = %1 ORDER BY Identificação")
                .arg(owed.idPedido),
            1);
        if (!first.isEmpty()) line = first.current();
    }
    QString total = TotalPedido ? *TotalPedido : QStringLiteral("0");
    const QString label = summaryLabel(total, lblprod, owed.pedido, line, s);
    m_state.RsGeral = Recordset();
    m_state.RsSoma = Recordset();
    const QString lote = owed.pedido;
    const bool isOwed = owed.idResumo != 0;
    const QString stillOwed = isOwed ? QStringLiteral(" Ela fica pendente e será impressa quando este número de "
                                                      "produção for digitado de novo.")
                                     : QString();
    if (!ensurePrinterReady(m_op, m_state.ImpressoraSelecionada,
                            QStringLiteral("Etiqueta de resumo do pedido %1.").arg(lote))) {
        m_op.message(QStringLiteral("A etiqueta de resumo do pedido %1 não foi impressa.").arg(lote) + stillOwed, Vorla,
                     Operator::Icon::Warning);
        return false;
    }
    SendFailure failure;
    printing::SentJobs sent;
    if (!ImprimeDireto(m_state.ImpressoraSelecionada, QStringLiteral("ZEBRA"), label, &failure)) {
        m_op.message(QStringLiteral("A impressora %1 não aceitou a etiqueta de resumo do pedido %2%3.%4%5")
                         .arg(m_state.ImpressoraSelecionada, lote,
                              failure.cause.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(failure.cause),
                              isOwed ? QStringLiteral(" As etiquetas do pedido foram impressas e marcadas; o resumo "
                                                      "fica pendente e será impresso quando este número de produção "
                                                      "for digitado de novo.")
                                     : QString(),
                              failure.detail.isEmpty() ? QString()
                                                       : QStringLiteral("\n\nDetalhe técnico: ") + failure.detail),
                     Vorla, Operator::Icon::Warning);
        return false;
    }
    // The summary is owed no more and recorded in one transaction.
    history::JobRecord job = lineJob(history::Kind::Resumo, m_user, m_type.caption, Record());
    job.production = lblprod;
    job.order = owed.pedido;
    Transaction done(m_state.ConexaoPedidos);
    if (isOwed) OrderClosing(m_state.ConexaoPedidos, m_type, LineClaim::stationName()).printed(owed.idResumo);
    history::PrintHistory(m_state.ConexaoPedidos).record(job, sent.take());
    done.commit();
    return true;
}

bool ProductionRun::reprintSummary(const QString& lblprod, const QString& pedido, const ProductionSettings& s)
{
    if (!darkness::checked(m_op, s.cbotemp)) return false;
    const Recordset header = m_state.ConexaoPedidos.query(
        QStringLiteral("SELECT IDCODIGO FROM VORLAPEDIDOS WHERE NUMPROD = '%1' AND PEDIDO = '%2' AND GRUPO = 'VORLA' "
                       "ORDER BY IDCODIGO")
            .arg(sqlText(lblprod), sqlText(pedido)),
        1);
    if (header.isEmpty()) {
        m_op.message(QStringLiteral("O pedido %1 não está no número de produção %2: nenhum resumo foi impresso.")
                         .arg(pedido, lblprod),
                     Vorla, Operator::Icon::Information);
        return false;
    }
    // A summary still owed is no more once printed by hand.
    OrderClosing::Owed summary{0, header.value(QStringLiteral("IDCODIGO")).toLongLong(), pedido};
    for (const OrderClosing::Owed& owed :
         OrderClosing(m_state.ConexaoPedidos, m_type, LineClaim::stationName()).takeOwed(lblprod))
        if (owed.idPedido == summary.idPedido) summary = owed;
    return printSummary(lblprod, summary, s);
}

void ProductionRun::printOwedSummaries(const QString& lblprod, const ProductionSettings& s)
{
    OrderClosing closing(m_state.ConexaoPedidos, m_type, LineClaim::stationName());
    const QList<OrderClosing::Owed> due = closing.takeOwed(lblprod);
    if (!due.isEmpty() && !darkness::checked(m_op, s.cbotemp)) return;  // they stay owed
    for (const OrderClosing::Owed& owed : due) {
        m_op.message(QStringLiteral("A etiqueta de resumo do pedido %1 ainda não foi impressa: ela será impressa "
                                    "agora.")
                         .arg(owed.pedido),
                     Vorla, Operator::Icon::Information);
        if (!printSummary(lblprod, owed, s)) return;  // the operator was told; it stays owed
    }
}

QList<QByteArray> ProductionRun::previewJobs(const ProductionDisplay& d, const ProductionSettings& s)
{
    auto l = lineToPrint(d, s);
    if (!l) return {};
    const qint64 idPedido = l->line.value(QStringLiteral("IDCODIGO")).toLongLong();
    return capturedJobs(m_op, [&](Operator& preview) {
        if (printLine(*l, s, preview) != LabelResult::Printed) return;
        OrderClosing closing(m_state.ConexaoPedidos, m_type, LineClaim::stationName());
        if (!closing.lastLineLeft(idPedido, l->identificacao)) return;
        QString total = d.TotalPedido;
        ImprimeDireto(m_state.ImpressoraSelecionada, QStringLiteral("ZEBRA"),
                      summaryLabel(total, d.lblprod, d.LBLPEDIDO, l->line, s));
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
    printing::SentJobs sent;
    m_type.builder(ctx, Qtd, s.cbotemp, s.cbovelocidade, s.cbocoluna, largura(s.cbolargura));
    recordAlone(m_state.ConexaoPedidos, lineJob(history::Kind::Calibracao, m_user, m_type.caption, ctx.line), sent);
}
