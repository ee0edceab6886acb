// The printer is asked before each label job: while it is not ready nothing is sent,
// the operator is told why and may try again.
#include "LabelFixture.h"

#include "labels/LabelTypes.h"
#include "labels/PrinterReady.h"
#include "support/DataRows.h"
#include "support/FakeLabelPrinter.h"

#include <QTest>

using Answer = FakeLabelPrinter::Answer;

class PrinterReadyTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { qputenv("ETIQUETAS_STATUS_TIMEOUT_MS", "300"); }

    void builderWaitsForTheOperator_data() { addRowsFrom(DATA_DIR "/printer-ready.txt"); }
    void builderWaitsForTheOperator() {
        const DataRow r = dataRow();
        const QList<Answer> script = FakeLabelPrinter::answersNamed(r["script"]);
        const QStringList answers = r["answers"].split(' ', Qt::SkipEmptyParts);
        const int jobs = r["jobs"].toInt();
        LabelBench bench;
        FakeLabelPrinter printer(script);
        bench.home.state().ImpressoraSelecionada = printer.uri();
        bench.settings = settingsFor(labeltype::Costura5016, "P1");
        for (const QString& yes : answers)
            bench.op.yesNo << (yes == "yes");
        double qtd = 40;

        QCOMPARE(labelResultName(bench.run(EtiquetaCostura5016, qtd)), r["result"]);
        QVERIFY(bench.op.yesNo.isEmpty());
        QStringList questions;
        for (const auto& s : bench.op.shown) {
            if (s.kind != "question") continue;
            questions << s.text;
            QCOMPARE(s.title, QString("VORLA"));
        }
        QCOMPARE(questions.size(), answers.size());
        if (!questions.isEmpty())
            QVERIFY2(questions[0].startsWith(r["question"].arg(printer.uri())), qPrintable(questions[0]));
        QCOMPARE(bench.op.messages(), QStringList{}); // no second word after the answer
        QCOMPARE(printer.printer().waitForJobs(jobs, 2000).size(), jobs);
        QTest::qWait(100);
        QCOMPARE(printer.printer().jobs().size(), jobs); // sent once
        QCOMPARE(printer.printer().statusQueries(),
                 answers.size() + (script.last() == Answer::Ready ? 1 : 0));
    }

    // No printer chosen yet: said once, no question that could not change anything.
    void noPrinterChosen() {
        ScriptedOperator op;
        QVERIFY(!ensurePrinterReady(op, QString()));
        QCOMPARE(op.messages(),
                 QStringList{"Nenhuma impressora de etiquetas escolhida. Nenhuma etiqueta foi impressa."});
        QCOMPARE(op.shown[0].title, QString("VORLA"));
    }
};

QTEST_GUILESS_MAIN(PrinterReadyTest)
#include "tst_printer_ready.moc"
