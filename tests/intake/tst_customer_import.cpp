// The customer's server is played by a SQLite file read through the SQLite ODBC driver:
// ODBC all the way, with the file named by the database setting of conf.txt. Its views
// are data/customer/views.sql, their rows the other data/customer/*.sql.
#include "IntakeFixture.h"
#include "data/Home.h"
#include "intake/ConfTxt.h"
#include "intake/CustomerConnection.h"
#include "intake/CustomerImport.h"
#include "session/Guarded.h"
#include "session/Regional.h"
#include "support/DataRows.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace {

// The driver as unixODBC knows it: by its registered name, or by its library.
QByteArray sqliteDriver() {
    QFile ini("/etc/odbcinst.ini");
    if (ini.open(QIODevice::ReadOnly) && ini.readAll().contains("[SQLite3]")) return "SQLite3";
    return "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
}

// A SQLite file with the views and the rows of data/customer/<each>.sql, in a folder
// with a short name, as conf.txt keeps at most 50 characters of the database setting.
class CustomerServerFile {
  public:
    explicit CustomerServerFile(const QStringList& files) : m_dir(QDir::tempPath() + "/zXXXXXX") {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "server");
        db.setDatabaseName(path());
        QVERIFY(db.open());
        for (const QString& file : QStringList{"views"} + files)
            for (const QString& statement : dataLines("customer/" + file + ".sql")) {
                QSqlQuery q(db);
                QVERIFY2(q.exec(statement), qPrintable(q.lastError().text()));
            }
    }
    ~CustomerServerFile() { QSqlDatabase::removeDatabase("server"); }
    QString path() const { return m_dir.filePath("z.db"); }

  private:
    QTemporaryDir m_dir;
};

// conf.txt naming the server file as the database.
void writeConf(const TempHome& home, const CustomerServerFile& server) {
    QVERIFY(server.path().size() <= 50);
    writeFile(home::confFile(home.path()),
              "1SERVIDOR\r\n2" + server.path().toUtf8() + "\r\n3vorla\r\n4segredo\r\n5TEXTO DO TAG\r\n");
}

// Runs the import as the menu does; `typed` is the order number, none cancels the input box.
bool importOrder(ProgramState& s, ScriptedOperator& op, int tipoCarga, std::optional<QString> typed) {
    op.inputs << typed;
    s.TipoCarga = tipoCarga;
    return runGuarded(op, [&] { CARREGABANCO(s, op, "maria"); });
}

} // namespace

class TstCustomerImport : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        regional::setFixedNow(QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15)));
        qputenv(customerOdbc::kDriverVariable, sqliteDriver());
    }
    void cleanup() { regional::setFixedNow(std::nullopt); }

    void imports_data() { addRowsFrom(DATA_DIR "/customer/imports.txt"); }
    void imports() {
        const DataRow r = dataRow();
        TempHome home;
        CustomerServerFile server({r["server"]});
        writeConf(home, server);
        ScriptedOperator op;
        const auto typed = r["typed"] == "-" ? std::nullopt : std::optional(r["typed"]);
        QVERIFY(importOrder(home.state(), op, r["load"].toInt(), typed));

        QCOMPARE(op.shown.first().text, QString("Digite o número do Pedido:"));
        QCOMPARE(op.shown.first().title, QString("VORLA"));
        QCOMPARE(op.messages(), QStringList{r["message"]});
        QCOMPARE(op.shown.last().icon, Operator::Icon::Information);
        const auto [expected, stored] = rowsOf(home.state(), "customer/" + r["rows"]);
        QCOMPARE(stored, expected);
        for (const QString& line : rowsIn(home.state(), "VORLA", "IDPEDIDO"))
            QCOMPARE(line, "VORLA|" + QString::number(home.state().IdPedidoAtual));
        QCOMPARE(home.state().ConfLinha5, QString("TEXTO DO TAG"));
    }

    void reimport_data() { addRowsFrom(DATA_DIR "/customer/reimports.txt"); }
    void reimport() {
        const DataRow r = dataRow();
        TempHome home;
        home.state().ConexaoPedidos.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('" + r["existing"] +
                                            "')");
        CustomerServerFile server({"orders"});
        writeConf(home, server);
        ScriptedOperator op;
        const bool asked = !r["answer"].isEmpty();
        if (asked) op.yesNo << (r["answer"] == "Yes");
        QVERIFY(importOrder(home.state(), op, 2, "4711"));

        QCOMPARE(op.shown.size(), 1 + int(asked) + int(r["answer"] != "No"));
        if (asked) QCOMPARE(op.shown.at(1).text, QString("PEDIDO JÁ IMPORTADO!Deseja importar novamente?"));
        if (asked) QCOMPARE(op.shown.at(1).title, QString("VORLA"));
        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), r["headers"].toInt());
        QCOMPARE(countOf(home.state(), "VORLA"), r["lines"].toInt());
    }

    void failures_data() { addRowsFrom(DATA_DIR "/customer/failures.txt"); }
    void failures() {
        const DataRow r = dataRow();
        // An empty driver setting means the default, FreeTDS.
        qputenv(customerOdbc::kDriverVariable,
                r["driver"] == "sqlite" ? sqliteDriver() : r["driver"].toUtf8());
        TempHome home;
        CustomerServerFile server(r["server"].split(','));
        if (r["conf"] == "file")
            writeConf(home, server);
        else if (!r["conf"].isEmpty())
            writeFile(home::confFile(home.path()), r["conf"].toUtf8());
        home.state().ConexaoPedidos.execute(
            "CREATE TRIGGER refuse BEFORE INSERT ON VORLA WHEN "
            "NEW.CODIG_PROD = 'REF-2' BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        ScriptedOperator op;
        QVERIFY(!importOrder(home.state(), op, r["load"].toInt(), "4711"));

        QCOMPARE(op.shown.size(), r["askedNumber"] == "yes" ? 2 : 1);
        QVERIFY2(op.shown.last().text.startsWith(r["cause"]), qPrintable(op.shown.last().text));
        QCOMPARE(op.shown.last().title, QString("VORLA"));
        QCOMPARE(storeDump(home.state()), QStringList());
    }

    void connectionString_data() { addRowsFrom(DATA_DIR "/customer/connection-strings.txt"); }
    void connectionString() {
        const DataRow r = dataRow();
        QTemporaryDir dir;
        writeFile(dir.filePath("conf.txt"), r["conf"].toUtf8());
        const auto settings = readConfTxt(dir.filePath("conf.txt"));
        QVERIFY(settings);
        QCOMPARE(customerOdbc::connectionString(customerServer(*settings), r["driver"], r["whole"]),
                 r["expected"]);
    }
};

QTEST_GUILESS_MAIN(TstCustomerImport)
#include "tst_customer_import.moc"
