#include "session/Login.h"
#include "support/TempHome.h"

#include <QTest>

class tst_login : public QObject {
    Q_OBJECT
private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("logsIn");
        QTest::newRow("as stored") << "Joana" << "senha" << true;
        QTest::newRow("name in other case") << "JOANA" << "senha" << true;
        QTest::newRow("password in other case") << "joana" << "SENHA" << true;
        QTest::newRow("accented user in other case") << "JOSÉ" << "ação" << true;
        QTest::newRow("accented password in other case") << "josé" << "AÇÃO" << true;
        QTest::newRow("wrong password") << "Joana" << "senh" << false;
        QTest::newRow("trailing blank") << "Joana " << "senha" << false;
        QTest::newRow("empty") << "" << "" << false;
        QTest::newRow("quote in name") << "Jo'ana" << "senha" << false;
        QTest::newRow("injection in name") << "x' OR '1'='1' OR '1'='1" << "x" << false;
        QTest::newRow("injection in password") << "Joana" << "') OR ('1'='1" << false;
        QTest::newRow("user with quote") << "D'Ávila" << "p'w" << true;
        QTest::newRow("empty level still logs in") << "semnivel" << "x" << true;
    }

    void matches()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, logsIn);
        TempHome home;
        Connection& c = home.state().ConexaoCadastro;
        c.execute("INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('J','Joana','senha','2')");
        c.execute("INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('Z','José','Ação','9')");
        c.execute("INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('D','D''Ávila','p''w','1')");
        c.execute("INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('S','semnivel','x',NULL)");
        QCOMPARE(loginMatches(home.state(), user, password), logsIn);
    }

    void welcome()
    {
        QCOMPARE(welcomeText("joana"), QString("OLÁ  joana, SEJA BEM VINDO!"));
    }
};

QTEST_GUILESS_MAIN(tst_login)
#include "tst_login.moc"
