#include "LabelFixture.h"

#include "labels/ConfereEtiqueta.h"
#include "labels/LabelTypes.h"
#include "printing/Windows1252.h"

#include <QHash>
#include <QRegularExpression>
#include <QTest>

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
    static const QHash<QString, Builder> builders{
        {labeltype::Preco5426, EtiquetaPreco5426},     {labeltype::Tag5360, EtiquetaTag5360},
        {labeltype::Costura5016, EtiquetaCostura5016}, {labeltype::Costura5023, EtiquetaCostura5023},
        {labeltype::Basket3225, EtiquetaBasket3225},   {labeltype::Pack, EtiquetaPack}};
    return builders.value(type);
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

QByteArray decodeGraphic(const QString& data, int bytesPerRow, int totalBytes) {
    const int rowChars = bytesPerRow * 2;
    QString hex;
    int count = 0;
    for (const QChar c : data) {
        if (c >= QLatin1Char('G') && c <= QLatin1Char('Y')) {
            count += c.unicode() - u'F';
        } else if (c >= QLatin1Char('g') && c <= QLatin1Char('z')) {
            count += 20 * (c.unicode() - u'f');
        } else if (QStringLiteral("0123456789ABCDEF").contains(c)) {
            hex += QString(std::max(count, 1), c);
            count = 0;
        } else if (c == QLatin1Char(',') || c == QLatin1Char('!')) {
            const int used = hex.size() % rowChars;
            hex += QString(rowChars - used, c == QLatin1Char(',') ? QLatin1Char('0') : QLatin1Char('F'));
        } else if (c == QLatin1Char(':')) {
            if (hex.size() % rowChars != 0 || hex.size() < rowChars) return {};
            hex += hex.mid(hex.size() - rowChars);
        } else {
            return {};
        }
    }
    if (hex.size() != totalBytes * 2) return {};
    return QByteArray::fromHex(hex.toLatin1());
}

void checkLogos(const QString& job) {
    static const QRegularExpression download("~DG([^,]+),(\\d{5}),(\\d{3}),([0-9A-Za-z,!:]*)");
    for (const QRegularExpressionMatch& m : download.globalMatch(job)) {
        const QByteArray bits = decodeGraphic(m.captured(4), m.captured(3).toInt(), m.captured(2).toInt());
        if (bits.isEmpty() || bits.count('\0') == bits.size())
            QTest::qFail(qPrintable("bad or blank graphic " + m.captured(1)), __FILE__, __LINE__);
    }
}
