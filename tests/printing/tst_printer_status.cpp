#include "printing/PrinterStatus.h"
#include "support/FakeLabelPrinter.h"

#include <QDir>
#include <QTest>

using Answer = FakeLabelPrinter::Answer;
using Reason = PrinterStatus::Reason;
Q_DECLARE_METATYPE(FakeLabelPrinter::Answer)

namespace {
const int kTimeoutMs = 300;
} // namespace

class tst_printer_status : public QObject {
    Q_OBJECT
  private slots:
    // What each scripted answer of a label printer is reported as, in the operator's words.
    void labelPrinterAnswers_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("unanswered");
        QTest::newRow("ready") << Answer::Ready << ""
                               << "Pronta" << false;
        QTest::newRow("paper out (~HS)") << Answer::PaperOut << "Impressora sem etiquetas"
                                         << "Sem etiquetas" << false;
        QTest::newRow("paper out (~HQES only)") << Answer::PaperOutCurrent << "Impressora sem etiquetas"
                                                << "Sem etiquetas" << false;
        QTest::newRow("head up") << Answer::HeadUp << "Cabeça de impressão aberta"
                                 << "Cabeça aberta" << false;
        QTest::newRow("paused") << Answer::Paused << "Impressora em pausa"
                                << "Em pausa" << false;
        QTest::newRow("ribbon out") << Answer::RibbonOut << "Impressora sem fita"
                                    << "Sem fita" << false;
        QTest::newRow("no answer") << Answer::Silent << "Impressora não responde"
                                   << "Não responde" << true;
        QTest::newRow("cut in the middle") << Answer::Cut << "Impressora deu uma resposta que não se entende"
                                           << "Resposta inválida" << true;
        QTest::newRow("garbage") << Answer::Garbage << "Impressora deu uma resposta que não se entende"
                                 << "Resposta inválida" << true;
    }

    void labelPrinterAnswers() {
        QFETCH(Answer, answer);
        QFETCH(QString, text);
        QFETCH(QString, word);
        QFETCH(bool, unanswered);
        FakeLabelPrinter printer({answer});
        const PrinterStatus status = queryPrinterStatus(printer.uri(), kTimeoutMs);
        QCOMPARE(printerStatusText(status), text);
        QCOMPARE(printerStatusWord(status), word);
        QCOMPARE(status.ready(), text.isEmpty());
        QCOMPARE(status.unanswered(), unanswered);
        QCOMPARE(printer.printer().statusQueries(), 1);
        QVERIFY(printer.printer().jobs().isEmpty()); // a question is no job
    }

    // Several problems at once are all told, each once.
    void everyProblemIsTold() {
        const QByteArray answer = FakeLabelPrinter::reply(Answer::HeadUp)
                                      .bytes.replace("\x02"
                                                     "030,0,0,",
                                                     "\x02"
                                                     "030,1,1,");
        const PrinterStatus status = zebra::readStatusAnswer(answer);
        QCOMPARE(printerStatusText(status),
                 "Cabeça de impressão aberta\nImpressora sem etiquetas\nImpressora em pausa");
    }

    void otherPrinters_data() {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("text");
        QTest::newRow("folder") << "file:" + QDir::tempPath() << "";
        QTest::newRow("png folder") << "png:" + QDir::tempPath() << "";
        QTest::newRow("missing folder") << "file:/nao/existe/etiquetas"
                                        << "Pasta da impressora não existe: /nao/existe/etiquetas";
        QTest::newRow("closed port") << "socket://127.0.0.1:1" << "Impressora não responde";
        QTest::newRow("no printer") << ""
                                    << "Nenhuma impressora de etiquetas escolhida";
        QTest::newRow("unknown queue") << "FILA_QUE_NAO_EXISTE_123"
                                       << "Fila de impressão não encontrada: FILA_QUE_NAO_EXISTE_123";
    }

    void otherPrinters() {
        QFETCH(QString, printer);
        QFETCH(QString, text);
        QCOMPARE(printerStatusText(queryPrinterStatus(printer, kTimeoutMs)), text);
    }
};

QTEST_GUILESS_MAIN(tst_printer_status)
#include "tst_printer_status.moc"
