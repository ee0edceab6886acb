#include "LabelFixture.h"

#include "labels/LabelTypes.h"

#include <QtTest>

// A quantity read from an order line is bounded before any job is built: a damaged
// order cannot hold the window for minutes or flood the printer.
class TstLabelBounds : public QObject {
    Q_OBJECT
  private slots:
    void quantityFromTheLine_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("qtdImpres"); // as stored in the order line
        QTest::addColumn<bool>("prints");
        QTest::newRow("pack 9999 volumes") << labeltype::Pack << "9999" << true;
        QTest::newRow("pack 10000 volumes") << labeltype::Pack << "10000" << false;
        QTest::newRow("pack 1E9") << labeltype::Pack << "1E9" << false;
        QTest::newRow("pack infinite") << labeltype::Pack << "1E999" << false;
        QTest::newRow("sticker 10000") << labeltype::Preco5426 << "10000" << false;
        QTest::newRow("tag 1E9") << labeltype::Tag5360 << "1E9" << false;
        QTest::newRow("sewing 50x16 10000") << labeltype::Costura5016 << "10000" << false;
        QTest::newRow("sewing 50x23 10000") << labeltype::Costura5023 << "10000" << false;
        QTest::newRow("basket 10000") << labeltype::Basket3225 << "10000" << false;
        QTest::newRow("basket 9999") << labeltype::Basket3225 << "9999" << true;
    }

    void quantityFromTheLine() {
        QFETCH(QString, caption);
        QFETCH(QString, qtdImpres);
        QFETCH(bool, prints);
        const QHash<QString, LabelBench::Builder> builders{{labeltype::Pack, EtiquetaPack},
                                                           {labeltype::Preco5426, EtiquetaPreco5426},
                                                           {labeltype::Tag5360, EtiquetaTag5360},
                                                           {labeltype::Costura5016, EtiquetaCostura5016},
                                                           {labeltype::Costura5023, EtiquetaCostura5023},
                                                           {labeltype::Basket3225, EtiquetaBasket3225}};
        LabelBench bench;
        bench.settings.producaoCaption = caption;
        bench.settings.producao.Check1 = true;
        double Qtd = qtdImpres.toDouble(); // the print run reads qtd_impres as a number

        const LabelResult result = bench.run(builders.value(caption), Qtd);

        if (prints) {
            QCOMPARE(result, LabelResult::Printed);
            const QStringList jobs = bench.jobs(1);
            QCOMPARE(jobs.size(), 1);
            if (caption == labeltype::Pack) { // one label per volume, the last one "9999"
                QCOMPARE(jobs[0].count(QStringLiteral("^XZ")), 9999);
                QVERIFY(jobs[0].contains(QStringLiteral("9999")));
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
        bench.settings.producaoVisivel = false;
        bench.settings.cbomarca = labeltype::Basket3225;
        double Qtd = 20000;
        QCOMPARE(bench.run(EtiquetaBasket3225, Qtd), LabelResult::Printed);
    }
};

QTEST_GUILESS_MAIN(TstLabelBounds)
#include "tst_label_bounds.moc"
