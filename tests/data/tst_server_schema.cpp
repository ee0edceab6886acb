#include "data/Connection.h"
#include "data/Home.h"
#include "data/SqlText.h"
#include "support/TempHome.h"

#include <QTemporaryDir>
#include <QtTest>

// The server's stores, made by --init-server or brought up to date on open, hold the same
// tables, columns and indexes as the SQLite stores made from the same scripts.
namespace {
const QString kSqliteSchema =
    "SELECT m.name || '.' || p.name AS e FROM sqlite_master m, pragma_table_info(m.name) p WHERE m.type = "
    "'table' AND m.name NOT LIKE 'sqlite%' UNION ALL SELECT name || ' ' || tbl_name AS e FROM sqlite_master "
    "WHERE type = 'index' AND sql IS NOT NULL";
const QString kServerSchema =
    "SELECT table_name || '.' || column_name AS e FROM information_schema.columns WHERE table_schema = "
    "current_schema() UNION ALL SELECT indexname || ' ' || tablename AS e FROM pg_indexes WHERE schemaname "
    "= current_schema() AND indexname NOT LIKE '%_pkey'";

// "table.column" and "index table" of a store, sorted; a SQLite store's names folded as
// the server's are.
QStringList schema(Connection& c) {
    QStringList out;
    const Recordset rs = c.query(c.isServer() ? kServerSchema : kSqliteSchema);
    for (int i = 0; i < rs.recordCount(); ++i)
        out << (c.isServer() ? rs.row(i).text("e") : foldCase(rs.row(i).text("e")));
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
        QCOMPARE(schema(server.state().ConexaoCadastro), schema(cadastro));
        QCOMPARE(schema(server.state().ConexaoPedidos), schema(pedidos));
        // A store made before the newest tables gets them when it is next opened.
        for (const char* table : {"RESUMOPENDENTE", "HISTORICO"})
            server.state().ConexaoPedidos.execute(QString("DROP TABLE %1").arg(table));
        server.state().AbreConexaoPedidos();
        QCOMPARE(schema(server.state().ConexaoPedidos), schema(pedidos));
    }
};

QTEST_GUILESS_MAIN(TstServerSchema)
#include "tst_server_schema.moc"
