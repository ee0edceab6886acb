#include "app/frmzepa.h"
#include "maintenance/frmcadastro.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QtTest>

// The master-data windows as the operator uses them, driven by object name.
class TstMasterWindows : public QObject {
    Q_OBJECT
  private slots:
    void clickTypeAndChangeReopens();
    void brandWindow();
    void shortcutOpensChosenWindow();
};

namespace {
QStringList column(QTableWidget* grid, int c)
{
    QStringList values;
    for (int r = 0; r < grid->rowCount(); ++r)
        values << grid->item(r, c)->text();
    return values;
}
} // namespace

void TstMasterWindows::clickTypeAndChangeReopens()
{
    TempHome home;
    home.state().ConexaoCadastro.execute("INSERT INTO GRUPO (GRUPO) VALUES ('MASCULINO'), ('FEMININO')");
    ScriptedOperator op;
    frmcadastro window(groupsTable(), home.state(), op);
    QCOMPARE(window.objectName(), QString("frmgrupos"));
    QCOMPARE(window.windowTitle(), QString("Cadastro de Grupos"));
    auto* grid = window.findChild<QTableWidget*>("grdgrupo");
    auto* name = window.findChild<QLineEdit*>("txtgrupo");
    QVERIFY(grid && name);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QString("GRUPO___________________________________"));
    QCOMPARE(column(grid, 0), QStringList({"FEMININO", "MASCULINO"}));

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(1, 0)).center());
    QCOMPARE(window.nomeAnterior(), QString("MASCULINO"));
    QTest::keyClicks(name, "masc. adulto");
    QCOMPARE(name->text(), QString("MASC. ADULTO"));

    op.yesNo << false;
    window.findChild<QPushButton*>("cmdAlterar")->click();
    QVERIFY(name->text().isEmpty());
    QCOMPARE(window.result(), 0);

    QTest::keyClicks(name, "adulto");
    op.yesNo << true;
    window.cmdAlterar->click();
    QCOMPARE(op.shown.last().text, QString("Confirma a alteração deste GRUPO? MASCULINO para  ADULTO"));
    QCOMPARE(window.result(), frmcadastro::Reopen);

    frmcadastro again(groupsTable(), home.state(), op);
    QCOMPARE(column(again.grid, 0), QStringList({"ADULTO", "FEMININO"}));
    QVERIFY(again.nomeAnterior().isEmpty());
}

void TstMasterWindows::brandWindow()
{
    TempHome home;
    Connection& c = home.state().ConexaoCadastro;
    c.execute("INSERT INTO FORNECEDOR (Fornecedor) VALUES ('FORN B'), ('FORN A')");
    c.execute("INSERT INTO MARCA (NomeMarca, Vendedor, Grupo, Fornecedor) VALUES ('Kids', 'ADMIN', 'G', "
              "'FORN A ')");
    ScriptedOperator op;
    frmcadastro window(brandsTable(), home.state(), op);
    auto* fornecedor = window.findChild<QComboBox*>("cbofornecedor");
    auto* marca = window.findChild<QLineEdit*>("txtmarca");
    QVERIFY(fornecedor && marca && window.findChild<QComboBox*>("cbovendedor"));
    QCOMPARE(fornecedor->count(), 2);
    QCOMPARE(fornecedor->itemText(0), QString("FORN B"));
    QVERIFY(fornecedor->currentText().isEmpty());
    QCOMPARE(window.grid->columnCount(), 4);

    window.grid->cellClicked(0, 2);
    QCOMPARE(marca->text(), QString("Kids"));
    QCOMPARE(fornecedor->currentText(), QString("FORN A "));

    QTest::keyClicks(marca, "x"); // typed as typed
    QCOMPARE(marca->text(), QString("Kidsx"));
    window.findChild<QPushButton*>("cmdlimpar")->click();
    QVERIFY(marca->text().isEmpty() && fornecedor->currentText().isEmpty());

    QTest::keyClicks(marca, "Nova");
    op.yesNo << false;
    window.cmdIncluir->click();
    QVERIFY(marca->text().isEmpty());
    QCOMPARE(op.messages(), QStringList());
}

void TstMasterWindows::shortcutOpensChosenWindow()
{
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

QTEST_MAIN(TstMasterWindows)
#include "tst_master_windows.moc"
