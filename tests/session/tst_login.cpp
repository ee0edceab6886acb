#include "session/Login.h"
#include "support/DataRows.h"
#include "support/TempHome.h"

#include <QTest>

class tst_login : public QObject {
    Q_OBJECT
  private slots:
    void matches_data() { addRowsFrom(DATA_DIR "/logins.txt"); }
    void matches() {
        const DataRow r = dataRow();
        TempHome home;
        Connection& c = home.state().ConexaoCadastro;
        c.execute("INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('J','Joana','senha','2')");
        c.execute("INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('Z','José','Ação','9')");
        c.execute(
            "INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('D','D''Ávila','p''w','1')");
        c.execute("INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('S','semnivel','x',NULL)");
        QCOMPARE(loginMatches(home.state(), r["user"], r["password"]), r["logsIn"] == "yes");
    }
};

QTEST_GUILESS_MAIN(tst_login)
#include "tst_login.moc"
