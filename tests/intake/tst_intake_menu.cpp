#include "IntakeFixture.h"
#include "app/frmzepa.h"
#include "session/Regional.h"
#include "support/DataRows.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QAction>
#include <QLabel>
#include <QtTest>

// The main window's menu: an order file imported, then its packing list printed.
class TstIntakeMenu : public QObject {
    Q_OBJECT
  private slots:
    void importThenPrintPackingList() {
        regional::setFixedNow(QDateTime(QDate(2026, 12, 6), QTime(8, 0, 0)));
        TempHome home;
        ScriptedOperator op;
        frmzepa window(home.state(), op);
        window.lblusuario->setText("ADMIN");

        auto* romaneio = window.findChild<QAction*>("mnu_imvorlar");
        QVERIFY(romaneio);
        romaneio->trigger();
        QCOMPARE(op.messages(), QStringList{"NÃO EXISTE PEDIDO DA VORLA A SER IMPRESSO!"});

        const QString path = home.path() + "/pedido.txt";
        writeFile(
            path,
            "INVERNO,FORN A,321,REF1,10,5,PMG,AZUL,M,CAMISA,789,LINHA,TIPO,01/01/2027,MSG,x,PACK,1\r\n");
        op.files << path << std::nullopt;
        auto* txt = window.findChild<QAction*>("mnu_txt");
        QVERIFY(txt);
        txt->trigger();
        QCOMPARE(home.state().TipoCarga, 1);
        QCOMPARE(op.messages().last(), QString("PEDIDO 321 IMPORTADO COM SUCESSO!"));
        QVERIFY(!QFile::exists(path));

        const QString folder = home.path() + "/pdf";
        op.pagePrinters << folder;
        romaneio->trigger();
        QCOMPARE(op.messages().last(), QString("ROMANEIO DA VORLA IMPRESSO COM SUCESSO! ROMANEIO NUMERO: 1"));
        QVERIFY(QFile::exists(folder + "/romaneio-1.pdf"));
        QCOMPARE(rowsIn(home.state(), "VORLAPEDIDOS", "IMPRESSOR,NUMPROD"),
                 QStringList{"VORLAPEDIDOS|S|0000000001"});
        regional::setFixedNow(std::nullopt);
    }

    void storeFailureIsShownAndProgramGoesOn() {
        TempHome home;
        ScriptedOperator op;
        frmzepa window(home.state(), op);
        QVERIFY(QFile::remove(home.path() + "/bd/vorla.db"));
        window.findChild<QAction*>("mnu_imvorlar")->trigger();
        window.findChild<QAction*>("mnu_txt")->trigger(); // no file dialog: the store is missing
        QCOMPARE(op.messages().size(), 2);
        QVERIFY(op.messages()[0].contains("vorla.db"));
        QCOMPARE(op.shown[0].title, QString("VORLA"));
    }

    // Each customer-database item sets its view and runs the import; without conf.txt
    // the operator is told so and the window goes on.
    void customerDatabaseItems_data() { addRowsFrom(DATA_DIR "/customer-menu-items.txt"); }
    void customerDatabaseItems() {
        const DataRow r = dataRow();
        TempHome home;
        ScriptedOperator op;
        frmzepa window(home.state(), op);
        auto* action = window.findChild<QAction*>(QTest::currentDataTag());
        QVERIFY(action && action->isEnabled());
        action->trigger();
        QCOMPARE(home.state().TipoCarga, r["tipoCarga"].toInt());
        QCOMPARE(op.messages().size(), 1);
        QVERIFY(op.messages()[0].contains("conf.txt"));
        QCOMPARE(op.shown[0].title, QString("VORLA"));
    }
};

QTEST_MAIN(TstIntakeMenu)
#include "tst_intake_menu.moc"
