// The rules that turn an order line into label data: row counts, barcode data,
// placeholders, field positions and the free text of conf.txt. The tables are in data/.
#include "LabelFixture.h"

#include "intake/ConfTxt.h"
#include "labels/BarcodeRules.h"
#include "labels/LabelTypes.h"
#include "labels/PreencheModelo.h"
#include "support/DataRows.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class LabelRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void quantityRules_data() { addRowsFrom(DATA_DIR "/quantity-rules.txt"); }
    void quantityRules() {
        const DataRow r = dataRow();
        LabelSettings settings = settingsFor(labelType(r["type"]), r["boxes"]);
        settings.TXTPORCENTAGEM = r["percentage"];
        double Qtd = r["qtd"].toDouble();
        QString job = "^PQ*/DIV/*,0,1,Y^XZ";
        PreencheModelo(job, Qtd, "10", 4, orderLine(), settings);
        QCOMPARE(job, "^PQ" + r["div"] + ",0,1,Y^XZ");
        QCOMPARE(Qtd, r["qtdAfter"].toDouble());
    }

    // From the ad-hoc window the builder itself makes six labels one row.
    void sewingSixAcrossFromAdHoc_data() {
        QTest::addColumn<double>("qtd");
        QTest::addColumn<QString>("div");
        QTest::newRow("60 labels") << 60.0 << "0010";
        QTest::newRow("100 labels") << 100.0 << "0017";
    }
    void sewingSixAcrossFromAdHoc() {
        QFETCH(double, qtd);
        QFETCH(QString, div);
        LabelBench bench;
        bench.settings = settingsFor(labeltype::Costura5016, "A2");
        bench.settings.TXTPORCENTAGEM = "0";
        const double typed = qtd;
        QCOMPARE(bench.run(EtiquetaCostura5016, qtd), LabelResult::Printed);
        QVERIFY(bench.jobs(1).value(0).endsWith("^PQ" + div + ",0,1,Y^XZ"));
        QCOMPARE(qtd, typed / 6);
    }

    void barcodeData_data() { addRowsFrom(DATA_DIR "/barcode-rules.txt"); }
    void barcodeData() {
        const DataRow r = dataRow();
        const QHash<QString, QString (*)(const QString&)> rules = {{"CB", barcode::ruleCB},
                                                                   {"BC", barcode::ruleBC},
                                                                   {"N", barcode::ruleN},
                                                                   {"L", barcode::ruleL},
                                                                   {"F", barcode::ruleF}};
        QCOMPARE(rules.value(r["rule"])(r["code"]), r["data"]);
    }

    void placeholders_data() { addRowsFrom(DATA_DIR "/placeholders.txt"); }
    void placeholders() {
        const DataRow r = dataRow();
        Record line = orderLine();
        line.setValue(r["field"], r["value"] == "<null>" ? QVariant() : QVariant(r["value"]));
        double qtd = 10;
        QString job = r["job"];
        PreencheModelo(job, qtd, "15", 6, line, settingsFor(labeltype::Preco5426, ""));
        QCOMPARE(job, r["filled"]);
    }

    void offsetsMoveEveryField_data() {
        QTest::addColumn<QString>("coluna");
        QTest::addColumn<QString>("largura");
        QTest::addColumn<QString>("firstFields");
        const QString f = "^FT%1 ,%2^A0N,28,26^FH\\^FD7891234567890^FS^FT%3 ,%4";
        QTest::newRow("00 00") << "00"
                               << "00" << f.arg(80).arg(166).arg(285).arg(38);
        QTest::newRow("-50 00") << "-50"
                                << "00" << f.arg(30).arg(166).arg(235).arg(38);
        QTest::newRow("05 -50") << "05"
                                << "-50" << f.arg(85).arg(116).arg(290).arg(-12);
    }
    void offsetsMoveEveryField() {
        QFETCH(QString, coluna);
        QFETCH(QString, largura);
        QFETCH(QString, firstFields);
        LabelBench bench;
        bench.settings = settingsFor(labeltype::Costura5023, "");
        bench.settings.cbocoluna = coluna;
        bench.settings.cbolargura = largura;
        double qtd = 10;
        QCOMPARE(bench.run(EtiquetaCostura5023, qtd), LabelResult::Printed);
        const QString job = bench.jobs(1).value(0);
        QVERIFY2(job.contains("^XA^MMT^PW799^LL0184^LS0" + firstFields), qPrintable(job));
    }

    void confTxt_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("line5"); // null: no key 5
        QTest::newRow("key and text") << QByteArray("5ABC\r\n") << "ABC";
        QTest::newRow("key alone") << QByteArray("5\n") << "";
        QTest::newRow("blanks kept") << QByteArray("5 ABC  \n") << " ABC  ";
        QTest::newRow("cut at 51") << QByteArray("5" + QByteArray(60, 'x')) << QString(50, 'x');
        QTest::newRow("last wins") << QByteArray("5FIRST\n1SRV\n\n5LAST\n") << "LAST";
        QTest::newRow("no key 5") << QByteArray("1SRV\n2DB\n6OTHER\n") << QString();
        QTest::newRow("Windows-1252") << QByteArray("5PE\xC7\x41\r\n") << "PEÇA";
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF\x35PE\xC3\x87\x41\n") << "PEÇA";
    }
    void confTxt() {
        QFETCH(QByteArray, content);
        QFETCH(QString, line5);
        QTemporaryDir dir;
        QFile file(dir.filePath("conf.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const auto conf = readConfTxt(file.fileName());
        QVERIFY(conf);
        QCOMPARE(conf->value(5).has_value(), !line5.isNull());
        if (!line5.isNull()) QCOMPARE(*conf->value(5), line5);
        QVERIFY(!readConfTxt(dir.filePath("missing.txt")));
    }

    void tagKeepsFreeTextWithoutConfTxt() {
        LabelBench bench;
        bench.settings = settingsFor(labeltype::Tag5360, "");
        bench.home.state().ConfLinha5 = "ANTIGO";
        double qtd = 4;
        QCOMPARE(bench.run(EtiquetaTag5360, qtd), LabelResult::Printed);
        QCOMPARE(int(bench.jobs(1).value(0).count("^A0B,20,19^FH\\^FDANTIGO^FS")), 2);
        QCOMPARE(bench.home.state().ConfLinha5, QString("ANTIGO"));
    }
};

QTEST_GUILESS_MAIN(LabelRulesTest)
#include "tst_label_rules.moc"
