#include "printing/ImprimeDireto.h"
#include "printing/PrinterStatus.h"
#include "support/DataRows.h"
#include "support/FakeLabelPrinter.h"

#include <QTemporaryDir>
#include <QTest>

using Answer = FakeLabelPrinter::Answer;

namespace {
const int kTimeoutMs = 300;
} // namespace

class tst_printer_status : public QObject {
    Q_OBJECT
  private slots:
    void labelPrinterAnswers_data() { addRowsFrom(DATA_DIR "/printer-answers.txt"); }
    void labelPrinterAnswers() {
        const DataRow r = dataRow();
        FakeLabelPrinter printer(FakeLabelPrinter::answersNamed(r["answer"]));
        const PrinterStatus status = queryPrinterStatus(printer.uri(), kTimeoutMs);
        QCOMPARE(printerStatusText(status), r["text"]);
        QCOMPARE(printerStatusWord(status), r["word"]);
        QCOMPARE(status.ready(), r["text"].isEmpty());
        QCOMPARE(status.unanswered(), r["unanswered"] == "yes");
        QCOMPARE(printer.printer().statusQueries(), 1);
        QVERIFY(printer.printer().jobs().isEmpty()); // a question is no job
    }

    // Several problems at once are all told, each once.
    void everyProblemIsTold() {
        // "\002" the frame's start, then the paper-out and pause flags of the ~HS answer.
        const QByteArray answer =
            FakeLabelPrinter::reply(Answer::HeadUp).bytes.replace("\002030,0,0,", "\002030,1,1,");
        const PrinterStatus status = zebra::readStatusAnswer(answer);
        QCOMPARE(printerStatusText(status),
                 "Cabeça de impressão aberta\nImpressora sem etiquetas\nImpressora em pausa");
    }

    void otherPrinters_data() { addRowsFrom(DATA_DIR "/other-printers.txt"); }
    void otherPrinters() {
        const DataRow r = dataRow();
        QTemporaryDir dir;
        const QString printer = QString(r["printer"]).replace("<temp>", dir.path());
        QCOMPARE(printerStatusText(queryPrinterStatus(printer, kTimeoutMs)), r["text"]);
        if (!r["prints"].isEmpty())
            QCOMPARE(ImprimeDireto(printer, "VORLA", "^XA^FDok^FS^XZ"), r["prints"] == "yes");
    }
};

QTEST_GUILESS_MAIN(tst_printer_status)
#include "tst_printer_status.moc"
