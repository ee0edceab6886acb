#include "intake/IntakeFixture.h"
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
        for (const QString& statement : dataLines("users.sql"))
            home.state().ConexaoCadastro.execute(statement);
        QCOMPARE(loginMatches(home.state(), r["user"], r["password"]), r["logsIn"] == "yes");
    }
};

QTEST_GUILESS_MAIN(tst_login)
#include "tst_login.moc"
