#include "adhoc/frmnovoavulso.h"
#include "app/frmzepa.h"
#include "production/Fixture.h"
#include "production/frmimpressao.h"

#include <QtWidgets>

// The ad-hoc window over a real store, the main window that loads the production window
// for it, and a label printer on the loopback interface.

namespace {
struct Desk : Floor {
    frmzepa main{home.state(), op};
    std::unique_ptr<frmnovoavulso> window;

    Desk() {
        main.lblusuario->setText("ADMIN");
        op.printers << std::nullopt; // the production window's load, on the first print
        addOrder(store, Numprod, "5001", "FORN A",
                 {{"7891000000011", "10", "9"}, {"7891000000028", "25", "1"}, {"7891000000035", "7", "3"}});
        window = std::make_unique<frmnovoavulso>(
            home.state(), op, [this] { return main.lblusuario->text(); },
            [this] { return main.productionWindow(); });
        window->show();
    }
    void lookUp(const QString& numprod, const QString& pedido) {
        window->txtnumprod->setText(numprod);
        window->txtpedido->setText(pedido);
        QTest::keyClick(window->txtpedido, Qt::Key_Return);
    }
    void type(int row, const QString& keys) {
        window->Griid_Recebimento->setCurrentCell(row, 7);
        QTest::keyClicks(window->Griid_Recebimento, keys);
    }
    QString cell(int row, int column) const {
        const QTableWidgetItem* item = window->Griid_Recebimento->item(row, column);
        return item ? item->text() : QString();
    }
    void choose(const QString& labelType, bool check1, bool check2) {
        window->cbomarca->setCurrentText(labelType);
        emit window->cbomarca->activated(window->cbomarca->currentIndex());
        window->Check1->setChecked(check1);
        window->Check2->setChecked(check2);
    }
};

// The desk with order 5001 looked up, as most tests start.
struct Order5001 : Desk {
    Order5001() { lookUp("123", "5001"); }
};
} // namespace

class TstAdhoc : public QObject {
    Q_OBJECT
  private slots:
    void init() { regional::setFixedNow(QDateTime(QDate(2026, 12, 5), QTime(14, 3, 11))); }
    void cleanup() { regional::setFixedNow(std::nullopt); }

    void lookupTellsWhatIsMissing_data() { addRowsFrom(DATA_DIR "/lookups.txt"); }
    void lookupTellsWhatIsMissing() {
        const DataRow r = dataRow();
        Desk d;
        d.lookUp(r["numprod"], r["pedido"]);
        QCOMPARE(d.op.messages(), QStringList{r["message"]});
        QCOMPARE(d.op.shown[0].title, QString("VORLA"));
        QCOMPARE(d.window->txtnumprod->text() + "|" + d.window->txtpedido->text(), r["left"]);
    }

    void gridTakesQuantities() {
        Order5001 d;
        QCOMPARE(d.window->txtnumprod->text(), QString("0000000123"));
        QCOMPARE(d.window->lblimpsel->text(), d.printer.uri());
        QVERIFY2(d.window->lblestado->text().endsWith(" Pronta"), qPrintable(d.window->lblestado->text()));
        QCOMPARE(d.window->Griid_Recebimento->rowCount(), 3);
        QCOMPARE(d.window->Griid_Recebimento->horizontalHeaderItem(1)->text(), QString("PRODUCAO"));
        QCOMPARE(d.cell(0, 0) + d.cell(1, 0) + d.cell(2, 0), QString("23"));
        QCOMPARE(d.cell(2, 3) + "|" + d.cell(2, 7), QString("7891000000035|0"));
        d.type(0, "1x2");
        QCOMPARE(d.cell(0, 7), QString("12")); // the letter is not typed
        QTest::keyClick(d.window->Griid_Recebimento, Qt::Key_Backspace);
        QCOMPARE(d.cell(0, 7), QString("1"));
        d.window->Griid_Recebimento->setCurrentCell(2, 7);
        QTest::keyClick(d.window->Griid_Recebimento, Qt::Key_Return);
        QCOMPARE(d.window->Griid_Recebimento->currentRow(), 0);
        QCOMPARE(d.window->Griid_Recebimento->currentColumn(), 0);

        // The grid's own keys walk it and type nothing.
        QTableWidget* grid = d.window->Griid_Recebimento;
        QString walked;
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_Backtab, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_Up}) {
            QTest::keyClick(grid, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            walked += QString(" %1,%2").arg(grid->currentRow()).arg(grid->currentColumn());
        }
        QCOMPARE(walked, QString(" 1,0 1,7 1,6 2,6 2,0 1,0"));
        QCOMPARE(d.cell(0, 7) + d.cell(1, 7) + d.cell(2, 7), QString("100"));

        // Esc closes neither the ad-hoc window nor the production window behind it.
        QTest::keyClick(grid, Qt::Key_Escape);
        QTest::keyClick(d.window->txtnumprod, Qt::Key_Escape);
        frmimpressao* production = d.main.productionWindow();
        production->show();
        QTest::keyClick(production->txtproducao, Qt::Key_Escape);
        QVERIFY(d.window->isVisible() && production->isVisible());
        QCOMPARE(d.cell(0, 7), QString("1"));
    }

    void printChecksTheChoices() {
        Order5001 d;
        d.type(0, "5");
        QTest::mouseClick(d.window->Cmdimprimir, Qt::LeftButton);
        d.choose(labeltype::Preco5426, false, false);
        d.choose(labeltype::Tag5360, false, false); // the option boxes stay, with type 1's captions
        QCOMPARE(d.window->Check1->text(), QString("1 colunas"));
        QTest::mouseClick(d.window->Cmdimprimir, Qt::LeftButton);
        d.window->Check1->setChecked(true);
        d.window->Griid_Recebimento->item(1, 7)->setText("40000");
        QTest::mouseClick(d.window->Cmdimprimir, Qt::LeftButton);
        QCOMPARE(d.op.messages(),
                 (QStringList{"Favor selecionar um modelo de etiqueta!",
                              "Favor selecionar apenas um modelo de etiqueta",
                              "Quantidade inválida na linha 2: \"40000\". Digite um número de 1 a "
                              "32767. Nenhuma etiqueta foi impressa."}));
        QCOMPARE(d.op.shown[0].title + d.op.shown[1].title, QString("VorlaVorlau"));
        QVERIFY(d.printer.jobs().isEmpty());
        QCOMPARE(d.column("RDATA", 0), QString());
        QCOMPARE(d.cell(0, 7), QString("5"));
    }

    void zeroQuantitiesPrintNothingButClear() {
        Order5001 d;
        d.choose(labeltype::Tag5360, false, false);
        QTest::mouseClick(d.window->Cmdimprimir, Qt::LeftButton);
        QCOMPARE(d.window->Griid_Recebimento->rowCount(), 1);
        QCOMPARE(d.window->txtnumprod->text() + d.window->txtpedido->text(), QString());
        QVERIFY(d.printer.jobs().isEmpty());
        QCOMPARE(d.op.kinds().count('P'), 0); // no builder ran: the production window was not needed
        QCOMPARE(d.op.messages(), QStringList());
    }

    void sewingSixAcrossDividesTheQuantity_data() { addRowsFrom(DATA_DIR "/six-across.txt"); }
    void sewingSixAcrossDividesTheQuantity() {
        const DataRow r = dataRow();
        Order5001 d;
        d.choose(labeltype::Costura5016, false, true);
        d.type(1, r["quantity"]);
        QTest::mouseClick(d.window->cmdvisualizar, Qt::LeftButton);
        QCOMPARE(d.column("RDATA", 1), QString());
        QTest::mouseClick(d.window->Cmdimprimir, Qt::LeftButton);
        const QList<QByteArray> jobs = d.printer.waitForJobs(1);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(d.op.previews, QList<QList<QByteArray>>{jobs});
        QVERIFY2(jobs[0].contains(r["rows"].toLatin1()), jobs[0].right(80).constData());
        QVERIFY(jobs[0].contains("^FT"));
        QCOMPARE(storedValues(d.store, "RDATA"), (QStringList{"", "05/12/2026 14:03:11", ""}));
        QCOMPARE(d.column("RUSUARIO", 1), QString("ADMIN "));
        QCOMPARE(d.column("IMPRESSOSP", 1), QString("N"));
        QCOMPARE(d.window->Griid_Recebimento->rowCount(), 1);
    }

    void packReprintAsksTheVolumeAndLoadsProductionOnce() {
        Order5001 d;
        d.choose(labeltype::Pack, false, true);
        d.type(0, "1");
        d.op.inputs << QStringLiteral("4");
        QTest::mouseClick(d.window->Cmdimprimir, Qt::LeftButton);
        QCOMPARE(d.op.kinds().count('P'), 1);
        const QByteArray job = d.printer.waitForJobs(1).value(0);
        for (const char* volume : {"004/009", "005/009", "006/009"})
            QVERIFY2(job.contains(volume), volume);
        QVERIFY(!job.contains("007/009"));
        QVERIFY(!d.main.productionWindow()->isVisible());

        d.lookUp("123", "5001");
        d.type(2, "1");
        d.op.inputs << QStringLiteral("1");
        QTest::mouseClick(d.window->Cmdimprimir, Qt::LeftButton);
        QCOMPARE(d.printer.waitForJobs(2).size(), 2);
        QCOMPARE(d.op.kinds().count('P'), 1); // the production window stayed loaded
        QCOMPARE(d.column("IMPRESSO5", 0), QString("N"));
    }

    void aRowThatDidNotPrintKeepsTheGrid() {
        Order5001 d;
        d.choose(labeltype::Tag5360, false, false);
        d.type(0, "2");
        d.type(2, "3");
        d.op.readsEveryLabel = false;
        d.op.readings << "7891000000011"
                      << "7891000000011" << std::nullopt; // the second row gives up
        QTest::mouseClick(d.window->Cmdimprimir, Qt::LeftButton);
        QCOMPARE(d.printer.waitForJobs(2).size(), 2);
        QCOMPARE(d.cell(0, 7) + "|" + d.cell(2, 7), QString("0|3"));
        QCOMPARE(d.window->txtpedido->text(), QString("5001"));
    }
};

QTEST_MAIN(TstAdhoc)
#include "tst_adhoc.moc"
