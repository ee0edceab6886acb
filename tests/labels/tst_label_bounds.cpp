#include "LabelFixture.h"

#include "labels/LabelTypes.h"
#include "support/DataRows.h"

#include <QtTest>

// A quantity read from an order line is bounded before any job is built: a damaged
// order cannot hold the window for minutes or flood the printer.
class TstLabelBounds : public QObject {
    Q_OBJECT
  private slots:
    void quantityFromTheLine_data() { addRowsFrom(DATA_DIR "/quantity-bounds.txt"); }
    void quantityFromTheLine() {
        const DataRow r = dataRow();
        const QString type = labelType(r["type"]);
        LabelBench bench;
        bench.settings = settingsFor(type, "P1");
        double Qtd = r.number("qtdImpres");

        const LabelResult result = bench.run(LabelBench::builderFor(type), Qtd);

        if (r["prints"] == "yes") {
            QCOMPARE(result, LabelResult::Printed);
            const QStringList jobs = bench.jobs(1);
            QCOMPARE(jobs.size(), 1);
            if (type == labeltype::Pack) { // one label per volume, numbered in four digits
                QCOMPARE(jobs[0].count(QStringLiteral("^XZ")), 9999);
                QVERIFY(jobs[0].startsWith(
                    "^XA^MMT^PW791^LL0112^LS0^PR4,4~SD10^JUS^FT77 ,170^BQN,2,4^FH\\^FDLA,"
                    "6|10.22.3344|451207|0001^FS^FT54 ,302^A0N,28,28^FH\\^FDVol: 0001  / 9999^FS"));
                QVERIFY(jobs[0].contains("^FDVol: 9999  / 9999^FS"));
            }
            return;
        }
        QCOMPARE(result, LabelResult::QuantityRefused); // the print run marks only Printed lines
        QVERIFY(bench.printer.waitForJobs(1, 300).isEmpty());
        QCOMPARE(bench.op.messages().size(), 1);
        QVERIFY(bench.op.messages()[0].contains(QStringLiteral("9999")));
    }

    // The ad-hoc window's quantities are typed and bounded by that window.
    void typedQuantityIsNotTheLines() {
        LabelBench bench;
        bench.settings = settingsFor(labeltype::Basket3225, "A");
        double Qtd = 20000;
        QCOMPARE(bench.run(EtiquetaBasket3225, Qtd), LabelResult::Printed);
    }
};

QTEST_GUILESS_MAIN(TstLabelBounds)
#include "tst_label_bounds.moc"
