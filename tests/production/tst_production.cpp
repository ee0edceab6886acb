#include "app/frmzepa.h"
#include "production/Fixture.h"
#include "production/MenuSettings.h"
#include "production/frmimpressao.h"

#include <QtWidgets>

// The production window over a real store and a label printer on the loopback
// interface. Expected jobs are golden files, one per label type, a job per line;
// ETIQUETAS_UPDATE_GOLDEN=1 writes them anew from what the printer received.

namespace {
// A workstation with the production window open for one label type, over order 5001
// with three lines and order 5002 with one, under one production number.
struct Station : Floor {
    qint64 order1 =
        addOrder(store, Numprod, "5001", "FORN A",
                 {{"7891000000011", "10", "2"}, {"7891000000028", "25", "1"}, {"7891000000035", "7", "3"}});
    qint64 order2 = addOrder(store, Numprod, "5002", "FORN A", {{"7891000000042", "4", "1"}});
    std::unique_ptr<frmimpressao> window;

    explicit Station(const QString& caption,
                     QList<FakeLabelPrinter::Answer> states = {FakeLabelPrinter::Answer::Ready})
        : Floor(states) {
        op.printers << std::nullopt; // the printer chooser: cancelled keeps the current printer
        window = std::make_unique<frmimpressao>(home.state(), op, [] { return QStringLiteral("ADMIN"); });
        window->applyMenuSettings(*menuSettings(caption));
        window->Check1->setChecked(true);
        window->show();
    }

    void enter(const QString& typed) {
        QTest::keyClicks(window->txtproducao, typed);
        QTest::keyClick(window->txtproducao, Qt::Key_Return);
    }
    void click() { QTest::mouseClick(window->Cmdimprimir, Qt::LeftButton); }

    // Current line's order, next line's order and whether the warning shows.
    QString screen() const {
        return window->LBLPEDIDO->text() + "|" + window->LBLCODIGOBARRAS->text() + "|" +
               window->lblpedido1->text() + "|" + (window->LBLVISOR->isVisible() ? "AVISO" : "") + "|" +
               window->lblrestantes->text();
    }
};

void compareWithGolden(const QString& name, const QList<QByteArray>& jobs) {
    QFile file(QStringLiteral(GOLDEN_DIR "/") + name);
    const QByteArray received = jobs.join('\n') + '\n';
    if (qEnvironmentVariableIntValue("ETIQUETAS_UPDATE_GOLDEN")) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(received);
        return;
    }
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    QCOMPARE(received.split('\n'), file.readAll().split('\n'));
}
} // namespace

class TstProduction : public QObject {
    Q_OBJECT
  private slots:
    void init() { regional::setFixedNow(QDateTime(QDate(2026, 12, 5), QTime(14, 3, 11))); }
    void cleanup() { regional::setFixedNow(std::nullopt); }

    void printsTwoOrdersLineByLine_data() { addRowsFrom(DATA_DIR "/line-by-line.txt"); }
    void printsTwoOrdersLineByLine() {
        const DataRow r = dataRow();
        Station s(r["caption"]);
        QCOMPARE(s.window->windowTitle(), r["caption"]);
        QCOMPARE(s.window->lblimpsel->text(), s.printer.uri());

        s.enter("123");
        QCOMPARE(s.window->lblprod->text(), Numprod);
        QCOMPARE(s.window->txtproducao->text(), QString());
        QCOMPARE(s.window->LBLFORN->text(), QString("FORN A"));
        QCOMPARE(s.screen(), QString("5001|7891000000011|5001||Faltam 4 de 4"));
        QCOMPARE(storedValues(s.store, r["lineFlag"]), (QStringList{"A", "N", "N", "N"}));

        const QStringList after{"5001|7891000000028|5001||Faltam 3 de 4",
                                "5001|7891000000035|5002|AVISO|Faltam 2 de 4",
                                "5002|7891000000042|||Faltam 1 de 4", "||||"};
        for (int line = 0; line < 4; ++line) {
            s.click();
            QCOMPARE(s.screen(), after[line]);
            QCOMPARE(s.column(r["lineFlag"], line), QString("S"));
            QCOMPARE(s.column(r["dateColumn"], line), QString("05/12/202614:03:11"));
            QCOMPARE(s.column(r["userColumn"], line), QString("ADMIN "));
        }
        QCOMPARE(storedValues(s.store, r["headerFlag"], "VORLAPEDIDOS"), (QStringList{"S", "S"}));
        QCOMPARE(s.window->lblprod->text(), QString());
        QCOMPARE(s.op.messages(), QStringList());
        QCOMPARE(s.op.kinds().count('B'), 4 * r["readBacks"].toInt());

        // Four line jobs and a summary label after each order's last line.
        compareWithGolden(r["golden"], s.printer.waitForJobs(6));

        s.click();
        QCOMPARE(s.op.messages(), QStringList{"NÃO EXISTEM ARQUIVOS A SEREM IMPRESSOS"});
    }

    void linesOfflineOrTakenAreFoundAsTheStoreSays() {
        Station s(labeltype::Basket3225);
        // A line already printed as a pack label counts for the basket label too; the
        // second order's header is closed, which hides its line; a line left taken by an
        // earlier run is found again, though the preview no longer shows it.
        s.store.execute("UPDATE VORLA SET IMPRESSO5 = 'S' WHERE CODIG_BARR = '7891000000028'");
        s.store.execute(
            QStringLiteral("UPDATE VORLAPEDIDOS SET IMPRESSOETQ5 = 'S' WHERE IDCODIGO = %1").arg(s.order2));
        s.store.execute("UPDATE VORLA SET IMPRESSO5 = 'A' WHERE CODIG_BARR = '7891000000011'");
        s.enter("0000000123");
        QCOMPARE(s.screen(), QString("5001|7891000000011|5001||Faltam 2 de 4"));
        s.enter("123");
        QCOMPARE(s.screen(), QString("5001|7891000000011|5001||Faltam 2 de 4"));
        s.enter("999");
        QCOMPARE(s.screen(), QString("||||"));
        QCOMPARE(s.window->lblprod->text(), QString());
        QCOMPARE(s.op.messages(), QStringList());
    }

    void nothingIsMarkedUnlessTheLabelPrinted_data() { addRowsFrom(DATA_DIR "/not-marked.txt"); }
    void nothingIsMarkedUnlessTheLabelPrinted() {
        const DataRow r = dataRow();
        Station s(labeltype::Tag5360);
        s.op.readsEveryLabel = false;
        if (!r["printer"].isEmpty()) {
            s.home.state().ImpressoraSelecionada = r["printer"];
            s.op.yesNo << true; // the printer does not answer: send anyway
        }
        s.window->TXTPORCENTAGEM->setText(r["percentage"]);
        s.enter("123");
        s.op.readings << std::nullopt;
        s.click();
        QCOMPARE(s.op.messages().size(), 1);
        QVERIFY2(s.op.messages()[0].contains(r["message"]), qPrintable(s.op.messages()[0]));
        QCOMPARE(s.column("IMPRESSO", 0), QString("A"));
        QCOMPARE(s.column("DATA_IMPRE", 0), QString());
        QCOMPARE(s.screen(), QString("5001|7891000000011|5001||Faltam 4 de 4"));
        QVERIFY(s.window->Cmdimprimir->isEnabled());
    }

    void aPrinterOutOfLabelsIsToldBeforeAnythingIsSent() {
        using A = FakeLabelPrinter::Answer;
        // Ready when the window loads; out of labels at the first click (given up) and at
        // the second, until "Sim" finds it ready again.
        Station s(labeltype::Tag5360, {A::Ready, A::PaperOut, A::PaperOut, A::PaperOut, A::Ready});
        QVERIFY(s.window->lblestado->text().contains("Pronta"));
        s.enter("123");
        s.op.yesNo << false;
        s.click();
        QVERIFY(s.op.shown.last().text.startsWith("Impressora sem etiquetas"));
        QCOMPARE(s.column("IMPRESSO", 0), QString("A"));
        QVERIFY(s.printer.jobs().isEmpty());
        QVERIFY(s.window->lblestado->text().contains("Sem etiquetas"));
        s.op.yesNo << true;
        s.click();
        QCOMPARE(s.printer.waitForJobs(1).size(), 1);
        QCOMPARE(s.column("IMPRESSO", 0), QString("S"));
        QCOMPARE(s.column("IMPRESSO", 1), QString("A"));
        QCOMPARE(s.op.messages(), QStringList());
    }

    void optionBoxesMustNameOneLayout_data() { addRowsFrom(DATA_DIR "/layout-boxes.txt"); }
    void optionBoxesMustNameOneLayout() {
        const DataRow r = dataRow();
        Station s(labeltype::Preco5426);
        s.enter("123");
        s.window->Check1->setChecked(r["check1"] == "yes");
        s.window->Check2->setChecked(r["check2"] == "yes");
        s.click();
        QTest::mouseClick(s.window->cmdcalibracao, Qt::LeftButton);
        QCOMPARE(s.op.messages(), (QStringList{r["printMessage"], r["calibrationMessage"]}));
        QCOMPARE(s.op.shown[1].title, QString("Vorlau"));
        QCOMPARE(s.column("IMPRESSOC", 0), QString("A"));
        QVERIFY(s.printer.jobs().isEmpty());
    }

    void previewShowsWhatTheNextClickPrints() {
        Station s(labeltype::Costura5023);
        s.enter("123");
        s.click();
        s.click();
        const int sent = int(s.printer.waitForJobs(2).size());
        // The third line ends its order: the preview holds its labels and the summary.
        QTest::mouseClick(s.window->findChild<QPushButton*>("cmdvisualizar"), Qt::LeftButton);
        QCOMPARE(s.op.previews.size(), 1);
        QCOMPARE(s.op.previews[0].size(), 2);
        QCOMPARE(s.column("IMPRESSO4", 2), QString("A"));
        QCOMPARE(s.printer.jobs().size(), sent);
        s.click();
        QCOMPARE(s.printer.waitForJobs(sent + 2).mid(sent), s.op.previews[0]);
    }

    void calibrationPrintsFiveAndChangesNothing() {
        Station s(labeltype::Pack);
        QTest::mouseClick(s.window->cmdcalibracao, Qt::LeftButton); // no production number yet: nothing
        s.enter("123");
        QTest::mouseClick(s.window->cmdcalibracao, Qt::LeftButton);
        QTest::mouseClick(s.window->cmdcalibracao, Qt::LeftButton);
        const QList<QByteArray> jobs = s.printer.waitForJobs(2);
        QCOMPARE(jobs.size(), 2);
        QCOMPARE(jobs[0], jobs[1]);
        QVERIFY(jobs[0].contains("Vol: 005  / 005")); // five volumes, not the line's RQTD
        QCOMPARE(s.column("IMPRESSO5", 0), QString("A"));
        QCOMPARE(s.screen(), QString("5001|7891000000011|5001||Faltam 4 de 4"));
        QCOMPARE(s.op.messages(), QStringList());
    }

    void menuOpensTheWindowWithTheTypesSettings() {
        TempHome home;
        ScriptedOperator op;
        op.printers << QStringLiteral("file:/tmp") << std::nullopt;
        frmzepa main(home.state(), op);
        QStringList seen;
        auto inspect = [&] {
            auto* w = main.findChild<frmimpressao*>("frmimpressao");
            seen << w->windowTitle() + "|" + w->cbovelocidade->currentText() + "|" +
                        w->cbotemp->currentText() + "|" +
                        (w->Check1->isHidden() ? "" : w->Check1->text() + "/" + w->Check2->text()) + "|" +
                        w->cbocoluna->currentText() + "|" + w->cbolargura->currentText() + "|" +
                        w->TXTPORCENTAGEM->text() + "|" + w->lblimpsel->text();
            w->close();
        };
        QTimer::singleShot(0, inspect);
        main.findChild<QAction*>("mnu_ny5023")->trigger();
        QTimer::singleShot(0, inspect);
        main.findChild<QAction*>("mnu_c5023")->trigger();
        QCOMPARE(seen,
                 (QStringList{"3-Etiqueta de Costura 50x16mm|04|07|1 Coluna/6 Colunas|00|-50|10|file:/tmp",
                              "2-Etiqueta Tag de Preço 53x60mm|06|15||00|00|10|file:/tmp"}));
        QVERIFY(!main.findChild<frmimpressao*>("frmimpressao"));
    }

    void comboListsAndProductionNumbers() {
        QCOMPARE(comboNumbers(-10, 25).size(), 36);
        QCOMPARE(comboNumbers(-10, 25).first(), QString("-10"));
        QCOMPARE(comboNumbers(-5, 7).mid(4, 2), (QStringList{"-01", "00"}));
        QCOMPARE(formatProductionNumber("123"), QString("0000000123"));
        QCOMPARE(formatProductionNumber(" 00123 "), QString("0000000123"));
        QCOMPARE(formatProductionNumber("12345678901"), QString("12345678901"));
        QCOMPARE(formatProductionNumber("12A"), QString("12A"));
    }
};

QTEST_MAIN(TstProduction)
#include "tst_production.moc"
