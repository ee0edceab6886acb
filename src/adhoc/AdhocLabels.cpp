#include "adhoc/AdhocLabels.h"

#include "data/SqlText.h"
#include "history/PrintHistory.h"
#include "labels/LabelBuilders.h"
#include "labels/LabelTypes.h"
#include "printing/SentJobs.h"
#include "production/LineClaim.h"
#include "production/MenuSettings.h"
#include "production/ProductionTypes.h"
#include "render/PreviewOperator.h"
#include "session/Operator.h"
#include "session/ProgramState.h"
#include "session/Regional.h"

namespace adhoc {

const QString GridHeader = QStringLiteral(
    "|PRODUCAO|PEDIDO  | COD. BARRAS                     | DESCRIÇÃO                                 | COR        "
    "                      |TAM                 |  QTD              ");

namespace {
const QString Vorla = QStringLiteral("VORLA");

void tell(Operator& op, const QString& text, const QString& title = Vorla)
{
    op.message(text, title, Operator::Icon::Information);
}
} // namespace

Lookup TOMVELVORLA(ProgramState& state, Operator& op, QString& txtnumprod, QString& txtpedido)
{
    if (txtnumprod.isEmpty()) {
        tell(op, QStringLiteral("FALTA CAMPO NÚMERO DE PRODUÇÃO!"));
        return {{}, Focus::Producao};
    }
    if (txtpedido.isEmpty()) {
        tell(op, QStringLiteral("FALTA CAMPO PEDIDO!"));
        return {{}, Focus::Pedido};
    }
    state.AbreConexaoPedidos();
    txtnumprod = formatProductionNumber(txtnumprod);
    state.RsGeral = state.ConexaoPedidos.query(
        QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, "
                       "VORLA.colecao, VORLA.codig_prod,VORLA.PROMOCIONAL,VORLA.CATEGORIA,VORLA.PROMOCIONAL,"
                       "VORLA.MENSAGEM, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco, VORLA.qtd_impres, "
                       "VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.codig_barr, VORLA.categoria, "
                       "VORLA.tipo_prod, VORLA.data, VORLA.impresso, VORLA.data_regis,VORLA.RQTD, VORLA.data_impre fROM "
                       "VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE "
                       "(((VORLAPEDIDOS.numprod)='") +
        sqlText(txtnumprod) + QStringLiteral("') AND ((VORLA.LOTE)='") + sqlText(txtpedido) + QStringLiteral("'))"));
    if (state.RsGeral.isEmpty()) {
        tell(op, QStringLiteral("NÃO EXISTE NUMERO DE PRODUÇÃO OU PEDIDO COM ESSES VALORES"));
        txtnumprod.clear();
        txtpedido.clear();
        return {{}, Focus::Producao};
    }
    Lookup found;
    for (state.RsGeral.moveFirst(); !state.RsGeral.eof(); state.RsGeral.moveNext()) {
        const Record line = state.RsGeral.current();
        found.rows << GridRow{txtnumprod,
                              line.text(QStringLiteral("LOTE")),
                              line.text(QStringLiteral("CODIG_BARR")),
                              line.text(QStringLiteral("DESCRICAO")),
                              line.text(QStringLiteral("CODIG_COR")),
                              line.text(QStringLiteral("TAMANHO"))};
    }
    return found;
}

CellEdit editCell(const QString& cell, int column, int key, const QString& character)
{
    if (key == Qt::Key_Backspace) return {cell.isEmpty() ? cell : cell.chopped(1), !cell.isEmpty()};
    if (character.isEmpty() || character[0].unicode() < 32) return {cell, false};
    QString text = cell == QLatin1String("0") ? QString() : cell;
    if (column != QtdColumn) return {text, text != cell};
    // Quantities take digits only: anything else is not typed.
    if (!character[0].isDigit() || character[0].unicode() > 127) return {text, text != cell};
    return {text + character, true};
}

std::optional<int> quantityOf(const QString& cell)
{
    if (cell.isEmpty() || cell == QLatin1String("0")) return 0;
    bool ok = false;
    const int value = cell.toInt(&ok);
    for (const QChar c : cell)
        ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!ok || value < 1 || value > 32767) return std::nullopt;
    return value;
}

QStringList labelTypes()
{
    return {labeltype::Preco5426,   labeltype::Tag5360,    labeltype::Costura5016,
            labeltype::Costura5023, labeltype::Basket3225, labeltype::Pack};
}

bool checkChoices(Operator& op, const PrintSettings& s, const QList<GridRow>& rows)
{
    if (s.optionBoxesVisible && s.boxes.Check1 == s.boxes.Check2) {
        tell(op, QStringLiteral("Favor selecionar apenas um modelo de etiqueta"), QStringLiteral("Vorlau"));
        return false;
    }
    if (s.cbomarca.isEmpty()) {
        tell(op, QStringLiteral("Favor selecionar um modelo de etiqueta!"), QStringLiteral("Vorla"));
        return false;
    }
    for (int i = 0; i < rows.size(); ++i)
        if (!quantityOf(rows[i].qtd)) {
            tell(op, QStringLiteral("Quantidade inválida na linha %1: \"%2\". Digite um número de 1 a 32767. Nenhuma "
                                    "etiqueta foi impressa.")
                         .arg(i + 1)
                         .arg(rows[i].qtd));
            return false;
        }
    return true;
}

namespace {
// The first line of the order that matches the grid row; an empty record when it is gone.
std::optional<Record> matchingLine(ProgramState& state, const GridRow& row)
{
    state.AbreConexaoPedidos();
    state.RsGeral = state.ConexaoPedidos.query(
        QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, "
                       "VORLA.colecao,VORLA.PROMOCIONAL, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, "
                       "VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres,VORLA.RQTD, VORLA.codig_cor, "
                       "VORLA.tamanho, VORLA.descricao, VORLA.codig_barr, VORLA.categoria, VORLA.tipo_prod, "
                       "VORLA.data, VORLA.impresso, VORLA.data_regis, VORLA.data_impre fROM VORLAPEDIDOS INNER JOIN "
                       "VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE (((VORLAPEDIDOS.numprod)='") +
        sqlText(row.producao) + QStringLiteral("') AND ((VORLA.LOTE)='") + sqlText(row.pedido) +
        QStringLiteral("') AND ((VORLA.codig_barr)='") + sqlText(row.codBarras) +
        QStringLiteral("') AND ((VORLA.tamanho)='") + sqlText(row.tamanho) +
        QStringLiteral("') AND ((VORLA.codig_cor)='") + sqlText(row.cor) + QStringLiteral("'))"));
    if (state.RsGeral.isEmpty()) return std::nullopt;
    return state.RsGeral.current();
}

// Records the jobs of an ad-hoc row that the printer took, each a row of the history.
void recordAvulsa(ProgramState& state, const Record& line, const QString& labelType, const QString& user,
                  printing::SentJobs& sent)
{
    if (sent.isEmpty()) return;
    history::JobRecord job;
    job.kind = history::Kind::Avulsa;
    job.station = LineClaim::stationName();
    job.user = user;
    job.labelType = labelType;
    job.production = line.text(QStringLiteral("NUMPROD"));
    job.order = line.text(QStringLiteral("PEDIDO"));
    job.line = line.value(QStringLiteral("identificação")).toLongLong();
    job.barcode = line.text(QStringLiteral("codig_barr"));
    Transaction recording(state.ConexaoPedidos);
    history::PrintHistory(state.ConexaoPedidos).record(job, sent.take());
    recording.commit();
}

LabelResult printRow(ProgramState& state, Operator& op, const Record& line, int quantity, const PrintSettings& s,
                     const std::function<LabelSettings()>& labels)
{
    const ProductionType* type = productionType(s.cbomarca);
    if (!type) return LabelResult::NothingSelected;
    double Qtd = quantity;
    LabelContext ctx{state, op, line, labels()};
    return type->builder(ctx, Qtd, s.cbotemp, s.cbovel, s.cbocoluna, short(wholeNumberText(s.cbolargura).value_or(0)));
}
} // namespace

bool IMPRIMIR(ProgramState& state, Operator& op, const GridRow& row, int quantity, const PrintSettings& s,
              const QString& user, const std::function<LabelSettings()>& labels)
{
    const auto line = matchingLine(state, row);
    if (!line) return true;  // the line is gone: nothing to print or record
    state.SqlGeral = QStringLiteral("UPDATE VORLA set RDATA ='") + regional::dateTimeText() +
                     QStringLiteral("',RUSUARIO  = '") + sqlText(user) + QStringLiteral(" '") +
                     QStringLiteral(" where Identificação = ") +
                     QString::number(line->value(QStringLiteral("identificação")).toLongLong());
    state.ConexaoPedidos.execute(state.SqlGeral);
    printing::SentJobs sent;
    const LabelResult result = printRow(state, op, *line, quantity, s, labels);
    recordAvulsa(state, *line, s.cbomarca, user, sent);
    return result == LabelResult::Printed || result == LabelResult::NothingSelected;
}

QList<QByteArray> previewRow(ProgramState& state, Operator& op, const GridRow& row, int quantity,
                             const PrintSettings& s, const std::function<LabelSettings()>& labels)
{
    const auto line = matchingLine(state, row);
    if (!line) return {};
    return capturedJobs(op, [&](Operator& preview) { printRow(state, preview, *line, quantity, s, labels); });
}

} // namespace adhoc
