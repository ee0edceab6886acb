#include "data/Connection.h"
#include "data/Home.h"
#include "data/SqlText.h"
#include "support/TempHome.h"

#include <QTemporaryDir>
#include <QtTest>

// The server's stores, made by --init-server, hold the same tables, columns and indexes
// as the SQLite stores made from the same scripts.
namespace {
// "table.column" and "index table" of a SQLite store, names folded, sorted.
QStringList sqliteSchema(Connection& c) {
    QStringList out;
    const Recordset tables =
        c.query("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'");
    for (int t = 0; t < tables.recordCount(); ++t) {
        const QString table = tables.row(t).text("name");
        const Recordset cols = c.query("PRAGMA table_info(\"" + table + "\")");
        for (int i = 0; i < cols.recordCount(); ++i)
            out << foldCase(table + "." + cols.row(i).text("name"));
    }
    const Recordset indexes =
        c.query("SELECT name, tbl_name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL");
    for (int i = 0; i < indexes.recordCount(); ++i)
        out << foldCase(indexes.row(i).text("name") + " " + indexes.row(i).text("tbl_name"));
    out.sort();
    return out;
}

QStringList serverSchema(Connection& c) {
    QStringList out;
    const Recordset cols =
        c.query("SELECT table_name AS t, column_name AS c FROM information_schema.columns WHERE "
                "table_schema = current_schema()");
    for (int i = 0; i < cols.recordCount(); ++i)
        out << cols.row(i).text("t") + "." + cols.row(i).text("c");
    const Recordset indexes =
        c.query("SELECT indexname AS i, tablename AS t FROM pg_indexes WHERE schemaname = "
                "current_schema() AND indexname NOT LIKE '%_pkey'");
    for (int i = 0; i < indexes.recordCount(); ++i)
        out << indexes.row(i).text("i") + " " + indexes.row(i).text("t");
    out.sort();
    return out;
}
} // namespace

class TstServerSchema : public QObject {
    Q_OBJECT
  private slots:
    void sameTablesColumnsAndIndexes() {
        if (!TempHome::onServer()) QSKIP("needs the test server of scripts/test.sh");
        TempHome server;
        QTemporaryDir dir;
        home::create(dir.path(), "ADMIN", "1234");
        Connection cadastro = Connection::open(home::cadastroFile(dir.path()));
        Connection pedidos = Connection::open(home::pedidosFile(dir.path()));
        QCOMPARE(serverSchema(server.state().ConexaoCadastro), sqliteSchema(cadastro));
        QCOMPARE(serverSchema(server.state().ConexaoPedidos), sqliteSchema(pedidos));
    }
};

QTEST_GUILESS_MAIN(TstServerSchema)
#include "tst_server_schema.moc"
