#include "app/frmsenha.h"
#include "app/frmzepa.h"
#include "data/Home.h"
#include "intake/IntakeFixture.h"
#include "support/DataRows.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QAction>
#include <QtTest>
#include <QtWidgets>

using Icon = Operator::Icon;

namespace {
// The actions of a menu or of the menu bar, submenus inside, as "menu/submenu/object name
// [caption]" lines, "-" for a separator.
QStringList menuLines(const QWidget* menu, const QString& path = {}) {
    QStringList lines;
    for (const QAction* a : menu->actions()) {
        if (a->menu())
            lines << menuLines(a->menu(), path + a->text() + '/');
        else
            lines << path + a->objectName() + (a->isSeparator() ? " -" : " [" + a->text() + ']');
    }
    return lines;
}
} // namespace

class tst_login_window : public QObject {
    Q_OBJECT
  private slots:
    void wrongThenRightOpensTheMenu() {
        TempHome home;
        ScriptedOperator op;
        QPointer<frmsenha> login = frmsenha::showAtStart(home.state(), op);
        QCOMPARE(login->windowTitle(), QString("Programa de Impresão VORLA V.s. 1.0"));
        QCOMPARE(login->txtsenha->echoMode(), QLineEdit::Password);

        QTest::keyClicks(login->txtusuario, "admin");
        QTest::keyClicks(login->txtsenha, "errada");
        QTest::mouseClick(login->cmdok, Qt::LeftButton);
        QCOMPARE(op.shown.size(), 1);
        QCOMPARE(op.shown[0].text, QString("Usuário ou senha incorreto!"));
        QCOMPARE(op.shown[0].title, QString("VORLA"));
        QCOMPARE(op.shown[0].icon, Icon::Information);
        QVERIFY(login->txtusuario->text().isEmpty());
        QVERIFY(login->txtsenha->text().isEmpty());
        QVERIFY(!login->mainWindow());

        QTest::keyClicks(login->txtusuario, "admin");
        QTest::keyClick(login->txtusuario, Qt::Key_Return);
        QTest::keyClicks(login->txtsenha, "1234");
        QTest::keyClick(login->txtsenha, Qt::Key_Return); // Enter in the password confirms

        QPointer<frmzepa> main = login ? login->mainWindow() : nullptr;
        QVERIFY(main);
        QVERIFY(main->isVisible());
        // The login window is gone and nothing holds the password typed into it.
        QTRY_VERIFY(!login);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != "frmsenha");
        for (QWidget* w : QApplication::allWidgets())
            if (auto* box = qobject_cast<QLineEdit*>(w)) QVERIFY(box->text() != "1234");
        QCOMPARE(main->lblusuario->text(), QString("admin")); // as typed, not as stored (ADMIN)
        QCOMPARE(main->windowTitle(), QString("Programa de Impresão VORLA V.s. 1.0"));
        QCOMPARE(op.shown.last().text, QString("OLÁ  admin, SEJA BEM VINDO!"));
        QCOMPARE(op.shown.last().title, QString("VORLA"));
        QCOMPARE(op.shown.last().icon, Icon::None);

        QCOMPARE(menuLines(main->menuBar()), dataLines("main-menu.txt"));
        main->mnu_dolmsair->trigger();
        QTRY_VERIFY(!main); // closed and gone
    }

    void escCancels() {
        TempHome home;
        ScriptedOperator op;
        frmsenha login(home.state(), op);
        login.show();
        QSignalSpy cancelled(login.cmdCancelar, &QPushButton::clicked);
        QTest::keyClick(login.txtsenha, Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
    }

    void storeTroubleAtLogin_data() { addRowsFrom(DATA_DIR "/store-trouble.txt"); }
    void storeTroubleAtLogin() {
        const bool userStoreLost = dataRow()["userStoreLost"] == "yes";
        TempHome home;
        if (!userStoreLost) QFile::remove(home::pedidosFile(home.path()));
        ScriptedOperator op;
        frmsenha login(home.state(), op);
        if (userStoreLost) home.state().ConexaoCadastro = Connection(); // as if it had gone away
        login.txtusuario->setText("ADMIN");
        login.txtsenha->setText("1234");
        login.cmdok_Click();
        QCOMPARE(!login.mainWindow(), userStoreLost);
        QCOMPARE(op.shown.size(), 1);
        QCOMPARE(op.shown[0].title, QString("VORLA"));
        QCOMPARE(op.shown[0].icon, userStoreLost ? Icon::Critical : Icon::None);
        if (!userStoreLost) {
            QCOMPARE(op.messages(), QStringList({"OLÁ  ADMIN, SEJA BEM VINDO!"}));
            login.mainWindow()->close();
        }
    }
};

QTEST_MAIN(tst_login_window)
#include "tst_login_window.moc"
