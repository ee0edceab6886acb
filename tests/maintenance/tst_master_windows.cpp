#include "app/frmzepa.h"
#include "maintenance/frmcadastro.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QtTest>
#include <QtWidgets>

// The master-data windows as the operator uses them, driven by object name.
class TstMasterWindows : public QObject {
    Q_OBJECT
  private slots:
    void clickTypeAndChangeReopens() {
        TempHome home;
        home.state().ConexaoCadastro.execute("INSERT INTO Vendedor (NomeVendedor, USUARIO, SENHA, NIVEL) "
                                             "VALUES ('ZECA', 'ze', 'pw', '0')");
        ScriptedOperator op;
        frmcadastro window(usersTable(), home.state(), op);
        auto* grid = window.findChild<QTableWidget*>("grdvendedor");
        auto* name = window.findChild<QLineEdit*>("txtvendedor");
        QVERIFY(grid && name && window.objectName() == "frmvendedor");
        QCOMPARE(grid->horizontalHeaderItem(2)->text(), QString("SENHA_____________________________"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // Ordered by level: ADMIN is the second row.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(1, 0)).center());
        QCOMPARE(window.nomeAnterior(), QString("ADMIN"));
        QCOMPARE(window.findChild<QLineEdit*>("txtsenha")->text(), QString("1234"));
        QVERIFY(name->text().isEmpty());
        QTest::keyClicks(name, "jo");
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString("ã"), {});
        QCOMPARE(name->text(), QString("JOÃ"));

        op.yesNo << false << true;
        window.findChild<QPushButton*>("cmdAlterar")->click();
        QVERIFY(name->text().isEmpty());
        QCOMPARE(window.result(), 0);
        QTest::keyClicks(name, "gerente");
        window.cmdAlterar->click();
        QCOMPARE(op.shown.last().text, QString("Confirma a alteração deste vendedor ADMIN para  GERENTE"));
        QCOMPARE(window.result(), frmcadastro::Reopen);

        frmcadastro again(usersTable(), home.state(), op);
        QCOMPARE(again.grid->item(1, 0)->text(), QString("GERENTE"));
        QVERIFY(again.nomeAnterior().isEmpty());
    }

    void brandWindow() {
        TempHome home;
        Connection& c = home.state().ConexaoCadastro;
        c.execute("INSERT INTO FORNECEDOR (Fornecedor) VALUES ('FORN B'), ('FORN A')");
        c.execute("INSERT INTO MARCA (NomeMarca, Vendedor, Grupo, Fornecedor) VALUES ('Kids', 'ADMIN', 'G', "
                  "'FORN A ')");
        ScriptedOperator op;
        frmcadastro window(brandsTable(), home.state(), op);
        auto* fornecedor = window.findChild<QComboBox*>("cbofornecedor");
        auto* marca = window.findChild<QLineEdit*>("txtmarca");
        QVERIFY(fornecedor && marca && window.findChild<QComboBox*>("cbovendedor")->count() == 1);
        QCOMPARE(fornecedor->itemText(0), QString("FORN B"));
        QVERIFY(fornecedor->currentText().isEmpty());

        window.grid->cellClicked(0, 2);
        QCOMPARE(marca->text(), QString("Kids"));
        QCOMPARE(fornecedor->currentText(), QString("FORN A "));
        window.findChild<QPushButton*>("cmdlimpar")->click();
        QVERIFY(marca->text().isEmpty() && fornecedor->currentText().isEmpty());
        QTest::keyClicks(marca, "Nova");
        QCOMPARE(marca->text(), QString("Nova"));
    }

    void shortcutOpensChosenWindow() {
        TempHome home;
        ScriptedOperator op;
        frmzepa main(home.state(), op);
        auto* shortcut = main.findChild<QShortcut*>("shortcutCadastros");
        QVERIFY(shortcut);
        QCOMPARE(shortcut->key(), QKeySequence("Ctrl+Shift+C"));

        // The operator picks the label models in the chooser, then closes that window.
        QString opened;
        QTimer operatorHand;
        connect(&operatorHand, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            if (modal->objectName() == "frmcadastros") {
                modal->findChild<QPushButton*>("cmdfrmetiquetas")->click();
            } else {
                opened = modal->objectName();
                modal->close();
            }
        });
        operatorHand.start(10);
        shortcut->activated();
        QCOMPARE(opened, QString("frmetiquetas"));
    }
};

QTEST_MAIN(TstMasterWindows)
#include "tst_master_windows.moc"
