// The rules that turn an order line into label data: row counts, barcode data,
// placeholders, field positions and the free text of conf.txt.
#include "LabelFixture.h"

#include "data/Home.h"
#include "intake/ConfTxt.h"
#include "labels/BarcodeRules.h"
#include "labels/LabelTypes.h"
#include "labels/PreencheModelo.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class LabelRulesTest : public QObject {
    Q_OBJECT
private slots:
    void quantityRules_data();
    void quantityRules();
    void sameTypeInBothTextsCountsOnce();
    void sewingSixAcrossFromAdHoc_data();
    void sewingSixAcrossFromAdHoc();
    void barcodeData_data();
    void barcodeData();
    void placeholders_data();
    void placeholders();
    void offsetsMoveEveryField_data();
    void offsetsMoveEveryField();
    void badSettingsPrintNothing_data();
    void badSettingsPrintNothing();
    void confTxt_data();
    void confTxt();
    void tagKeepsFreeTextWithoutConfTxt();
};

void LabelRulesTest::quantityRules_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("check1");
    QTest::addColumn<bool>("check2");
    QTest::addColumn<QString>("percentage");
    QTest::addColumn<double>("qtd");
    QTest::addColumn<QString>("div");
    QTest::addColumn<double>("qtdAfter");

    using namespace labeltype;
    // Overage 2.5 loses its fraction under the decimal comma; 13.5 rows round up.
    QTest::newRow("tag 25 +10%") << Tag5360 << false << false << "10" << 25.0 << "0014" << 13.5;
    QTest::newRow("tag 40 +0%") << Tag5360 << false << false << "0" << 40.0 << "0020" << 20.0;
    QTest::newRow("tag half row up") << Tag5360 << false << false << "0" << 1.0 << "0001" << 0.5;
    QTest::newRow("sticker 4 across 100") << Preco5426 << false << true << "10" << 100.0 << "0045" << 45.0;
    QTest::newRow("sticker 1 label 100") << Preco5426 << true << false << "10" << 100.0 << "0120" << 120.0;
    QTest::newRow("sticker fraction dropped") << Preco5426 << false << false << "0" << 12.5 << "0012" << 12.0;
    QTest::newRow("sticker overage 3.3") << Preco5426 << false << false << "10" << 33.0 << "0036" << 36.0;
    QTest::newRow("sewing 1 label") << Costura5016 << true << false << "10" << 40.0 << "0044" << 44.0;
    QTest::newRow("sewing 6 across 100") << Costura5016 << false << true << "0" << 100.0 << "0017" << 100.0 / 6;
    QTest::newRow("adhesive sewing box 1") << Costura5023 << true << false << "10" << 40.0 << "0042" << 42.0;
    QTest::newRow("adhesive sewing box 2") << Costura5023 << false << true << "10" << 40.0 << "0041" << 41.0;
    QTest::newRow("adhesive sewing no box") << Costura5023 << false << false << "10" << 13.7 << "0014" << 13.7;
    QTest::newRow("basket") << Basket3225 << false << false << "10" << 25.0 << "0026" << 26.0;
    QTest::newRow("pack 7") << Pack << false << false << "10" << 7.0 << "007" << 7.0;
    QTest::newRow("pack 1200") << Pack << false << false << "10" << 1200.0 << "1200" << 1200.0;
    QTest::newRow("pack wider than format") << Pack << false << false << "10" << 12345.0 << "12345" << 12345.0;
}

void LabelRulesTest::quantityRules()
{
    QFETCH(QString, type);
    QFETCH(bool, check1);
    QFETCH(bool, check2);
    QFETCH(QString, percentage);
    QFETCH(double, qtd);
    QFETCH(QString, div);
    QFETCH(double, qtdAfter);

    LabelSettings settings;
    settings.producaoCaption = type;
    settings.producao = {check1, check2};
    settings.TXTPORCENTAGEM = percentage;
    QString job = QStringLiteral("^PQ*/DIV/*,0,1,Y^XZ");
    PreencheModelo(job, qtd, QStringLiteral("10"), 4, orderLine(), settings);
    QCOMPARE(job, QStringLiteral("^PQ") + div + QStringLiteral(",0,1,Y^XZ"));
    QCOMPARE(qtd, qtdAfter);
}

void LabelRulesTest::sameTypeInBothTextsCountsOnce()
{
    LabelSettings settings;
    settings.producaoCaption = labeltype::Preco5426;
    settings.cbomarca = labeltype::Preco5426;
    settings.producao.Check2 = true;
    double qtd = 100;
    QString job = QStringLiteral("*/DIV/*");
    PreencheModelo(job, qtd, QStringLiteral("10"), 4, orderLine(), settings);
    QCOMPARE(job, QStringLiteral("0045"));
    QCOMPARE(qtd, 45.0);
}

void LabelRulesTest::sewingSixAcrossFromAdHoc_data()
{
    QTest::addColumn<double>("qtd");
    QTest::addColumn<QString>("div");
    QTest::newRow("60 labels") << 60.0 << "0010";
    QTest::newRow("100 labels") << 100.0 << "0017";
}

void LabelRulesTest::sewingSixAcrossFromAdHoc()
{
    QFETCH(double, qtd);
    QFETCH(QString, div);
    LabelBench bench;
    bench.settings.producaoVisivel = false;
    bench.settings.cbomarca = labeltype::Costura5016;
    bench.settings.avulso.Check2 = true;
    bench.settings.TXTPORCENTAGEM = QStringLiteral("0");
    const double typed = qtd;
    QCOMPARE(bench.run(EtiquetaCostura5016, qtd), LabelResult::Printed);
    QVERIFY(bench.jobs(1).value(0).endsWith(QStringLiteral("^PQ") + div + QStringLiteral(",0,1,Y^XZ")));
    QCOMPARE(qtd, typed / 6);
}

void LabelRulesTest::barcodeData_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("data");

    QTest::newRow("CB 16 digits") << "CB" << "7891234567890123" << ">;78912345678901>623";
    QTest::newRow("CB 30 digits") << "CB" << "123456789012345678901234567890" << ">;12345678901234>65678901234";
    QTest::newRow("CB empty") << "CB" << "" << ">;>6";
    QTest::newRow("BC empty") << "BC" << "" << ">:>5";
    QTest::newRow("BC long") << "BC" << "A12345678901234567890" << ">:A>5123456789012345";
    QTest::newRow("N numeric") << "N" << "123" << ">;123>6";
    QTest::newRow("N decimal comma") << "N" << "12,5" << ">;12,5>6";
    QTest::newRow("N letters") << "N" << "ABC123" << ">:A>5BC123";
    QTest::newRow("L numeric") << "L" << "7891234567890" << ">;7891234567890>6";
    QTest::newRow("L 16") << "L" << "A123456789012345" << ">:A>512345678901234>65";
    QTest::newRow("L short") << "L" << "AB" << ">:A>5B";
    QTest::newRow("L 25") << "L" << "A123456789012345678901234" << ">:A>512345678901234567890";
    QTest::newRow("F numeric") << "F" << "7891234567890" << ">;7891234567890>6";
    QTest::newRow("F 16") << "F" << "A123456789012345" << ">:A>512345678901234>65";
    QTest::newRow("F 17") << "F" << "A1234567890123456" << ">:A>512345678901234>656";
    QTest::newRow("F 20 cut at 17") << "F" << "A1234567890123456789" << ">:A>512345678901234>656";
    QTest::newRow("F short") << "F" << "AB12" << ">:A>5B12";
    QTest::newRow("F digit first") << "F" << "7A12" << "7A12";
    QTest::newRow("F empty") << "F" << "" << ">:>5";
}

void LabelRulesTest::barcodeData()
{
    QFETCH(QString, rule);
    QFETCH(QString, code);
    QFETCH(QString, data);
    const QHash<QString, QString (*)(const QString&)> rules = {
        {QStringLiteral("CB"), barcode::ruleCB}, {QStringLiteral("BC"), barcode::ruleBC},
        {QStringLiteral("N"), barcode::ruleN},   {QStringLiteral("L"), barcode::ruleL},
        {QStringLiteral("F"), barcode::ruleF}};
    QCOMPARE(rules.value(rule)(code), data);
}

void LabelRulesTest::placeholders_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("filled");

    QTest::newRow("date") << "DATA" << "05/01/2027" << "^FD*/DATA/*^FS" << "^FD01#27^FS";
    QTest::newRow("empty date") << "DATA" << "" << "^FD*/DATA/*^FS" << "^FD#^FS";
    QTest::newRow("short description") << "DESCRICAO" << "SAIA" << "*/DESCRICAO/*" << "SAIA";
    QTest::newRow("long description")
        << "DESCRICAO" << "VESTIDO LONGO DE VISCOSE ESTAMPADO FLORAL" << "*/DESCRICAO/*"
        << "VESTIDO LONGO DE VISCOSE ESTAMPAD";
    QTest::newRow("every occurrence, case kept") << "LOTE" << "L1" << "*/LOTE/*-*/LOTE/*-*/lote/*" << "L1-L1-*/lote/*";
    QTest::newRow("null field") << "MENSAGEM" << QString() << "[*/MENSAGEM/*]" << "[]";
    QTest::newRow("speed and darkness") << "LOTE" << "" << "^PR*/VELOCIDADE/*,*/VELOCIDADE/*~SD*/TEMPERATURA/*"
                                        << "^PR6,6~SD15";
    QTest::newRow("price as stored") << "PRECO" << "1.299,9" << "R$ */PRECO/*" << "R$ 1.299,9";
    QTest::newRow("sticker short type") << "TIPO_PROD" << "CALÇA JEANS SKINNY COM ELASTANO"
                                        << "*/TIPO_PROD/*|*/TIPO_PROD2/*"
                                        << "CALÇA JEANS SKINNY COM ELASTANO|CALÇA JEANS SKINNY CO";
}

void LabelRulesTest::placeholders()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, job);
    QFETCH(QString, filled);
    Record line = orderLine();
    line.setValue(field, value.isNull() ? QVariant() : QVariant(value));
    LabelSettings settings;
    settings.producaoCaption = labeltype::Preco5426;
    double qtd = 10;
    PreencheModelo(job, qtd, QStringLiteral("15"), 6, line, settings);
    QCOMPARE(job, filled);
}

void LabelRulesTest::offsetsMoveEveryField_data()
{
    QTest::addColumn<QString>("coluna");
    QTest::addColumn<QString>("largura");
    QTest::addColumn<QString>("firstFields");
    QTest::newRow("00 00") << "00" << "00" << "^FT80 ,166^A0N,28,26^FH\\^FD7891234567890^FS^FT285 ,38";
    QTest::newRow("-50 00") << "-50" << "00" << "^FT30 ,166^A0N,28,26^FH\\^FD7891234567890^FS^FT235 ,38";
    QTest::newRow("05 -50") << "05" << "-50" << "^FT85 ,116^A0N,28,26^FH\\^FD7891234567890^FS^FT290 ,-12";
}

void LabelRulesTest::offsetsMoveEveryField()
{
    QFETCH(QString, coluna);
    QFETCH(QString, largura);
    QFETCH(QString, firstFields);
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Costura5023;
    bench.settings.cbocoluna = coluna;
    bench.settings.cbolargura = largura;
    double qtd = 10;
    QCOMPARE(bench.run(EtiquetaCostura5023, qtd), LabelResult::Printed);
    const QString job = bench.jobs(1).value(0);
    QVERIFY2(job.contains(QStringLiteral("^XA^MMT^PW799^LL0184^LS0") + firstFields), qPrintable(job));
}

void LabelRulesTest::badSettingsPrintNothing_data()
{
    QTest::addColumn<QString>("coluna");
    QTest::addColumn<QString>("percentage");
    QTest::addColumn<QString>("speed");
    QTest::newRow("offset") << "abc" << "10" << "04";
    QTest::newRow("empty percentage") << "00" << "" << "04";
    QTest::newRow("percentage with sign") << "00" << "10%" << "04";
    QTest::newRow("negative percentage") << "00" << "-10" << "04";
    QTest::newRow("speed") << "00" << "10" << "";
}

void LabelRulesTest::badSettingsPrintNothing()
{
    QFETCH(QString, coluna);
    QFETCH(QString, percentage);
    QFETCH(QString, speed);
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Costura5023;
    bench.settings.cbocoluna = coluna;
    bench.settings.TXTPORCENTAGEM = percentage;
    LabelContext ctx = bench.context();
    double qtd = 10;
    QCOMPARE(EtiquetaCostura5023(ctx, qtd, QStringLiteral("10"), speed, coluna, 0), LabelResult::InvalidSettings);
    QCOMPARE(bench.op.shown.size(), 1);
    QCOMPARE(bench.op.shown[0].kind, QStringLiteral("message"));
    QCOMPARE(bench.op.shown[0].title, QStringLiteral("VORLA"));
    QCOMPARE(qtd, 10.0);
    QTest::qWait(100);
    QVERIFY(bench.printer.jobs().isEmpty());
}

void LabelRulesTest::confTxt_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("line5");  // null: no key 5

    QTest::newRow("key and text") << QByteArray("5ABC\r\n") << "ABC";
    QTest::newRow("key alone") << QByteArray("5\n") << "";
    QTest::newRow("blanks kept") << QByteArray("5 ABC  \n") << " ABC  ";
    QTest::newRow("cut at 51") << QByteArray("5" + QByteArray(60, 'x')) << QString(50, QLatin1Char('x'));
    QTest::newRow("last wins") << QByteArray("5FIRST\n1SRV\n\n5LAST\n") << "LAST";
    QTest::newRow("no key 5") << QByteArray("1SRV\n2DB\n6OTHER\n") << QString();
    QTest::newRow("Windows-1252") << QByteArray("5PE\xC7" "A\r\n") << "PEÇA";
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF" "5PE\xC3\x87" "A\n") << "PEÇA";
}

void LabelRulesTest::confTxt()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, line5);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("conf.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    const auto conf = readConfTxt(file.fileName());
    QVERIFY(conf);
    QCOMPARE(conf->value(5).has_value(), !line5.isNull());
    if (!line5.isNull()) QCOMPARE(*conf->value(5), line5);
    QVERIFY(!readConfTxt(dir.filePath(QStringLiteral("missing.txt"))));
}

void LabelRulesTest::tagKeepsFreeTextWithoutConfTxt()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Tag5360;
    bench.home.state().ConfLinha5 = QStringLiteral("ANTIGO");
    double qtd = 4;
    QCOMPARE(bench.run(EtiquetaTag5360, qtd), LabelResult::Printed);
    QCOMPARE(int(bench.jobs(1).value(0).count(QStringLiteral("^A0B,20,19^FH\\^FDANTIGO^FS"))), 2);
    QCOMPARE(bench.home.state().ConfLinha5, QStringLiteral("ANTIGO"));
}

QTEST_GUILESS_MAIN(LabelRulesTest)
#include "tst_label_rules.moc"
