#include "data/Connection.h"
#include "data/Home.h"
#include "intake/TextImport.h"
#include "packing/PackingList.h"
#include "session/Login.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <sqlite3.h>

namespace {

const QStringList kSuppliers{QStringLiteral("ÉX"), QStringLiteral("éA"), QStringLiteral("ÉB")};

// What the stock sqlite3 tool prints for `sql` on `file`.
QString stockTool(const QString& file, const QString& sql) {
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), {file, sql});
    if (!tool.waitForFinished(30000)) return QStringLiteral("sqlite3 did not run");
    return QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError()).trimmed();
}

QStringList dump(const Recordset& rs) {
    QStringList rows;
    for (int i = 0; i < rs.recordCount(); ++i) {
        QStringList values;
        for (const QVariant& v : rs.row(i).values())
            values << v.toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

// The rows the program's lookups return: login, production number, packing list and
// the re-import check, with accented keys typed in another letter case.
QStringList lookups(ProgramState& s) {
    s.AbreConexaoCadastro();
    s.AbreConexaoPedidos();
    QStringList out;
    out << QStringLiteral("login %1").arg(loginMatches(s, QStringLiteral("joão"), QStringLiteral("çÃ")));
    out << dump(s.ConexaoPedidos.query(QStringLiteral(
        "SELECT VORLAPEDIDOS.PEDIDO, VORLAPEDIDOS.FORNECEDOR, VORLA.descricao FROM VORLAPEDIDOS INNER JOIN "
        "VORLA ON "
        "VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE (((VORLAPEDIDOS.NUMPROD)='0000000001') AND "
        "((VORLA.impressoC)='A')) ORDER BY [VORLAPEDIDOS.FORNECEDOR],[VORLAPEDIDOS.PEDIDO]")));
    out << dump(
        s.ConexaoPedidos.query(QStringLiteral("SELECT PEDIDO FROM VORLAPEDIDOS WHERE FORNECEDOR = 'éx'")));
    for (const PackingBlock& block : readPackingBlocks(s))
        for (const PackingOrder& order : block.orders)
            out << order.pedido + QLatin1Char(' ') + order.supplier;
    out << dump(
        s.ConexaoPedidos.query(QStringLiteral("Select * from VORLAPEDIDOS where PEDIDO like 'PED-É2'")));
    return out;
}

void importOrders(TempHome& home) {
    ScriptedOperator op;
    for (int i = 0; i < kSuppliers.size(); ++i) {
        const QString path = home.path() + QStringLiteral("/pedido%1.txt").arg(i);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write an order file");
        const QString line = QStringLiteral("VERÃO,%1,ped-é%2,REF,49.90,12,P-M-G,AZUL,M,CORAÇÃO %2,789,FEM,"
                                            "BLUSA,10/01/2027,LAVAR À MÃO,x,PACK3,4\r\n")
                                 .arg(kSuppliers[i])
                                 .arg(i);
        file.write(line.toUtf8() + line.toUtf8());
        file.close();
        home.state().ArquivoTxt = path;
        CARREGATXT(home.state(), op, QStringLiteral("MARIA"));
    }
    Connection& db = home.state().ConexaoPedidos;
    db.execute(QStringLiteral("UPDATE VORLAPEDIDOS SET NUMPROD = '0000000001'"));
    db.execute(QStringLiteral("UPDATE VORLA SET IMPRESSOC = 'A'"));
    home.state().ConexaoCadastro.execute(QStringLiteral(
        "INSERT INTO Vendedor (NomeVendedor, USUARIO, SENHA, NIVEL) VALUES ('João','JOÃO','Çã','1')"));
}

// The folding comparison the program once registered in place of SQLite's NOCASE.
int foldingCompare(void*, int lenA, const void* a, int lenB, const void* b) {
    const QString x = QString::fromUtf8(static_cast<const char*>(a), lenA).toCaseFolded();
    const QString y = QString::fromUtf8(static_cast<const char*>(b), lenB).toCaseFolded();
    return x.compare(y);
}

} // namespace

// The stores are ordinary SQLite files: the stock tool finds them sound, and its
// REINDEX and VACUUM change no answer of the program.
class TstStockTool : public QObject {
    Q_OBJECT
  private slots:
    void storesStaySoundForTheStockTool() {
        TempHome home;
        importOrders(home);
        const QStringList before = lookups(home.state());
        QVERIFY(before.contains(QStringLiteral("login 1")));
        QCOMPARE(before.count(QStringLiteral("ped-é0")), 1); // 'éx' finds the supplier ÉX

        const QStringList stores{home::cadastroFile(home.path()), home::pedidosFile(home.path())};
        for (const QString& store : stores)
            QCOMPARE(stockTool(store, QStringLiteral("PRAGMA integrity_check")), "ok");
        for (const QString& store : stores) {
            QCOMPARE(stockTool(store, QStringLiteral("REINDEX")), QString());
            QCOMPARE(stockTool(store, QStringLiteral("VACUUM")), QString());
            QCOMPARE(stockTool(store, QStringLiteral("PRAGMA integrity_check")), "ok");
        }
        QCOMPARE(lookups(home.state()), before);
    }

    // A store whose indexes were ordered by the program's old stand-in for NOCASE is
    // brought to the current schema the first time the program opens it.
    void olderStoreIsBroughtUpToDate() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("vorla.db"));
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, foldingCompare);
        QString script = home::pedidosScript();
        script.remove(QStringLiteral("PRAGMA user_version = 1;"));
        QString sql = script;
        for (const QString& supplier : kSuppliers)
            sql += QStringLiteral(
                       "INSERT INTO VORLAPEDIDOS (PEDIDO, FORNECEDOR, IMPRESSOR) VALUES ('1','%1','N');")
                       .arg(supplier);
        QCOMPARE(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        QVERIFY(stockTool(file, QStringLiteral("PRAGMA integrity_check"))
                    .contains(QStringLiteral("missing from index")));

        for (int open = 0; open < 2; ++open) {
            Connection c = Connection::open(file);
            QCOMPARE(
                c.query(QStringLiteral("PRAGMA user_version")).value(QStringLiteral("user_version")).toInt(),
                1);
            QCOMPARE(dump(c.query(QStringLiteral("SELECT FORNECEDOR FROM VORLAPEDIDOS ORDER BY IDCODIGO"))),
                     kSuppliers);
        }
        QCOMPARE(stockTool(file, QStringLiteral("PRAGMA integrity_check")), "ok");
    }
};

QTEST_GUILESS_MAIN(TstStockTool)
#include "tst_stock_tool.moc"
