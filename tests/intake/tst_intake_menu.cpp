#include "app/frmzepa.h"
#include "session/Regional.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QAction>
#include <QFile>
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
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "INVERNO,FORN A,321,REF1,10,5,PMG,AZUL,M,CAMISA,789,LINHA,TIPO,01/01/2027,MSG,x,PACK,1\r\n");
        file.close();
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
        const Recordset h = home.state().ConexaoPedidos.query("SELECT * FROM VORLAPEDIDOS");
        QCOMPARE(h.text("IMPRESSOR"), QString("S"));
        QCOMPARE(h.text("NUMPROD"), QString("0000000001"));

        romaneio->trigger();
        QCOMPARE(op.messages().last(), QString("NÃO EXISTE PEDIDO DA VORLA A SER IMPRESSO!"));
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

    // Both customer-database items set their view and run the import; without conf.txt
    // the operator is told so and the window goes on.
    void customerDatabaseItems_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("tipoCarga");
        QTest::newRow("MNU_VORLA1") << "MNU_VORLA1" << 1;
        QTest::newRow("mnu_carvorla") << "mnu_carvorla" << 2;
    }
    void customerDatabaseItems() {
        QFETCH(QString, item);
        QFETCH(int, tipoCarga);
        TempHome home;
        ScriptedOperator op;
        frmzepa window(home.state(), op);
        auto* action = window.findChild<QAction*>(item);
        QVERIFY(action && action->isEnabled());
        action->trigger();
        QCOMPARE(home.state().TipoCarga, tipoCarga);
        QCOMPARE(op.messages().size(), 1);
        QVERIFY(op.messages()[0].contains("conf.txt"));
        QCOMPARE(op.shown[0].title, QString("VORLA"));
    }
};

QTEST_MAIN(TstIntakeMenu)
#include "tst_intake_menu.moc"
