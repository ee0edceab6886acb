// The printer is asked before each label job: while it is not ready nothing is sent,
// the operator is told why and may try again.
#include "LabelFixture.h"

#include "labels/LabelTypes.h"
#include "labels/PrinterReady.h"
#include "support/FakeLabelPrinter.h"

#include <QTest>

using Answer = FakeLabelPrinter::Answer;
Q_DECLARE_METATYPE(QList<FakeLabelPrinter::Answer>)
Q_DECLARE_METATYPE(QList<bool>)
Q_DECLARE_METATYPE(LabelResult)

class PrinterReadyTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { qputenv("ETIQUETAS_STATUS_TIMEOUT_MS", "300"); }

    void builderWaitsForTheOperator_data() {
        QTest::addColumn<QList<Answer>>("script");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("question");
        QTest::addColumn<LabelResult>("result");
        QTest::addColumn<int>("jobs");
        QTest::newRow("ready: no question")
            << QList<Answer>{Answer::Ready} << QList<bool>{} << QString() << LabelResult::Printed << 1;
        QTest::newRow("paper out, fixed, Sim")
            << QList<Answer>{Answer::PaperOut, Answer::Ready} << QList<bool>{true}
            << "Impressora sem etiquetas\n\nNenhuma etiqueta foi enviada à impressora %1.\n"
               "Corrija a impressora e tente de novo. Tentar novamente?"
            << LabelResult::Printed << 1;
        QTest::newRow("paper out, given up")
            << QList<Answer>{Answer::PaperOut} << QList<bool>{false} << "Impressora sem etiquetas"
            << LabelResult::PrinterRefused << 0;
        QTest::newRow("head up twice, then fixed")
            << QList<Answer>{Answer::HeadUp, Answer::HeadUp, Answer::Ready} << QList<bool>{true, true}
            << "Cabeça de impressão aberta" << LabelResult::Printed << 1;
        QTest::newRow("no answer, sent anyway") << QList<Answer>{Answer::Silent} << QList<bool>{true}
                                                << "Impressora não responde\n\nA impressora %1 não disse se "
                                                   "está pronta.\nEnviar a etiqueta assim mesmo?"
                                                << LabelResult::Printed << 1;
        QTest::newRow("no answer, not sent") << QList<Answer>{Answer::Silent} << QList<bool>{false}
                                             << "Impressora não responde" << LabelResult::PrinterRefused << 0;
    }

    void builderWaitsForTheOperator() {
        QFETCH(QList<Answer>, script);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, question);
        QFETCH(LabelResult, result);
        QFETCH(int, jobs);
        LabelBench bench;
        FakeLabelPrinter printer(script);
        bench.home.state().ImpressoraSelecionada = printer.uri();
        bench.settings.producaoCaption = labeltype::Costura5016;
        bench.settings.producao.Check1 = true;
        for (bool yes : answers)
            bench.op.yesNo << yes;
        double qtd = 40;

        QCOMPARE(bench.run(EtiquetaCostura5016, qtd), result);
        QVERIFY(bench.op.yesNo.isEmpty());
        QStringList questions;
        for (const auto& s : bench.op.shown) {
            if (s.kind != "question") continue;
            questions << s.text;
            QCOMPARE(s.title, QString("VORLA"));
        }
        QCOMPARE(questions.size(), answers.size());
        if (!questions.isEmpty())
            QVERIFY2(questions[0].startsWith(question.arg(printer.uri())), qPrintable(questions[0]));
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
