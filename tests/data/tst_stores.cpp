#include "data/Connection.h"
#include "data/DataError.h"
#include "data/Home.h"
#include "session/ProgramState.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
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
