#include "app/frmsenha.h"
#include "app/frmzepa.h"
#include "data/Home.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using Icon = Operator::Icon;

class tst_login_window : public QObject {
    Q_OBJECT
private slots:
    void wrongThenRightOpensTheMenu()
    {
        TempHome home;
        ScriptedOperator op;
        frmsenha login(home.state(), op);
        login.show();
        QCOMPARE(login.windowTitle(), QString("Programa de Impresão VORLA V.s. 1.0"));
        QCOMPARE(login.txtsenha->echoMode(), QLineEdit::Password);

        QTest::keyClicks(login.txtusuario, "admin");
        QTest::keyClicks(login.txtsenha, "errada");
        QTest::mouseClick(login.cmdok, Qt::LeftButton);
        QCOMPARE(op.shown.size(), 1);
        QCOMPARE(op.shown[0].text, QString("Usuário ou senha incorreto!"));
        QCOMPARE(op.shown[0].title, QString("VORLA"));
        QCOMPARE(op.shown[0].icon, Icon::Information);
        QVERIFY(login.txtusuario->text().isEmpty());
        QVERIFY(login.txtsenha->text().isEmpty());
        QVERIFY(!login.mainWindow());

        // A quote in the name logs nobody in and the window goes on working.
        login.txtusuario->setText("ad'min");
        login.txtsenha->setText("1234");
        login.cmdok_Click();
        QCOMPARE(op.messages().last(), QString("Usuário ou senha incorreto!"));

        QTest::keyClicks(login.txtusuario, "admin");
        QTest::keyClick(login.txtusuario, Qt::Key_Return);
        QTest::keyClicks(login.txtsenha, "1234");
        QTest::keyClick(login.txtsenha, Qt::Key_Return);  // Enter in the password confirms

        QPointer<frmzepa> main = login.mainWindow();
        QVERIFY(main);
        QVERIFY(main->isVisible());
        QVERIFY(!login.isVisible());
        QVERIFY(login.txtsenha->text().isEmpty());
        QCOMPARE(main->lblusuario->text(), QString("admin"));  // as typed, not as stored (ADMIN)
        QCOMPARE(main->windowTitle(), QString("Programa de Impresão VORLA V.s. 1.0"));
        QCOMPARE(op.shown.last().text, QString("OLÁ  admin, SEJA BEM VINDO!"));
        QCOMPARE(op.shown.last().title, QString("VORLA"));
        QCOMPARE(op.shown.last().icon, Icon::None);

        QStringList names, captions;
        for (QAction* a : main->MNU_VORLA->actions()) {
            names << a->objectName();
            captions << (a->isSeparator() ? QString("-") : a->text());
        }
        QCOMPARE(main->mnu_prog->title(), QString("Sistema"));
        QCOMPARE(main->MNU_VORLA->title(), QString("Vorla"));
        QCOMPARE(names, QStringList({"MNU_VORLA1", "mnu_carvorla", "mnu_txt", "mnu_imvorlar", "mnu_traco2", "mnu_imprimir",
                                     "mnu_c5023", "mnu_ny5023", "mnu_vorlanova", "Mnu_avl5522", "mnu_vorlPol", "mnu_tracoc",
                                     "mnu_avl55x25"}));
        QCOMPARE(captions, QStringList({"Carregar Arquivo via Banco PACK", "Carregar Arquivo via Banco ",
                                        "Carregar Arquivo via TXT", "Imprimir Arquivo Texto para Romaneio", "-",
                                        "1-Etiqueta Adesiva de Preço 54x26mm", "2-Etiqueta Tag de Preço 53x60mm",
                                        "3-Etiqueta de Costura 50x16mm", "4-Etiqueta Adesiva de Costura 50x23mm",
                                        "5/6-Etiqueta Adesiva Basket/Importado  32x25mm", "7-Etiqueta Adesiva para Pack ",
                                        "-", "Imprimir Etiqueta Avulsa"}));
        const QList<QAction*> top = main->mnu_prog->actions();
        QCOMPARE(top.size(), 2);
        QCOMPARE(top[0]->menu(), main->MNU_VORLA);
        QCOMPARE(top[1]->text(), QString("Sair"));
        QCOMPARE(top[1]->objectName(), QString("mnu_dolmsair"));

        main->mnu_dolmsair->trigger();
        QTRY_VERIFY(!main);  // closed and gone
    }

    // Once the main window shows, the login window is gone and nothing holds the
    // password typed into it.
    void loginWindowLeavesNothingBehind()
    {
        TempHome home;
        ScriptedOperator op;
        QPointer<frmsenha> login = frmsenha::showAtStart(home.state(), op);
        QTest::keyClicks(login->txtusuario, "admin");
        QTest::keyClicks(login->txtsenha, "1234");
        QTest::mouseClick(login->cmdok, Qt::LeftButton);
        QPointer<frmzepa> main = login ? login->mainWindow() : nullptr;
        QTRY_VERIFY(!login);
        QVERIFY(main && main->isVisible());
        for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(w->objectName() != "frmsenha");
        for (QWidget* w : QApplication::allWidgets())
            if (auto* box = qobject_cast<QLineEdit*>(w)) QVERIFY(box->text() != "1234");
        main->close();
    }

    void missingOrderStoreDoesNotStopTheMenu()
    {
        TempHome home;
        QFile::remove(home::pedidosFile(home.path()));
        ScriptedOperator op;
        frmsenha login(home.state(), op);
        login.txtusuario->setText("ADMIN");
        login.txtsenha->setText("1234");
        login.cmdok_Click();
        QVERIFY(login.mainWindow());
        QCOMPARE(op.messages(), QStringList({"OLÁ  ADMIN, SEJA BEM VINDO!"}));
        login.mainWindow()->close();
    }

    void lostUserStoreIsReportedNotFatal()
    {
        TempHome home;
        ScriptedOperator op;
        frmsenha login(home.state(), op);
        home.state().ConexaoCadastro = Connection();  // as if the store had gone away
        login.txtusuario->setText("ADMIN");
        login.txtsenha->setText("1234");
        login.cmdok_Click();
        QVERIFY(!login.mainWindow());
        QCOMPARE(op.shown.size(), 1);
        QCOMPARE(op.shown[0].title, QString("VORLA"));
        QCOMPARE(op.shown[0].icon, Icon::Critical);
    }
};

QTEST_MAIN(tst_login_window)
#include "tst_login_window.moc"
