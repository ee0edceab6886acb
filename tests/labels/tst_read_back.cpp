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

    // A reading that does not match asks for the same label again.
    void startValue_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QStringList>("readings");
        QTest::addColumn<QStringList>("prompts");
        const QString L = LeftLabelPrompt, R = RightLabelPrompt;
        QTest::newRow("1: left, then right") << 1 << QStringList{"x1", "X1"} << QStringList{L, R};
        QTest::newRow("2: right only") << 2 << QStringList{"X1"} << QStringList{R};
        QTest::newRow("3: none") << 3 << QStringList{} << QStringList{};
        QTest::newRow("1: wrong, then right") << 1 << QStringList{"x1 ", "x1", "x1"} << QStringList{L, R};
    }

    void startValue() {
        QFETCH(int, start);
        QFETCH(QStringList, readings);
        QFETCH(QStringList, prompts);
        ScriptedOperator op;
        for (const QString& reading : readings)
            op.readings << reading;
        int n = start;
        QVERIFY(ConfereEtiqueta(op, n, "x1"));
        QCOMPARE(n, std::max(start, 3));
        QStringList shown;
        for (const auto& s : op.shown)
            shown << s.text;
        QCOMPARE(shown, prompts);
        QCOMPARE(op.shown.value(0).title,
                 prompts.isEmpty() ? QString() : QString("x1")); // expected code shown
        QCOMPARE(op.readLog.size(), readings.size());
        for (qsizetype i = 0; i < readings.size(); ++i)
            QCOMPARE(op.readLog[i], std::make_pair(readings[i], !readings[i].endsWith(' ')));
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
            bench.op.yesNo << true; // the printer does not answer its status query: send anyway
        }
        for (const QString& a : r["answers"].split(' ', Qt::SkipEmptyParts))
            (r["type"] == "Pack" ? bench.op.inputs : bench.op.readings)
                << (a == "<none>" ? std::nullopt : std::optional<QString>(a == "<empty>" ? "" : a));

        LabelContext ctx = bench.context(r["code"].isEmpty() ? orderLine() : orderLine(r["code"]));
        double qtd = r["type"] == "Pack" ? 2 : 10;
        const LabelResult result =
            LabelBench::builderFor(labelType(r["type"]))(ctx, qtd, "10", r["speed"], r["coluna"], 0);
        QCOMPARE(labelResultName(result), r["result"]);
        QCOMPARE(bench.op.kinds(), r["shown"]);
        if (r["shown"].contains('M')) {
            QVERIFY2(bench.op.messages().value(0).contains(r["message"]),
                     qPrintable(bench.op.messages().value(0)));
            QCOMPARE(bench.op.shown.last().title, QString("VORLA"));
        }
        if (result == LabelResult::PrinterRefused)
            QCOMPARE(bench.op.shown.last().icon, Operator::Icon::Critical);
        QCOMPARE(qtd, r["qtdAfter"].toDouble());
        if (r["jobs"].toInt() > 0) bench.printer.waitForJobs(r["jobs"].toInt());
        QTest::qWait(100);
        QCOMPARE(bench.printer.jobs().size(), r["jobs"].toInt());
    }
};

QTEST_GUILESS_MAIN(ReadBackTest)
#include "tst_read_back.moc"
