#include "data/Home.h"
#include "intake/ConfTxt.h"
#include "intake/CustomerConnection.h"
#include "intake/CustomerImport.h"
#include "session/Guarded.h"
#include "session/Regional.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

// The customer's server is played by a SQLite file read through the SQLite ODBC driver:
// ODBC all the way, with the file named by the database setting of conf.txt.
namespace {

// The driver as unixODBC knows it: by its registered name, or by its library.
QByteArray sqliteDriver() {
    QFile ini("/etc/odbcinst.ini");
    if (ini.open(QIODevice::ReadOnly) && ini.readAll().contains("[SQLite3]")) return "SQLite3";
    return "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
}

// One source row: every column of both views and its value.
using Row = QVariantMap;
Row sourceRow(const QString& pedido, const QString& produto, const Row& at = {}) {
    Row v{{"PEDIDO", pedido},
          {"PRODUTO", produto},
          {"Fornecedor", "FORN A"},
          {"DESC_COLECAO", "INVERNO 26"},
          {"PRECO1", 49.9},
          {"GRADE", "P-M-G"},
          {"COR_PRODUTO", "AZUL"},
          {"TAMANHO", "M"},
          {"DESC_PRODUTO", "CAMISA"},
          {"CODIGO_BARRA", "7891234567890"},
          {"LINHA", "MASCULINO"},
          {"TIPO_PRODUTO", "CAMISA"},
          {"DESCRICAO_MSG", "LAVAR A MAO"},
          {"codigo_tab_preco", "01"},
          {"ENTREGA", "2027-01-10 00:00:00"},
          {"QTDE_TOTAL", 12},
          {"PACKS", 3},
          {"QTDE_ENTREGAR", 7},
          {"GRUPO_PRODUTO", "GRUPO X"}};
    for (auto it = at.begin(); it != at.end(); ++it)
        v[it.key()] = it.value();
    return v;
}

// A SQLite file with ZEPA_PACK and ZEPA, in a folder with a short name, as conf.txt keeps
// at most 50 characters of the database setting.
class CustomerServerFile {
  public:
    explicit CustomerServerFile(bool withPack = true) : m_dir(QDir::tempPath() + "/zXXXXXX") {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "server");
        db.setDatabaseName(path());
        QVERIFY(db.open());
        const QString common =
            "PEDIDO, PRODUTO, Fornecedor, DESC_COLECAO, PRECO1 NUMERIC(10,2), GRADE, COR_PRODUTO, "
            "TAMANHO, DESC_PRODUTO, CODIGO_BARRA, LINHA, TIPO_PRODUTO, DESCRICAO_MSG, "
            "codigo_tab_preco, ";
        if (withPack)
            exec("CREATE TABLE ZEPA_PACK (" + common +
                 "ENTREGA DATETIME, QTDE_TOTAL INTEGER, PACKS INTEGER)");
        exec("CREATE TABLE ZEPA (" + common + "ENTREGA VARCHAR(20), QTDE_ENTREGAR INTEGER, GRUPO_PRODUTO)");
    }
    ~CustomerServerFile() { QSqlDatabase::removeDatabase("server"); }
    QString path() const { return m_dir.filePath("z.db"); }

    // The row in both views, each taking the columns it has.
    void add(const Row& row) {
        QSqlDatabase db = QSqlDatabase::database("server");
        for (const QString& view : db.tables()) {
            QSqlQuery q(db);
            QStringList names, marks;
            const QSqlRecord columns = db.record(view);
            for (int i = 0; i < columns.count(); ++i) {
                names << columns.fieldName(i);
                marks << "?";
            }
            q.prepare("INSERT INTO " + view + " (" + names.join(',') + ") VALUES (" + marks.join(',') + ")");
            for (const QString& n : names)
                q.addBindValue(row.value(n));
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
    }

  private:
    void exec(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database("server"));
        QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
    }
    QTemporaryDir m_dir;
};

void writeConf(const TempHome& home, const QByteArray& content) {
    QFile file(home::confFile(home.path()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// conf.txt naming the server file as the database.
void writeConf(const TempHome& home, const CustomerServerFile& server) {
    QVERIFY(server.path().size() <= 50);
    writeConf(home,
              "1SERVIDOR\r\n2" + server.path().toUtf8() + "\r\n3vorla\r\n4segredo\r\n5TEXTO DO TAG\r\n");
}

int countOf(ProgramState& s, const QString& table) {
    return s.ConexaoPedidos.query("SELECT COUNT(*) AS N FROM " + table).value("N").toInt();
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

    void rowsTaken_data() {
        QTest::addColumn<int>("tipoCarga");
        QTest::addColumn<QString>("typed"); // null: the input box cancelled
        QTest::addColumn<QStringList>("products");
        QTest::newRow("ZEPA_PACK: first row") << 1 << "4711" << QStringList{"REF-1"};
        QTest::newRow("ZEPA: every row")
            << 2 << "4711" << QStringList{"REF-1", "REF-2", "REF-3", "REF-4", "REF-5"};
        QTest::newRow("order not in the view") << 2 << "4799" << QStringList{};
        QTest::newRow("input box cancelled") << 1 << QString() << QStringList{};
    }
    void rowsTaken() {
        QFETCH(int, tipoCarga);
        QFETCH(QString, typed);
        QFETCH(QStringList, products);
        TempHome home;
        CustomerServerFile server;
        for (int i = 1; i <= 5; ++i)
            server.add(sourceRow("4711", QString("REF-%1").arg(i)));
        server.add(sourceRow("4711", "OTHER-PRICES", {{"codigo_tab_preco", "02"}}));
        server.add(sourceRow("4712", "OTHER-ORDER"));
        writeConf(home, server);
        ScriptedOperator op;
        QVERIFY(
            importOrder(home.state(), op, tipoCarga, typed.isNull() ? std::nullopt : std::optional(typed)));

        QCOMPARE(op.shown.first().text, QString("Digite o número do Pedido:"));
        QCOMPARE(op.shown.first().title, QString("VORLA"));
        const QString number = products.isEmpty() ? "" : "4711";
        QCOMPARE(op.messages(), QStringList{"PEDIDO " + number + " IMPORTADO COM SUCESSO!"});
        QCOMPARE(op.shown.last().icon, Operator::Icon::Information);
        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), products.isEmpty() ? 0 : 1);
        const Recordset lines = home.state().ConexaoPedidos.query("SELECT CODIG_PROD FROM VORLA ORDER BY 1");
        QStringList stored;
        for (int i = 0; i < lines.recordCount(); ++i)
            stored << lines.row(i).text("CODIG_PROD");
        QCOMPARE(stored, products);
        QCOMPARE(home.state().ConfLinha5, QString("TEXTO DO TAG"));
    }

    // One source row with blanks, a quote, a number and a date; what each column stores
    // ("header." for VORLAPEDIDOS), from ZEPA_PACK and from ZEPA.
    void mapsEveryColumn_data() {
        QTest::addColumn<int>("tipoCarga");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected");
        const QList<QStringList> golden{
            {"header.PEDIDO", "4711", "4711"},
            {"header.GRUPO", "VORLA", "VORLA"},
            {"header.FORNECEDOR", "FORN A  "},
            {"header.IMPRESSOETQ3", "N"},
            {"header.DATA", "06/12/2026"},
            {"header.HORA", "09:30:15"},
            {"header.USUARIOIMP", "maria"},
            {"COLECAO", "INVERNO 26"},
            {"CODIG_PROD", "REF-1"},
            {"FORNECEDOR", "FORN A"},
            {"LOTE", "4711"},
            {"DESCRI_TAM", "P-M-G"},
            {"PRECO", "49,9"},
            {"QTD_IMPRES", "12", "7"},
            {"CODIG_COR", "AZUL"},
            {"TAMANHO", "M"},
            {"DESCRICAO", "CAMISA D'AGUA"},
            {"CODIG_BARR", "7891234567890"},
            {"CATEGORIA", "MASCULINO"},
            {"TIPO_PROD", "CAMISA"},
            {"MENSAGEM", "LAVAR A MAO"},
            {"PROMOCIONAL", "3", "GRUPO X"},
            {"DATA", "10/01/2027", " 10/01/2027 "},
            {"IMPRESSO5", "N"},
            {"DATA_REGIS", "06/12/2026"},
            {"RQTD", ""},
        };
        for (const QStringList& g : golden) {
            QTest::addRow("ZEPA_PACK %s", qPrintable(g[0])) << 1 << g[0] << g[1];
            QTest::addRow("ZEPA %s", qPrintable(g[0])) << 2 << g[0] << g.value(2, g[1]);
        }
    }
    void mapsEveryColumn() {
        QFETCH(int, tipoCarga);
        QFETCH(QString, column);
        QFETCH(QString, expected);
        TempHome home;
        CustomerServerFile server;
        server.add(sourceRow(" 4711 ", " REF-1 ",
                             {{"Fornecedor", "FORN A  "},
                              {"DESC_COLECAO", "  INVERNO 26"},
                              {"DESC_PRODUTO", "CAMISA D'AGUA "},
                              {"ENTREGA", tipoCarga == 1 ? "2027-01-10 00:00:00" : " 10/01/2027 "}}));
        writeConf(home, server);
        ScriptedOperator op;
        QVERIFY(importOrder(home.state(), op, tipoCarga, " 4711 "));
        QCOMPARE(op.messages(), QStringList{"PEDIDO  4711  IMPORTADO COM SUCESSO!"});

        const bool header = column.startsWith("header.");
        const Recordset rs =
            home.state().ConexaoPedidos.query(header ? "SELECT * FROM VORLAPEDIDOS" : "SELECT * FROM VORLA");
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text(header ? column.mid(7) : column), expected);
        if (!header) QCOMPARE(rs.value("IDPEDIDO").toLongLong(), home.state().IdPedidoAtual);
    }

    void reimport_data() {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("answer"); // empty: no question
        QTest::addColumn<int>("headers");
        QTest::newRow("same number, Yes") << "123"
                                          << "Yes" << 2;
        QTest::newRow("ends with it, No") << "99123"
                                          << "No" << 1;
        QTest::newRow("starts with it") << "1234"
                                        << "" << 2;
    }
    void reimport() {
        QFETCH(QString, existing);
        QFETCH(QString, answer);
        QFETCH(int, headers);
        TempHome home;
        home.state().ConexaoPedidos.execute("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('" + existing + "')");
        CustomerServerFile server;
        server.add(sourceRow("123", "REF-1"));
        writeConf(home, server);
        ScriptedOperator op;
        if (!answer.isEmpty()) op.yesNo << (answer == "Yes");
        QVERIFY(importOrder(home.state(), op, 2, "123"));

        const bool asked = !answer.isEmpty();
        QCOMPARE(op.shown.size(), 1 + int(asked) + int(answer != "No"));
        if (asked) QCOMPARE(op.shown.at(1).text, QString("PEDIDO JÁ IMPORTADO!Deseja importar novamente?"));
        if (asked) QCOMPARE(op.shown.at(1).title, QString("VORLA"));
        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), headers);
        QCOMPARE(countOf(home.state(), "VORLA"), headers - 1);
    }

    // Each failure tells its cause under "VORLA" and stores nothing.
    void failures_data() {
        QTest::addColumn<QByteArray>("driver"); // empty: the default, FreeTDS
        QTest::addColumn<QByteArray>("conf");   // empty: no conf.txt; "file": naming the server file
        QTest::addColumn<bool>("askedNumber");
        QTest::addColumn<QString>("cause");
        const QByteArray sqlite = sqliteDriver();
        QTest::newRow("no conf.txt") << sqlite << QByteArray() << false
                                     << "O arquivo conf.txt, que indica o servidor";
        QTest::newRow("driver not installed") << QByteArray("Nenhum") << QByteArray("file") << false
                                              << "O driver ODBC \"Nenhum\" não está instalado";
        QTest::newRow("server refuses connections")
            << QByteArray() << QByteArray("1127.0.0.1,1\n2VORLA\n3u\n4p\n") << false
            << "Não foi possível conectar ao servidor do cliente \"127.0.0.1,1\"";
        QTest::newRow("server file missing") << sqlite << QByteArray("2/nonexistent/z.db\n") << false
                                             << "Não foi possível conectar ao servidor do cliente";
        QTest::newRow("view missing") << sqlite << QByteArray("file") << true
                                      << "A visão ZEPA_PACK não existe no banco de dados do cliente.";
        QTest::newRow("store refuses a line") << sqlite << QByteArray("file") << true << "disk full";
    }
    void failures() {
        QFETCH(QByteArray, driver);
        QFETCH(QByteArray, conf);
        QFETCH(bool, askedNumber);
        QFETCH(QString, cause);
        driver.isEmpty() ? qunsetenv(customerOdbc::kDriverVariable)
                         : qputenv(customerOdbc::kDriverVariable, driver);
        TempHome home;
        const bool viewMissing = QByteArray(QTest::currentDataTag()) == "view missing";
        CustomerServerFile server(!viewMissing);
        for (int i = 1; i <= 3; ++i)
            server.add(sourceRow("4711", QString("REF-%1").arg(i)));
        if (conf == "file")
            writeConf(home, server);
        else if (!conf.isEmpty())
            writeConf(home, conf);
        home.state().ConexaoPedidos.execute(
            "CREATE TRIGGER refuse BEFORE INSERT ON VORLA WHEN "
            "NEW.CODIG_PROD = 'REF-2' BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        ScriptedOperator op;
        QVERIFY(!importOrder(home.state(), op, viewMissing ? 1 : 2, "4711"));

        QCOMPARE(op.shown.size(), askedNumber ? 2 : 1);
        QVERIFY2(op.shown.last().text.startsWith(cause), qPrintable(op.shown.last().text));
        QCOMPARE(op.shown.last().title, QString("VORLA"));
        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), 0);
        QCOMPARE(countOf(home.state(), "VORLA"), 0);
    }

    void connectionString_data() {
        QTest::addColumn<QByteArray>("conf");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("whole");
        QTest::addColumn<QString>("expected");
        QTest::newRow("FreeTDS, last key 1 wins")
            << QByteArray("1PRIMEIRO\n2VORLA\n3u\n4p\n1SRV\\SQL2019\n") << "FreeTDS"
            << ""
            << "Driver={FreeTDS};Server=SRV\\SQL2019;Database=VORLA;UID=u;PWD=p;TDS_Version=7.4;"
               "ClientCharset=UTF-8;";
        QTest::newRow("missing keys empty")
            << QByteArray("5TEXTO\n") << "FreeTDS"
            << ""
            << "Driver={FreeTDS};Server=;Database=;UID=;PWD=;TDS_Version=7.4;ClientCharset=UTF-8;";
        QTest::newRow("Microsoft driver, password with separators")
            << QByteArray("1srv,1433\n2VORLA\n3u\n4a;b}c \n") << "ODBC Driver 18 for SQL Server"
            << ""
            << "Driver={ODBC Driver 18 for SQL Server};Server=srv,1433;Database=VORLA;UID=u;PWD={a;b}}c };";
        QTest::newRow("whole string") << QByteArray("1SRV\n") << "FreeTDS"
                                      << "Driver=SQLite3;Database=/x.db"
                                      << "Driver=SQLite3;Database=/x.db";
    }
    void connectionString() {
        QFETCH(QByteArray, conf);
        QFETCH(QString, driver);
        QFETCH(QString, whole);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QFile file(dir.filePath("conf.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(conf);
        file.close();
        const auto settings = readConfTxt(file.fileName());
        QVERIFY(settings);
        QCOMPARE(customerOdbc::connectionString(customerServer(*settings), driver, whole), expected);
    }
};

QTEST_GUILESS_MAIN(TstCustomerImport)
#include "tst_customer_import.moc"
