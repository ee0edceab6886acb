// The rules that turn an order line into label data: row counts, barcode data,
// placeholders and the free text of conf.txt; and the read-back of the printed barcodes.
// The tables are in data/.
#include "LabelFixture.h"

#include "intake/ConfTxt.h"
#include "labels/BarcodeRules.h"
#include "labels/ConfereEtiqueta.h"
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

    void readingMatches_data() { addRowsFrom(DATA_DIR "/readings.txt"); }
    void readingMatches() {
        const DataRow r = dataRow();
        QCOMPARE(barcodeReadingMatches(r["reading"], r["expected"]), r["match"] == "yes");
    }

    void readBack_data() { addRowsFrom(DATA_DIR "/read-backs.txt"); }
    void readBack() {
        const DataRow r = dataRow();
        const QStringList readings = r["readings"].split(';', Qt::SkipEmptyParts);
        ScriptedOperator op;
        for (const QString& reading : readings)
            op.readings << reading;
        int n = r["start"].toInt();
        QVERIFY(ConfereEtiqueta(op, n, "x1"));
        QCOMPARE(n, std::max(r["start"].toInt(), 3));
        QString prompts;
        for (const auto& s : op.shown) {
            prompts += s.text == LeftLabelPrompt ? 'L' : s.text == RightLabelPrompt ? 'R' : '?';
            QCOMPARE(s.title, QString("x1")); // the code to read
        }
        QCOMPARE(prompts, r["prompts"]);
        QCOMPARE(op.readLog.size(), readings.size());
        for (qsizetype i = 0; i < readings.size(); ++i)
            QCOMPARE(op.readLog[i], std::make_pair(readings[i], !readings[i].endsWith(' ')));
    }
};

QTEST_GUILESS_MAIN(LabelRulesTest)
#include "tst_label_rules.moc"
