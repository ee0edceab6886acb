// The barcode read-back after each job, and what a builder tells its caller when it
// prints nothing or stops early.
#include "LabelFixture.h"

#include "labels/ConfereEtiqueta.h"
#include "labels/LabelTypes.h"
#include "support/DataRows.h"

#include <QTest>

class ReadBackTest : public QObject {
    Q_OBJECT
  private slots:
    void matching_data() { addRowsFrom(DATA_DIR "/readings.txt"); }
    void matching() {
        const DataRow r = dataRow();
        QCOMPARE(barcodeReadingMatches(r["reading"], r["expected"]), r["match"] == "yes");
    }

    void wrongThenRight() {
        ScriptedOperator op;
        for (const char* reading : {"7891234567890 ", "7891234567890", "7891234567890"})
            op.readings << QString(reading);
        int n = 1;
        QVERIFY(ConfereEtiqueta(op, n, "7891234567890"));
        QCOMPARE(n, 3);
        const QList<std::pair<QString, bool>> log{
            {"7891234567890 ", false}, {"7891234567890", true}, {"7891234567890", true}};
        QCOMPARE(op.readLog, log);
    }

    void startValue_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QStringList>("prompts");
        QTest::newRow("1: left, then right") << 1 << QStringList{LeftLabelPrompt, RightLabelPrompt};
        QTest::newRow("2: right only") << 2 << QStringList{RightLabelPrompt};
        QTest::newRow("3: none") << 3 << QStringList{};
    }

    void startValue() {
        QFETCH(int, start);
        QFETCH(QStringList, prompts);
        ScriptedOperator op;
        for (const char* reading : {"x1", "X1"})
            op.readings << QString(reading);
        int n = start;
        QVERIFY(ConfereEtiqueta(op, n, "x1"));
        QCOMPARE(n, std::max(start, 3));
        QStringList shown;
        for (const auto& s : op.shown)
            shown << s.text;
        QCOMPARE(shown, prompts);
        QCOMPARE(op.shown.value(0).title,
                 prompts.isEmpty() ? QString() : QString("x1")); // expected code shown
    }

    void outcomes_data() { addRowsFrom(DATA_DIR "/outcomes.txt"); }
    void outcomes() {
        const DataRow r = dataRow();
        LabelBench bench;
        bench.settings = settingsFor(labelType(r["type"]), r["boxes"]);
        bench.settings.cbocoluna = r["coluna"];
        bench.settings.TXTPORCENTAGEM = r["percentage"];
        if (!r["printer"].isEmpty()) {
            bench.home.state().ImpressoraSelecionada = r["printer"];
            bench.op.yesNo << true;  // the printer does not answer its status query: send anyway
        }
        for (const QString& a : r["answers"].split(' ', Qt::SkipEmptyParts))
            (r["type"] == "Pack" ? bench.op.inputs : bench.op.readings)
                << (a == "<none>" ? std::nullopt : std::optional<QString>(a == "<empty>" ? "" : a));

        LabelContext ctx = bench.context(r["code"].isEmpty() ? orderLine() : orderLine(r["code"]));
        double qtd = r["type"] == "Pack" ? 2 : 10;
        const LabelResult result =
            LabelBench::builderFor(labelType(r["type"]))(ctx, qtd, "10", r["speed"], r["coluna"], 0);
        const QStringList results{"Printed",        "NothingSelected", "InvalidSettings", "InvalidData",
                                  "QuantityRefused", "PrinterRefused", "NotConfirmed",    "Cancelled"};
        QCOMPARE(results.value(int(result)), r["result"]);
        QCOMPARE(bench.op.kinds(), r["shown"]);
        if (r["shown"].contains('M')) {
            QVERIFY2(bench.op.messages().value(0).contains(r["message"]),
                     qPrintable(bench.op.messages().value(0)));
            QCOMPARE(bench.op.shown.last().title, QString("VORLA"));
        }
        if (result == LabelResult::PrinterRefused) QCOMPARE(bench.op.shown.last().icon, Operator::Icon::Critical);
        QCOMPARE(qtd, r["qtdAfter"].toDouble());
        if (r["jobs"].toInt() > 0) bench.printer.waitForJobs(r["jobs"].toInt());
        QTest::qWait(100);
        QCOMPARE(bench.printer.jobs().size(), r["jobs"].toInt());
    }
};

QTEST_GUILESS_MAIN(ReadBackTest)
#include "tst_read_back.moc"
