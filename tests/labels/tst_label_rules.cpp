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

    void offsetsMoveEveryField_data() { addRowsFrom(DATA_DIR "/offsets.txt"); }
    void offsetsMoveEveryField() {
        const DataRow r = dataRow();
        LabelBench bench;
        bench.settings = settingsFor(labeltype::Costura5023, "");
        bench.settings.cbocoluna = r["coluna"];
        bench.settings.cbolargura = r["largura"];
        double qtd = 10;
        QCOMPARE(bench.run(EtiquetaCostura5023, qtd), LabelResult::Printed);
        const QString job = bench.jobs(1).value(0);
        QVERIFY2(job.contains("^XA^MMT^PW799^LL0184^LS0" + r["firstFields"]), qPrintable(job));
    }

    void confTxt_data() { addRowsFrom(DATA_DIR "/conf-txt.txt"); }
    void confTxt() {
        const DataRow r = dataRow();
        QTemporaryDir dir;
        QFile file(dir.filePath("conf.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromPercentEncoding(r["content"].toUtf8()));
        file.close();
        const auto conf = readConfTxt(file.fileName());
        QVERIFY(conf);
        QCOMPARE(conf->value(5).has_value(), r["line5"] != "<none>");
        if (conf->value(5)) QCOMPARE(*conf->value(5), r["line5"]);
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
