#include "production/ResumoPedido.h"

#include "data/Recordset.h"
#include "data/SqlText.h"
#include "labels/QuantityRules.h"
#include "labels/ZplJob.h"
#include "session/Regional.h"

namespace resumo {

namespace {
// The number at the start of a text, read with "." as the decimal point and blanks
// ignored; 0 when the text does not start with a number.
double leadingNumber(const QString& text)
{
    QString number;
    bool point = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) continue;
        if (c.isDigit() && c.unicode() < 128) number += c;
        else if (c == QLatin1Char('.') && !point) { point = true; number += c; }
        else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && number.isEmpty()) number += c;
        else break;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
}

} // namespace

QString quantityQuery(const QString& lblprod, const QString& LBLPEDIDO)
{
    return QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD,VORLA.MENSAGEM, VORLA.lote, VORLA.qtd_impres FROM VORLAPEDIDOS "
                          "INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE "
                          "(((VORLAPEDIDOS.NUMPROD)='")
           + sqlText(lblprod) + QStringLiteral("') AND ((VORLA.lote)='") + sqlText(LBLPEDIDO) + QStringLiteral("'));");
}

QString addUp(const QString& TotalPedido, const Recordset& quantities)
{
    // The running total is kept as the workstation writes a number, so a fraction added
    // once is read back without it at the next row, as the summary always did.
    QString total = TotalPedido;
    for (int row = 0; row < quantities.recordCount(); ++row)
        total = regional::numberText(leadingNumber(total) +
                                     leadingNumber(quantities.row(row).text(QStringLiteral("qtd_impres"))));
    return total;
}

QString smallLabel(const QString& cbotemp, const QString& TotalPedido, const QString& lote, const QString& fornecedor)
{
    return zpl::PrefixoDriver() + QStringLiteral("^XA~TA000~JSN^LT0^MNW^MTT^PON^PMN^LH0,0^JMA^PR2,2~SD") + cbotemp +
           QStringLiteral("^JUS^LRN^CI35^XZ") + QStringLiteral("^XA") + QStringLiteral("^MMT") +
           QStringLiteral("^PW799") + QStringLiteral("^LL0184") + QStringLiteral("^LS0") +
           QStringLiteral("^FO4,6^GB789,0,20^FS") + QStringLiteral("^FT7,121^A0N,28,28^FH\\^FDQTD: ") +
           quantity::divText(regional::numberFromText(TotalPedido).value_or(0), 4) + QStringLiteral("^FS") +
           QStringLiteral("^FT5,90^A0N,28,28^FH\\^FDPEDIDO: ") + zpl::hexEscaped(lote) + QStringLiteral("^FS") +
           QStringLiteral("^FT6,57^A0N,28,28^FH\\^FDFORNECEDOR: ") + zpl::hexEscaped(fornecedor) +
           QStringLiteral("^FS") + QStringLiteral("^PQ1,0,1,Y^XZ");
}

QString largeLabel(const QString& cbotemp, const QString& TotalPedido, const QString& lote, const QString& fornecedor)
{
    // This format has no control prefix, prints at speed 6 and sets the darkness with "^SD".
    return QStringLiteral("^XA~TA000~JSN^LT0^MNW^MTT^PON^PMN^LH0,0^JMA^PR6,6^SD") + cbotemp +
           QStringLiteral("^JUS^LRN^CI35^XZ") + QStringLiteral("^XA") + QStringLiteral("^MMT") +
           QStringLiteral("^LL0519") + QStringLiteral("^PW703") + QStringLiteral("^LS0") +
           QStringLiteral("^FO3,53^GB697,0,55^FS") +
           QStringLiteral("^FT8,300^A0N,31,33^FH\\^FDQUANTIDADE DE ETIQUETAS IMPRESSAS:^FS") +
           QStringLiteral("^FT148,270^A0N,31,33^FH\\^FD") + zpl::hexEscaped(lote) + QStringLiteral("^FS") +
           QStringLiteral("^FT9,268^A0N,31,33^FH\\^FDPEDIDO:^FS") + QStringLiteral("^FT14,195^A0N,31,33^FH\\^FD") +
           zpl::hexEscaped(fornecedor) + QStringLiteral("^FS") +
           QStringLiteral("^FT14,153^A0N,31,33^FH\\^FDFORNECEDOR:^FS") +
           QStringLiteral("^FT50,350^A0N,56,57^FH\\^FD") +
           quantity::divText(regional::numberFromText(TotalPedido).value_or(0), 5) + QStringLiteral(" ^FS") +
           QStringLiteral("^PQ1,0,1,Y^XZ");
}

} // namespace resumo
