#include "LabelFixture.h"

#include "labels/LabelTypes.h"
#include "production/ProductionTypes.h"

Record orderLine() {
    static const auto columns = std::make_shared<const QStringList>(
        QString("IDCODIGO,PEDIDO,NUMPROD,Identificação,COLECAO,CODIG_PROD,LOTE,PRECO,QTD_IMPRES,CODIG_COR,"
                "TAMANHO,DESCRICAO,CODIG_BARR,CATEGORIA,TIPO_PROD,MENSAGEM,PROMOCIONAL,DATA,RQTD")
            .split(','));
    QVariantList values;
    for (const QString& v : QString("7|451207|0000000012|31|VERÃO 2027|10.22.3344|451207|49,90|40|AZUL CÉU|M|"
                                    "CAMISETA ALGODÃO ESTAMPA CORAÇÃO AZUL MARINHO|7891234567890|FEMININO|"
                                    "BLUSA DE MALHA COM ESTAMPA|TROCA SÓ COM ETIQUETA|6|25/12/2026|9")
                                .split('|'))
        values << v;
    values[0] = 7;
    values[3] = 31;
    return Record(columns, values);
}

QString labelType(const QString& key) {
    static const QHash<QString, QString> types{
        {"Preco5426", labeltype::Preco5426},     {"Tag5360", labeltype::Tag5360},
        {"Costura5016", labeltype::Costura5016}, {"Costura5023", labeltype::Costura5023},
        {"Basket3225", labeltype::Basket3225},   {"Pack", labeltype::Pack}};
    return types.value(key, key);
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
    const ProductionType* production = productionType(type);
    return production ? production->builder : nullptr;
}

LabelBench::LabelBench() {
    home.state().ImpressoraSelecionada = printer.uri();
    settings.producaoVisivel = true;
}

LabelResult LabelBench::run(Builder builder, double& Qtd, const Record& line) {
    op.readsEveryLabel = true;
    LabelContext ctx{home.state(), op, line, settings};
    return builder(ctx, Qtd, QStringLiteral("10"), QStringLiteral("04"), settings.cbocoluna,
                   short(settings.cbolargura.toInt()));
}
