#include "data/Connection.h"
#include "data/DataError.h"
#include "data/Home.h"
#include "data/SqlText.h"
#include "session/ProgramState.h"
#include "support/DataRows.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
// data/seed.sql: one printed header with two lines.
void seedOrders(Connection& c) {
    QFile file(DATA_DIR "/seed.sql");
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read seed.sql");
    for (const QString& statement : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
        if (!statement.startsWith("--")) c.execute(statement);
}

int count(Connection& c, const QString& from) {
    return c.query("select * from " + from).recordCount();
}
} // namespace

class tst_stores : public QObject {
    Q_OBJECT
  private slots:
    void createsBothStoresOnceWithFirstUser() {
        TempHome home;
        Recordset rs = home.state().ConexaoCadastro.query("select * from Vendedor");
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text("USUARIO"), QString("ADMIN"));
        QCOMPARE(rs.text("código"), QString("1")); // accented field names found without regard to case
        QCOMPARE(count(home.state().ConexaoPedidos, "VORLA"), 0);
        QVERIFY_THROWS_EXCEPTION(DataError, home::create(home.path(), "OUTRO", "x"));
        QCOMPARE(count(home.state().ConexaoCadastro, "Vendedor"), 1);
    }

    void openFailsWithoutCreatingAFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a database") << QByteArray("this is not a database file at all, just text\n");
    }
    void openFailsWithoutCreatingAFile() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString file = dir.filePath("bd/vorla.db");
        if (!content.isEmpty()) {
            QDir().mkpath(dir.filePath("bd"));
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        ProgramState state(dir.path());
        QVERIFY_THROWS_EXCEPTION(DataError, state.AbreConexaoPedidos());
        QCOMPARE(QFile::exists(file), !content.isEmpty());
        QVERIFY(!state.ConexaoPedidos.isOpen());
    }

    void reopeningKeepsEarlierRecordsetsReadable() {
        TempHome home;
        ProgramState& s = home.state();
        seedOrders(s.ConexaoPedidos);
        Recordset before = s.ConexaoPedidos.query("select * from VORLA ORDER BY Identificação");
        s.AbreConexaoPedidos();
        s.AbreConexaoPedidos();
        QCOMPARE(before.recordCount(), 2);
        QCOMPARE(before.text("CODIG_BARR"), QString("7891234567890"));
        QCOMPARE(count(s.ConexaoPedidos, "VORLA"), 2);
    }

    void autoNumbersOnlyGrow() {
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('1')");
        c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('2')");
        c.execute("DELETE FROM VORLAPEDIDOS where IDCODIGO = 2");
        c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('3')");
        QCOMPARE(c.query("SELECT MAX (IDCODIGO)AS MAXIMU FROM VORLAPEDIDOS").text("MAXIMU"), QString("3"));
    }

    void programStatementsRun_data() { addRowsFrom(DATA_DIR "/statements.txt"); }
    void programStatementsRun() {
        const DataRow r = dataRow();
        TempHome home;
        seedOrders(home.state().ConexaoPedidos);
        QCOMPARE(home.state().ConexaoPedidos.query(r["sql"]).recordCount(), r["rows"].toInt());
    }

    void updatesByAccentedKey() {
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        seedOrders(c);
        c.execute("UPDATE VORLA set IMPRESSOC ='A' where Identificação = 2");
        c.execute(
            "UPDATE VORLAPEDIDOS set IMPRESSOR ='S',NUMPROD  = '0000000007',DATA  = '06/12/2026',HORA  = "
            "'08:00:00 ' where IDCODIGO = 1");
        Recordset line = c.query("select IMPRESSOC from VORLA ORDER BY VORLA.IDENTIFICAÇÃO");
        line.moveNext();
        QCOMPARE(line.text("impressoc"), QString("A"));
        QCOMPARE(c.query("select HORA from VORLAPEDIDOS").text("HORA"), QString("08:00:00 "));
    }

    // Statements differing only in their literals share one prepared statement: each
    // still stores exactly its own values, whatever they hold.
    void sameShapeKeepsEachStatementsValues() {
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        const QStringList values{"D'ÁVILA ' OR '1'='1", "", "a?b:c@d$e [x] \"y\"", "--", "ção"};
        for (const QString& v : values)
            c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO,GRUPO) VALUES ('" + sqlText(v) + "','G" + sqlText(v) +
                      "')");
        c.execute("INSERT INTO VORLA (IDPEDIDO,LOTE) VALUES ('7','x')");
        c.execute("INSERT INTO VORLA (IDPEDIDO,LOTE) VALUES (8,'y')");
        const Recordset rs = c.query("select PEDIDO, GRUPO from VORLAPEDIDOS ORDER BY IDCODIGO");
        for (int i = 0; i < values.size(); ++i) {
            QCOMPARE(rs.row(i).text("PEDIDO"), values[i]);
            QCOMPARE(rs.row(i).text("GRUPO"), "G" + values[i]);
        }
        QCOMPARE(count(c, "VORLAPEDIDOS where PEDIDO='" + sqlText(values[0]) + "'"), 1);
        QCOMPARE(count(c, "VORLAPEDIDOS where PEDIDO='" + sqlText("x' OR '1'='1") + "'"), 0);
        // A quoted number keeps its column's type.
        QCOMPARE(count(c, "VORLA where IDPEDIDO = 7 OR IDPEDIDO = 8"), 2);
        for (int i = 0; i < 100; ++i)
            c.execute(QString("UPDATE VORLA set LOTE = 'z' where IDPEDIDO = %1").arg(i));
        QCOMPARE(count(c, "VORLA where LOTE = 'z'"), 2); // more shapes than are kept prepared
    }

    void badStatementIsADataError() {
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        QVERIFY_THROWS_EXCEPTION(DataError, c.query("select * from NADA"));
        QVERIFY_THROWS_EXCEPTION(DataError, c.execute("UPDATE VORLA set NADA='1'"));
        QVERIFY_THROWS_EXCEPTION(DataError, c.query("select * from VORLA").text("PEDIDO"));
        // A NUL inside a value would be stored as it is by a prepared statement: refused.
        QVERIFY_THROWS_EXCEPTION(DataError, c.execute(QString("UPDATE VORLA set LOTE = 'a") + QChar(0) + "b'"));
        c.execute(
            "CREATE TRIGGER refuse BEFORE INSERT ON VORLA BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
        for (int i = 0; i < 2; ++i) { // the store's own text, also from a statement prepared before
            try {
                c.execute("INSERT INTO VORLA (LOTE) VALUES ('1')");
                QFAIL("the insert went through");
            } catch (const DataError& e) {
                QCOMPARE(e.text(), QString("disco cheio"));
            }
        }
    }

    void transactionRollsBackWhenNotCommitted() {
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        for (const bool commit : {false, true}) {
            Transaction t(c);
            c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('1')");
            if (commit) t.commit();
        }
        QCOMPARE(count(c, "VORLAPEDIDOS"), 1);
    }
};

QTEST_GUILESS_MAIN(tst_stores)
#include "tst_stores.moc"
