#include "LabelFixture.h"

#include "labels/ConfereEtiqueta.h"
#include "labels/LabelTypes.h"
#include "printing/Windows1252.h"


Record orderLine(const QString& codigBarr) {
    static const auto columns = std::make_shared<const QStringList>(
        QString("IDCODIGO,PEDIDO,NUMPROD,Identificação,COLECAO,CODIG_PROD,LOTE,PRECO,QTD_IMPRES,CODIG_COR,"
                "TAMANHO,"
                "DESCRICAO,CODIG_BARR,CATEGORIA,TIPO_PROD,MENSAGEM,PROMOCIONAL,DATA,RQTD")
            .split(','));
    QVariantList values;
    for (const QString& v :
         QString("7|451207|0000000012|31|VERÃO 2027|10.22.3344|451207|49,90|40|AZUL CÉU|M|CAMISETA "
                 "ALGODÃO ESTAMPA CORAÇÃO AZUL MARINHO||FEMININO|BLUSA DE MALHA COM ESTAMPA|TROCA "
                 "SÓ COM ETIQUETA|6|25/12/2026|9")
             .split('|'))
        values << v;
    values[0] = 7;
    values[3] = 31;
    values[12] = codigBarr;
    return Record(columns, values);
}

namespace {
// Each label type with its builder's name and its builder.
struct Kind {
    const char* key;
    const QString& type;
    LabelBench::Builder builder;
};
const Kind kinds[] = {{"Preco5426", labeltype::Preco5426, EtiquetaPreco5426},
                      {"Tag5360", labeltype::Tag5360, EtiquetaTag5360},
                      {"Costura5016", labeltype::Costura5016, EtiquetaCostura5016},
                      {"Costura5023", labeltype::Costura5023, EtiquetaCostura5023},
                      {"Basket3225", labeltype::Basket3225, EtiquetaBasket3225},
                      {"Pack", labeltype::Pack, EtiquetaPack}};
} // namespace

QString labelType(const QString& key) {
    for (const Kind& k : kinds)
        if (key == QLatin1String(k.key)) return k.type;
    return key;
}

QString labelResultName(LabelResult result) {
    static const QStringList names{"Printed",         "NothingSelected", "InvalidSettings", "InvalidData",
                                   "QuantityRefused", "PrinterRefused",  "NotConfirmed",    "Cancelled"};
    return names.value(int(result));
}

LabelSettings settingsFor(const QString& type, const QString& boxes) {
    const QStringList ticked = boxes.split(u' ');
    LabelSettings s;
    s.producaoVisivel = !boxes.startsWith(u'A');
    (s.producaoVisivel ? s.producaoCaption : s.cbomarca) = type;
    if (ticked.contains("A")) s.cbomarca = type;
    s.producao = {ticked.contains("P1"), ticked.contains("P2")};
    s.avulso = {ticked.contains("A1"), ticked.contains("A2")};
    return s;
}

LabelBench::Builder LabelBench::builderFor(const QString& type) {
    for (const Kind& k : kinds)
        if (type == k.type) return k.builder;
    return nullptr;
}

LabelBench::LabelBench() {
    home.state().ImpressoraSelecionada = printer.uri();
    settings.producaoVisivel = true;
}

LabelContext LabelBench::context(const Record& line) {
    return LabelContext{home.state(), op, line, settings};
}

LabelResult LabelBench::run(Builder builder, double& Qtd, const Record& line) {
    for (int i = 0; i < 4; ++i)
        op.readings.enqueue(line.text(QStringLiteral("CODIG_BARR")));
    LabelContext ctx = context(line);
    return builder(ctx, Qtd, QStringLiteral("10"), QStringLiteral("04"), settings.cbocoluna,
                   short(settings.cbolargura.toInt()));
}

QStringList LabelBench::jobs(int count) {
    QStringList texts;
    for (const QByteArray& job : printer.waitForJobs(count))
        texts << fromWindows1252(job);
    return texts;
}
