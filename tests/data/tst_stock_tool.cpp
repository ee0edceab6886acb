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
// the re-import check (data/accents/lookups.sql), with accented keys typed in another
// letter case.
QStringList lookups(ProgramState& s) {
    s.AbreConexaoCadastro();
    s.AbreConexaoPedidos();
    QStringList out;
    out << QStringLiteral("login %1").arg(loginMatches(s, QStringLiteral("joão"), QStringLiteral("çÃ")));
    QFile sql(DATA_DIR "/accents/lookups.sql");
    if (!sql.open(QIODevice::ReadOnly)) qFatal("cannot read lookups.sql");
    for (const QString& query : QString::fromUtf8(sql.readAll()).split(u'\n', Qt::SkipEmptyParts))
        out << dump(s.ConexaoPedidos.query(query));
    for (const PackingBlock& block : readPackingBlocks(s))
        for (const PackingOrder& order : block.orders)
            out << order.pedido + QLatin1Char(' ') + order.supplier;
    return out;
}

// data/accents/pedidoN.txt: two lines of order ped-éN of supplier N of kSuppliers.
void importOrders(TempHome& home) {
    ScriptedOperator op;
    for (int i = 0; i < kSuppliers.size(); ++i) {
        home.state().ArquivoTxt = home.path() + QStringLiteral("/pedido%1.txt").arg(i);
        if (!QFile::copy(QStringLiteral(DATA_DIR "/accents/pedido%1.txt").arg(i), home.state().ArquivoTxt))
            qFatal("cannot copy an order file");
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

        for (const QString& store : {home::cadastroFile(home.path()), home::pedidosFile(home.path())})
            QCOMPARE(stockTool(store, QStringLiteral(
                                          "PRAGMA integrity_check; REINDEX; VACUUM; PRAGMA integrity_check")),
                     "ok\nok");
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
