#include "labels/PreencheModelo.h"

#include "labels/BarcodeRules.h"
#include "labels/LabelTypes.h"
#include "labels/QuantityRules.h"
#include "labels/ZplJob.h"

using quantity::whole;

namespace {

void fill(QString& job, const QString& name, const QString& value)
{
    zpl::fillData(job, QStringLiteral("*/") + name + QStringLiteral("/*"), value);
}

// "*/DATA/*": month and two-digit year of a dd/MM/yyyy text, joined by "#".
QString dataText(const QString& date)
{
    return date.mid(3, 2) + QLatin1Char('#') + date.mid(8, 2);
}

} // namespace

void PreencheModelo(QString& job, double& Qtd, const QString& Temperatura, int velocidade, const Record& line,
                    const LabelSettings& settings)
{
    fill(job, QStringLiteral("VELOCIDADE"), QString::number(velocidade));
    fill(job, QStringLiteral("TEMPERATURA"), Temperatura);

    fill(job, QStringLiteral("CATEGORIA"), line.text(QStringLiteral("CATEGORIA")));
    fill(job, QStringLiteral("TAMANHO"), line.text(QStringLiteral("TAMANHO")));
    fill(job, QStringLiteral("PRECO"), line.text(QStringLiteral("preco")));
    fill(job, QStringLiteral("TIPO_PROD"), line.text(QStringLiteral("Tipo_prod")));
    fill(job, QStringLiteral("LOTE"), line.text(QStringLiteral("LOTE")));
    fill(job, QStringLiteral("COLECAO"), line.text(QStringLiteral("colecao")));
    fill(job, QStringLiteral("PRODUTO"), line.text(QStringLiteral("codig_prod")));
    fill(job, QStringLiteral("DATA"), dataText(line.text(QStringLiteral("Data"))));
    fill(job, QStringLiteral("CODIG_BARR"), line.text(QStringLiteral("CODIG_BARR")));
    fill(job, QStringLiteral("DESCRICAO"), line.text(QStringLiteral("DESCRICAO")).left(33));
    fill(job, QStringLiteral("CODIG_COR"), line.text(QStringLiteral("CODIG_COR")));
    fill(job, QStringLiteral("MENSAGEM"), line.text(QStringLiteral("MENSAGEM")));

    const double E = settings.percentage() * whole(Qtd) / 100.0;
    const QString code = line.text(QStringLiteral("CODIG_BARR"));
    const auto& check = settings.producao;  // the quantity rules read the production window's boxes
    auto div = [&job](double rows, int digits) { fill(job, QStringLiteral("DIV"), quantity::divText(rows, digits)); };
    auto promocional = [&] { fill(job, QStringLiteral("PROMOCIONAL"), line.text(QStringLiteral("PROMOCIONAL"))); };
    auto barcode = [&job](const QString& data) { fill(job, QStringLiteral("CODIGO_BARRAS"), data); };

    if (settings.isLabelType(labeltype::Tag5360)) {
        Qtd = (whole(Qtd) + whole(E)) / 2;
        div(Qtd, 4);
        promocional();
        barcode(barcode::ruleF(code));
    }
    if (settings.isLabelType(labeltype::Preco5426)) {
        if (check.Check1) Qtd = whole(Qtd) + whole(E);
        if (check.Check2) {
            Qtd = whole(Qtd) / 4;
            Qtd = Qtd + whole(E);
        }
        Qtd = whole(Qtd) + whole(E);
        div(Qtd, 4);
        fill(job, QStringLiteral("TIPO_PROD2"), line.text(QStringLiteral("Tipo_prod")).left(21));
        barcode(barcode::ruleN(code));
    }
    if (settings.isLabelType(labeltype::Costura5016)) {
        if (check.Check1) Qtd = whole(Qtd) + whole(E);
        if (check.Check2) {
            Qtd = whole(Qtd) / 6;
            Qtd = Qtd + whole(E);
        }
        div(Qtd, 4);
        barcode(barcode::ruleL(code));
    }
    if (settings.isLabelType(labeltype::Costura5023)) {
        if (check.Check1) Qtd = whole(Qtd) + whole(E) / 2;
        if (check.Check2) Qtd = whole(Qtd) + whole(E) / 4;
        div(Qtd, 4);
        barcode(barcode::ruleCB(code));
    }
    if (settings.isLabelType(labeltype::Basket3225)) {
        Qtd = whole(Qtd) + whole(E) / 2;
        div(Qtd, 4);
        promocional();
        barcode(barcode::ruleBC(code));
    }
    if (settings.isLabelType(labeltype::Pack)) {
        div(Qtd, 3);
        promocional();
    }
}
