// The rules that turn an order line into label data: row counts, barcode data,
// placeholders and the free text of conf.txt; and the read-back of the printed barcodes,
// by its rules and in its window. The tables are in data/.
#include "LabelFixture.h"

#include "intake/ConfTxt.h"
#include "labels/BarcodeRules.h"
#include "labels/ConfereEtiqueta.h"
#include "labels/FRMCONF.h"
#include "labels/LabelTypes.h"
#include "labels/PreencheModelo.h"
#include "support/DataRows.h"

#include <QtTest>
#include <QtWidgets>

class LabelRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void fill_data() { addRowsFrom(DATA_DIR "/fills.txt"); }
    void fill() {
        const DataRow r = dataRow();
        LabelSettings settings = settingsFor(labelType(r["type"]), r["boxes"]);
        settings.TXTPORCENTAGEM = r["percentage"];
        Record line = orderLine();
        if (!r["field"].isEmpty())
            line.setValue(r["field"], r["value"] == "<null>" ? QVariant() : QVariant(r["value"]));
        double qtd = r.number("qtd");
        QString job = r["job"];
        PreencheModelo(job, qtd, "15", 6, line, settings);
        QCOMPARE(job, r["filled"]);
        QCOMPARE(qtd, r.number("qtdAfter"));
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

    // The read-back window as the operator uses it: the reader types into txtleitura and
    // ends with Enter.
    void windowWrongThenRightReading() {
        FRMCONF window;
        QCOMPARE(window.windowTitle(), QStringLiteral("CONFERENCIA DO CÓDIGO DE BARRAS"));
        QCOMPARE(window.findChild<QLineEdit*>("txtleitura"), window.txtleitura);
        QCOMPARE(window.findChild<QLabel*>("LBLCOD"), window.LBLCOD);
        QCOMPARE(window.findChild<QLabel*>("Label2"), window.Label2);
        QCOMPARE(window.Label2->text(),
                 QString(65, QLatin1Char(' ')) + QStringLiteral("CÓDIGO INVÁLIDO    "));

        bool sawError = false;
        QTimer::singleShot(0, &window, [&] {
            QCOMPARE(window.Label1->text(), LeftLabelPrompt);
            QCOMPARE(window.LBLCOD->text(), QStringLiteral("abc123"));
            QTest::keyClicks(window.txtleitura, QStringLiteral("ABC123 "));
            QTest::keyClick(window.txtleitura, Qt::Key_Return);
            sawError =
                window.Label2->isVisible() && window.txtleitura->text().isEmpty() && window.isVisible();
            QTest::keyClicks(window.txtleitura, QStringLiteral("ABC123"));
            QTest::keyClick(window.txtleitura, Qt::Key_Return);
        });
        QVERIFY(window.confere(LeftLabelPrompt, QStringLiteral("abc123")));
        QVERIFY(sawError);
        QVERIFY(window.Label2->isHidden());
        QVERIFY(window.LBLCOD->text().isEmpty());
    }

    void windowEscapeGivesUp() {
        FRMCONF window;
        QTimer::singleShot(0, &window, [&] {
            QTest::keyClicks(window.txtleitura, QStringLiteral("123"));
            QTest::keyClick(window.txtleitura, Qt::Key_Escape);
        });
        QVERIFY(!window.confere(RightLabelPrompt, QStringLiteral("999")));
    }
};

QTEST_MAIN(LabelRulesTest)
#include "tst_label_rules.moc"
