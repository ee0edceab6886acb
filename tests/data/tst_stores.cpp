// The program's stores: made once with the first user, opened and reopened; the
// statements it runs, as the adapter turns them into the store's, with their rows or
// refusals; a store it cannot use explained to the operator; files the stock sqlite3
// tool finds sound, before and after its REINDEX and VACUUM.
#include "data/AccessDialect.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "data/FoldingSql.h"
#include "data/Home.h"
#include "data/SqlText.h"
#include "intake/TextImport.h"
#include "packing/PackingList.h"
#include "session/Login.h"
#include "session/ProgramState.h"
#include "support/DataRows.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QtTest>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QStringList kSuppliers{QStringLiteral("ÉX"), QStringLiteral("éA"), QStringLiteral("ÉB")};

QStringList linesOf(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(file));
    return QString::fromUtf8(in.readAll()).split('\n', Qt::SkipEmptyParts);
}

// data/seed.sql: one printed header with two lines.
void seedOrders(Connection& c) {
    for (const QString& statement : linesOf(DATA_DIR "/seed.sql"))
        if (!statement.startsWith("--")) c.execute(statement);
}

void write(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file));
}

int count(Connection& c, const QString& from) {
    return c.query("select * from " + from).recordCount();
}

// The rows of a query, the values of each joined by "|".
QStringList rowsOf(const Recordset& rs) {
    QStringList rows;
    for (int i = 0; i < rs.recordCount(); ++i) {
        QStringList values;
        for (const QVariant& v : rs.row(i).values())
            values << v.toString();
        rows << values.join('|');
    }
    return rows;
}

// What the stock sqlite3 tool prints for `sql` on `file`.
QString stockTool(const QString& file, const QString& sql) {
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), {file, sql});
    if (!tool.waitForFinished(30000)) return QStringLiteral("sqlite3 did not run");
    return QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError()).trimmed();
}

// The rows the program's lookups return: login, production number, packing list and
// the re-import check (data/accents/lookups.sql), with accented keys typed in another
// letter case.
QStringList lookups(ProgramState& s) {
    s.AbreConexaoCadastro();
    s.AbreConexaoPedidos();
    QStringList out;
    out << QStringLiteral("login %1").arg(loginMatches(s, QStringLiteral("joão"), QStringLiteral("çÃ")));
    for (const QString& query : linesOf(DATA_DIR "/accents/lookups.sql"))
        out << rowsOf(s.ConexaoPedidos.query(query));
    for (const PackingBlock& block : readPackingBlocks(s))
        for (const PackingOrder& order : block.orders)
            out << order.pedido + QLatin1Char(' ') + order.supplier;
    return out;
}

// What the operator is shown when the order file is imported into `home`; empty when
// the import went through. As an ordinary user (nobody) when asked and the test runs as
// root: root writes to read-only files.
QString importError(const QString& home, const QString& orderFile, bool asOrdinaryUser = false) {
    const bool drop = asOrdinaryUser && ::geteuid() == 0;
    if (drop && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) qFatal("cannot become nobody");
    ProgramState state(home);
    ScriptedOperator op;
    state.ArquivoTxt = orderFile;
    QString error;
    try {
        CARREGATXT(state, op, QStringLiteral("maria"));
    } catch (const DataError& e) {
        error = e.text();
    }
    if (drop && (::seteuid(0) != 0 || ::setegid(0) != 0)) qFatal("cannot become root again");
    return error;
}

// data/accents/pedidoN.txt: two lines of order ped-éN of supplier N of kSuppliers.
void importOrders(TempHome& home) {
    for (int i = 0; i < kSuppliers.size(); ++i) {
        const QString file = home.path() + QStringLiteral("/pedido%1.txt").arg(i);
        QFile::copy(QStringLiteral(DATA_DIR "/accents/pedido%1.txt").arg(i), file);
        if (!importError(home.path(), file).isEmpty()) qFatal("an order file was not imported");
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
        QVERIFY_THROWS_EXCEPTION(DataError,
                                 home.state().ConexaoPedidos.query("select * from VORLA").text("PEDIDO"));
        QVERIFY_THROWS_EXCEPTION(DataError, home::create(home.path(), "OUTRO", "x"));
        QCOMPARE(count(home.state().ConexaoCadastro, "Vendedor"), 1);
    }

    void openFailsWithoutCreatingAFile_data() { addRowsFrom(DATA_DIR "/unopened.txt"); }
    void openFailsWithoutCreatingAFile() {
        const QByteArray content = dataRow()["content"].toUtf8();
        QTemporaryDir dir;
        const QString file = dir.filePath("bd/vorla.db");
        if (!content.isEmpty() && QDir().mkpath(dir.filePath("bd"))) write(file, content);
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

    // data/scripts.txt: statements, each followed by the rows it returns or the store's
    // refusal. Run, they must give back the script as written.
    void scripts_data() {
        QTest::addColumn<QStringList>("lines");
        QList<QStringList> scripts;
        for (const QString& line : linesOf(DATA_DIR "/scripts.txt")) {
            if (line.startsWith("-- "))
                scripts << QStringList{line.mid(3)};
            else if (!line.startsWith('#'))
                scripts.last() << line;
        }
        for (const QStringList& script : scripts)
            QTest::newRow(qPrintable(script.first())) << script.mid(1);
        QStringList shapes; // more shapes than a connection keeps prepared
        for (int i = 0; i < 100; ++i)
            shapes << QString("UPDATE VORLA set LOTE = 'z' where IDPEDIDO = %1").arg(i);
        QTest::newRow("many shapes") << shapes +
                                            QStringList{"select count(*) from VORLA where LOTE = 'z'", "= 2"};
    }
    void scripts() {
        QFETCH(QStringList, lines);
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        seedOrders(c);
        QStringList transcript;
        for (const QString& line : lines) {
            if (line.startsWith("= ") || line.startsWith("! ")) continue;
            transcript << line;
            try {
                if (line.startsWith("select", Qt::CaseInsensitive))
                    for (const QString& row : rowsOf(c.query(line)))
                        transcript << "= " + row;
                else
                    c.execute(QString(line).replace("\\0", QChar(0)));
            } catch (const DataError& e) {
                transcript << "! " + QString(e.text()).replace(home.path(), "<home>");
            }
        }
        QCOMPARE(transcript, lines);
    }

    // The adapter must turn the program's statements into the store's without touching a
    // literal, and spell every known name as the schema does.
    void translate_data() { addRowsFrom(DATA_DIR "/dialect.txt"); }
    void translate() {
        const DataRow r = dataRow();
        const bool server = r["store"] == "server";
        AccessDialect dialect;
        dialect.setServerTarget(server);
        for (const char* name :
             {"VORLA", "VORLAPEDIDOS", "Identificação", "FORNECEDOR", "PEDIDO", "IDCODIGO", "Código"})
            dialect.addName(server ? QString::fromUtf8(name).toLower() : QString::fromUtf8(name));
        QCOMPARE(dialect.translate(r["sql"]), r["expected"]);
    }

    // Statements ask for the folding comparison only where SQLite's NOCASE would compare
    // differently, so ASCII lookups keep their indexes.
    void folding_data() { addRowsFrom(DATA_DIR "/folding.txt"); }
    void folding() {
        const DataRow r = dataRow();
        QCOMPARE(foldingSql::apply(r["sql"]), r["expected"]);
    }

    void quoting() {
        QCOMPARE(sqlText("ABC"), QString("ABC"));
        QCOMPARE(sqlText("D'AVILA"), QString("D''AVILA"));
        QCOMPARE(sqlText("' OR '1'='1"), QString("'' OR ''1''=''1"));
        QCOMPARE(sqlText(""), QString(""));
    }

    // A store the program cannot use is explained in the operator's language, naming the
    // file and what to do, followed by the engine's own text; nothing is stored and the
    // order file stays.
    void storeThatCannotTakeTheOrder_data() { addRowsFrom(DATA_DIR "/store-faults.txt"); }
    void storeThatCannotTakeTheOrder() {
        const DataRow r = dataRow();
        TempHome home;
        const QString store = home::pedidosFile(home.path());
        const QString orderFile = home.path() + QStringLiteral("/pedido.txt");
        QVERIFY(QFile::copy(DATA_DIR "/pedido.txt", orderFile));

        QString error;
        if (r["fault"] == "read-only") {
            for (const QString& dir : {home.path(), QFileInfo(store).absolutePath()})
                ::chmod(QFile::encodeName(dir), 0755);
            ::chmod(QFile::encodeName(orderFile), 0644);
            ::chmod(QFile::encodeName(store), 0444);
            error = importError(home.path(), orderFile, true);
            ::chmod(QFile::encodeName(store), 0644);
        } else if (r["fault"] == "locked") {
            Connection locker = Connection::open(store);
            locker.execute(QStringLiteral("BEGIN EXCLUSIVE"));
            error = importError(home.path(), orderFile);
            locker.rollback();
        } else {
            write(store, QByteArray(4096, 'x'));
            error = importError(home.path(), orderFile);
        }

        QCOMPARE(error.replace(QDir::toNativeSeparators(store), "<store>"), r["message"]);
        QVERIFY(QFile::exists(orderFile));
        if (r["fault"] != "garbage") {
            Connection check = Connection::open(store);
            QCOMPARE(count(check, "VORLAPEDIDOS"), 0);
        }
    }

    // The stores are ordinary SQLite files: the stock tool finds them sound, and its
    // REINDEX and VACUUM change no answer of the program.
    void storesStaySoundForTheStockTool() {
        TempHome home;
        importOrders(home);
        const QStringList before = lookups(home.state());
        QVERIFY(before.contains(QStringLiteral("login 1")));
        QCOMPARE(before.count(QStringLiteral("ped-é0")), 1); // 'éx' finds the supplier ÉX

        for (const QString& store : {home::cadastroFile(home.path()), home::pedidosFile(home.path())})
            QCOMPARE(stockTool(store, "PRAGMA integrity_check; REINDEX; VACUUM; PRAGMA integrity_check"),
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
        QString sql = home::pedidosScript();
        sql.remove(QStringLiteral("PRAGMA user_version = 1;"));
        for (const QString& supplier : kSuppliers)
            sql += QString("INSERT INTO VORLAPEDIDOS (PEDIDO, FORNECEDOR, IMPRESSOR) VALUES ('1','%1','N');")
                       .arg(supplier);
        QCOMPARE(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        QVERIFY(stockTool(file, "PRAGMA integrity_check").contains("missing from index"));

        for (int open = 0; open < 2; ++open) {
            Connection c = Connection::open(file);
            QCOMPARE(rowsOf(c.query("PRAGMA user_version")), QStringList{"1"});
            QCOMPARE(rowsOf(c.query("SELECT FORNECEDOR FROM VORLAPEDIDOS ORDER BY IDCODIGO")), kSuppliers);
        }
        QCOMPARE(stockTool(file, "PRAGMA integrity_check"), "ok");
    }
};

QTEST_GUILESS_MAIN(tst_stores)
#include "tst_stores.moc"
