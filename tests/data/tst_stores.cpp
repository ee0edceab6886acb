#include "session/ProgramState.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "data/Home.h"
#include "data/SqlText.h"
#include "support/TempHome.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
// One header with two lines, as an import leaves them, plus a printed header.
void seedOrders(Connection& c)
{
    c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO,GRUPO,FORNECEDOR,IMPRESSOR,IMPRESSOETQ,IMPRESSOETQ1,IMPRESSOETQ2,"
              "IMPRESSOETQ3,IMPRESSOETQ4,IMPRESSOETQ5,DATA,HORA,USUARIOIMP,NUMPROD) VALUES "
              "('4711','VORLA','Confecções Ávila','S','N','N','N','N','N','N','01/12/2026','10:00:00','ADMIN','0000000001')");
    for (const char* bar : {"7891234567890", "7891234567891"})
        c.execute(QStringLiteral("INSERT INTO VORLA (IDPEDIDO,COLECAO,CODIG_PROD,FORNECEDOR,LOTE,DESCRI_TAM,PRECO,QTD_IMPRES,"
                                 "CODIG_COR,TAMANHO,DESCRICAO,CODIG_BARR,CATEGORIA,TIPO_PROD,MENSAGEM,PROMOCIONAL,DATA,"
                                 "DATA_REGIS,IMPRESSO,IMPRESSOC,IMPRESSOSP,IMPRESSO4,IMPRESSO5,RQTD) VALUES "
                                 "(1,'VERÃO','P1','Confecções Ávila','4711','P-G','59,90','12','AZUL','M','CAMISA "
                                 "ALGODÃO','%1','MODA','CAMISA','MSG','2','05/01/2027','01/12/2026','N','N','N','N','N','3')")
                      .arg(QLatin1String(bar)));
}
} // namespace

class tst_stores : public QObject {
    Q_OBJECT
private slots:
    void createsBothStoresWithFirstUser()
    {
        TempHome home;
        Recordset rs = home.state().ConexaoCadastro.query("select * from Vendedor");
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text("USUARIO"), QString("ADMIN"));
        QCOMPARE(rs.text("código"), QString("1"));  // accented field names found without regard to case
        QVERIFY(home.state().ConexaoPedidos.query("select * from VORLA").isEmpty());
    }

    void createRefusesAnExistingStore()
    {
        TempHome home;
        const QByteArray before = QFile(home::cadastroFile(home.path())).exists() ? QByteArray("yes") : QByteArray();
        QVERIFY_THROWS_EXCEPTION(DataError, home::create(home.path(), "OUTRO", "x"));
        Recordset rs = home.state().ConexaoCadastro.query("select * from Vendedor");
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(before, QByteArray("yes"));
    }

    void openFailsWithoutCreatingAFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("create");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("not a database") << QByteArray("this is not a database file at all, just text\n") << true;
    }

    void openFailsWithoutCreatingAFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, create);
        QTemporaryDir dir;
        const QString file = dir.filePath("bd/vorla.db");
        if (create) {
            QDir().mkpath(dir.filePath("bd"));
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        ProgramState state(dir.path());
        QVERIFY_THROWS_EXCEPTION(DataError, state.AbreConexaoPedidos());
        QCOMPARE(QFile::exists(file), create);
        QVERIFY(!state.ConexaoPedidos.isOpen());
    }

    void reopeningKeepsEarlierRecordsetsReadable()
    {
        TempHome home;
        ProgramState& s = home.state();
        seedOrders(s.ConexaoPedidos);
        Recordset before = s.ConexaoPedidos.query("select * from VORLA ORDER BY Identificação");
        s.AbreConexaoPedidos();
        s.AbreConexaoPedidos();
        QVERIFY(s.ConexaoPedidos.isOpen());
        QCOMPARE(before.recordCount(), 2);
        QCOMPARE(before.text("CODIG_BARR"), QString("7891234567890"));
        QCOMPARE(s.ConexaoPedidos.query("select * from VORLA").recordCount(), 2);
    }

    void autoNumbersOnlyGrow()
    {
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('1')");
        c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('2')");
        c.execute("DELETE FROM VORLAPEDIDOS where IDCODIGO = 2");
        c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('3')");
        Recordset rs = c.query("SELECT MAX (IDCODIGO)AS MAXIMU FROM VORLAPEDIDOS");
        QCOMPARE(rs.text("MAXIMU"), QString("3"));
    }

    // The program's own statements, as written, against a real store.
    void programStatementsRun_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("rows");
        const QString join = " FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ";
        QTest::newRow("lookup of the production window")
            << "SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ2, VORLAPEDIDOS.PEDIDO, VORLA.descricao,VORLA.FORNECEDOR, "
               "VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres, VORLA.preco,VORLA.MENSAGEM, VORLA.impressoC, "
               "VORLA.Identificação" + join + "((((VORLAPEDIDOS.NUMPROD)='0000000001') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND "
               "((VORLAPEDIDOS.IMPRESSOETQ2)='N') AND ((VORLA.impressoC)='N' Or (VORLA.impressoC)='A')) ORDER BY "
               "VORLA.Identificação;"
            << 2;
        QTest::newRow("preview ordered by the name in capitals")
            << "SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ, VORLAPEDIDOS.PEDIDO, VORLA.descricao,VORLA.MENSAGEM, "
               "VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres, VORLA.preco, VORLA.impresso, VORLA.Identificação" + join +
               "((((VORLAPEDIDOS.NUMPROD)='0000000001') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND "
               "((VORLAPEDIDOS.IMPRESSOETQ)='N') AND ((VORLA.impresso)='N')) ORDER BY VORLA.IDENTIFICAÇÃO"
            << 2;
        QTest::newRow("print run with bracketed order")
            << "SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, "
               "VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, "
               "VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, "
               "VORLA.tipo_prod, VORLA.data, VORLA.impressoC, VORLA.data_regis, VORLA.data_impre" + join +
               "((((VORLAPEDIDOS.NUMPROD)='0000000001') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.PEDIDO)='4711') "
               "AND ((VORLA.impressoC)='N')) ORDER BY [VORLAPEDIDOS.FORNECEDOR],[VORLAPEDIDOS.PEDIDO]"
            << 2;
        QTest::newRow("summary quantities")
            << "SELECT VORLAPEDIDOS.NUMPROD,VORLA.MENSAGEM, VORLA.lote, VORLA.qtd_impres" + join +
               "(((VORLAPEDIDOS.NUMPROD)='0000000001') AND ((VORLA.lote)='4711'));"
            << 2;
        QTest::newRow("ad-hoc lookup, lower-case numprod")
            << "SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, "
               "VORLA.codig_prod,VORLA.PROMOCIONAL,VORLA.CATEGORIA,VORLA.PROMOCIONAL,VORLA.MENSAGEM, VORLA.fornecedor, "
               "VORLA.lote, VORLA.descri_tam, VORLA.preco, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, "
               "VORLA.descricao, VORLA.codig_barr, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impresso, "
               "VORLA.data_regis,VORLA.RQTD, VORLA.data_impre fROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO "
               "= VORLA.IDPEDIDO WHERE (((VORLAPEDIDOS.numprod)='0000000001'))"
            << 2;
        QTest::newRow("pending headers, LIKE without wildcards") << "select * from VORLAPEDIDOS where IMPRESSOR like 's' AND "
                                                                    "GRUPO LIKE 'vorla' ORDER BY FORNECEDOR,IDCODIGO"
                                                                 << 1;
        QTest::newRow("packing list lines of a supplier, accents in another case")
            << "SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.PEDIDO, VORLA.FORNECEDOR, VORLA.fornecedor" + join +
               "(((VORLAPEDIDOS.FORNECEDOR)='CONFECÇÕES ÁVILA') AND ((VORLAPEDIDOS.IMPRESSOR)='S') AND "
               "((VORLA.fornecedor)=[VORLAPEDIDOS].[FORNECEDOR])) ORDER BY [VORLAPEDIDOS].[IDCODIGO],[VORLA].[identificação]"
            << 2;
        QTest::newRow("re-import check") << "Select * from VORLAPEDIDOS where PEDIDO like '%711%'" << 1;
        QTest::newRow("LIKE is not equality with blanks") << "Select * from VORLAPEDIDOS where PEDIDO like '4711 '" << 0;
    }

    void programStatementsRun()
    {
        QFETCH(QString, sql);
        QFETCH(int, rows);
        TempHome home;
        seedOrders(home.state().ConexaoPedidos);
        QCOMPARE(home.state().ConexaoPedidos.query(sql).recordCount(), rows);
    }

    void updatesByAccentedKey()
    {
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        seedOrders(c);
        c.execute("UPDATE VORLA set IMPRESSOC ='A' where Identificação = 2");
        c.execute("UPDATE VORLAPEDIDOS set IMPRESSOR ='S',NUMPROD  = '0000000007',DATA  = '06/12/2026',HORA  = '08:00:00 ' "
                  "where IDCODIGO = 1");
        Recordset line = c.query("select IMPRESSOC from VORLA ORDER BY VORLA.IDENTIFICAÇÃO");
        line.moveNext();
        QCOMPARE(line.text("impressoc"), QString("A"));
        QCOMPARE(c.query("select HORA from VORLAPEDIDOS").text("HORA"), QString("08:00:00 "));
    }

    void quotedValuesRoundTripAndNeverWiden()
    {
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        seedOrders(c);
        const QString tricky = "D'ÁVILA ' OR '1'='1";
        c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('" + sqlText(tricky) + "')");
        QCOMPARE(c.query("select PEDIDO from VORLAPEDIDOS where PEDIDO='" + sqlText(tricky) + "'").text("PEDIDO"), tricky);
        QCOMPARE(c.query("select * from VORLAPEDIDOS where PEDIDO='" + sqlText("x' OR '1'='1") + "'").recordCount(), 0);
    }

    void badStatementIsADataError()
    {
        TempHome home;
        QVERIFY_THROWS_EXCEPTION(DataError, home.state().ConexaoPedidos.query("select * from NADA"));
        QVERIFY_THROWS_EXCEPTION(DataError, home.state().ConexaoPedidos.execute("UPDATE VORLA set NADA='1'"));
        QVERIFY_THROWS_EXCEPTION(DataError, home.state().ConexaoPedidos.query("select * from VORLA").text("PEDIDO"));
    }

    void transactionRollsBackWhenNotCommitted()
    {
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        {
            Transaction t(c);
            c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('1')");
        }
        QCOMPARE(c.query("select * from VORLAPEDIDOS").recordCount(), 0);
        {
            Transaction t(c);
            c.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('1')");
            t.commit();
        }
        QCOMPARE(c.query("select * from VORLAPEDIDOS").recordCount(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_stores)
#include "tst_stores.moc"
