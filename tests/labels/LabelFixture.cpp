#include "LabelFixture.h"

#include "labels/ConfereEtiqueta.h"
#include "printing/Windows1252.h"

#include <QRegularExpression>
#include <QTest>

Record orderLine(const QString& codigBarr)
{
    static const auto columns = std::make_shared<const QStringList>(QStringList{
        QStringLiteral("IDCODIGO"), QStringLiteral("PEDIDO"), QStringLiteral("NUMPROD"),
        QStringLiteral("Identificação"), QStringLiteral("COLECAO"), QStringLiteral("CODIG_PROD"),
        QStringLiteral("LOTE"), QStringLiteral("PRECO"), QStringLiteral("QTD_IMPRES"), QStringLiteral("CODIG_COR"),
        QStringLiteral("TAMANHO"), QStringLiteral("DESCRICAO"), QStringLiteral("CODIG_BARR"),
        QStringLiteral("CATEGORIA"), QStringLiteral("TIPO_PROD"), QStringLiteral("MENSAGEM"),
        QStringLiteral("PROMOCIONAL"), QStringLiteral("DATA"), QStringLiteral("RQTD")});
    return Record(columns, QVariantList{
        7, QStringLiteral("451207"), QStringLiteral("0000000012"), 31, QStringLiteral("VERÃO 2027"),
        QStringLiteral("10.22.3344"), QStringLiteral("451207"), QStringLiteral("49,90"), QStringLiteral("40"),
        QStringLiteral("AZUL CÉU"), QStringLiteral("M"),
        QStringLiteral("CAMISETA ALGODÃO ESTAMPA CORAÇÃO AZUL MARINHO"), codigBarr, QStringLiteral("FEMININO"),
        QStringLiteral("BLUSA DE MALHA COM ESTAMPA"), QStringLiteral("TROCA SÓ COM ETIQUETA"), QStringLiteral("6"),
        QStringLiteral("25/12/2026"), QStringLiteral("9")});
}

LabelBench::LabelBench()
{
    home.state().ImpressoraSelecionada = printer.uri();
    settings.producaoVisivel = true;
}

LabelContext LabelBench::context(const Record& line)
{
    return LabelContext{home.state(), op, line, settings};
}

LabelResult LabelBench::run(Builder builder, double& Qtd, const Record& line)
{
    for (int i = 0; i < 4; ++i) op.readings.enqueue(line.text(QStringLiteral("CODIG_BARR")));
    LabelContext ctx = context(line);
    return builder(ctx, Qtd, QStringLiteral("10"), QStringLiteral("04"), settings.cbocoluna,
                   short(settings.cbolargura.toInt()));
}

QStringList LabelBench::jobs(int count)
{
    QStringList texts;
    for (const QByteArray& job : printer.waitForJobs(count)) texts << fromWindows1252(job);
    return texts;
}

QByteArray decodeGraphic(const QString& data, int bytesPerRow, int totalBytes)
{
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

QString withLogosChecked(const QString& job)
{
    static const QRegularExpression download(QStringLiteral("~DG([^,]+),(\\d{5}),(\\d{3}),([0-9A-Za-z,!:]*)"));
    QString out = job;
    QRegularExpressionMatchIterator it = download.globalMatch(job);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QByteArray bits = decodeGraphic(m.captured(4), m.captured(3).toInt(), m.captured(2).toInt());
        if (bits.isEmpty()) QTest::qFail(qPrintable(QStringLiteral("bad graphic ") + m.captured(1)), __FILE__, __LINE__);
        if (bits.count('\0') == bits.size())
            QTest::qFail(qPrintable(QStringLiteral("blank graphic ") + m.captured(1)), __FILE__, __LINE__);
        out.replace(m.captured(0),
                    QStringLiteral("~DG%1,%2,%3,<logo>").arg(m.captured(1), m.captured(2), m.captured(3)));
    }
    return out;
}

QString F(const char* leadIn, int x, int y, const QString& element)
{
    return QString::fromLatin1(leadIn) + QString::number(x) + QStringLiteral(" ,") + QString::number(y) + element;
}
