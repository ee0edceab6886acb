#include "session/Guarded.h"
#include "session/Regional.h"
#include "data/Home.h"
#include "intake/ConfTxt.h"
#include "intake/CustomerConnection.h"
#include "intake/CustomerImport.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

// The customer's server is played by a SQLite file read through the SQLite ODBC driver:
// ODBC all the way, with the file named by the database setting of conf.txt.
namespace {

const QString kColumns = "PEDIDO VARCHAR(20), PRODUTO VARCHAR(20), Fornecedor VARCHAR(20), DESC_COLECAO VARCHAR(30),"
                         "PRECO1 NUMERIC(10,2), GRADE VARCHAR(20), COR_PRODUTO VARCHAR(20), TAMANHO VARCHAR(5),"
                         "DESC_PRODUTO VARCHAR(40), CODIGO_BARRA VARCHAR(20), LINHA VARCHAR(20),"
                         "TIPO_PRODUTO VARCHAR(20), DESCRICAO_MSG VARCHAR(40), codigo_tab_preco VARCHAR(2),";

// The driver as unixODBC knows it: by its registered name, or by its library.
QByteArray sqliteDriver()
{
    QFile ini("/etc/odbcinst.ini");
    if (ini.open(QIODevice::ReadOnly) && ini.readAll().contains("[SQLite3]")) return "SQLite3";
    return "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
}

// A SQLite file with ZEPA_PACK and ZEPA, in a folder with a short name, as conf.txt keeps
// at most 50 characters of the database setting.
class CustomerServerFile {
public:
    explicit CustomerServerFile(bool withPack = true) : m_dir(QDir::tempPath() + "/zXXXXXX")
    {
        m_db = QSqlDatabase::addDatabase("QSQLITE", "server");
        m_db.setDatabaseName(path());
        if (!m_db.open()) qFatal("cannot create the server file");
        if (withPack)
            exec("CREATE TABLE ZEPA_PACK (" + kColumns + "ENTREGA DATETIME, QTDE_TOTAL INTEGER, PACKS INTEGER)");
        exec("CREATE TABLE ZEPA (" + kColumns + "ENTREGA VARCHAR(20), QTDE_ENTREGAR INTEGER, GRUPO_PRODUTO VARCHAR(20))");
    }
    ~CustomerServerFile()
    {
        m_db.close();
        m_db = {};
        QSqlDatabase::removeDatabase("server");
    }
    QString path() const { return m_dir.filePath("z.db"); }

    // One row of an order in both views; `at` replaces single columns.
    void addRow(const QString& pedido, const QString& produto, const QMap<QString, QVariant>& at = {})
    {
        QMap<QString, QVariant> v{{"PEDIDO", pedido},
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
                                  {"codigo_tab_preco", "01"}};
        for (auto it = at.begin(); it != at.end(); ++it) v[it.key()] = it.value();
        const QStringList names = v.keys();
        QSqlQuery q(m_db);
        for (const QString& view : {QString("ZEPA_PACK"), QString("ZEPA")}) {
            const QStringList extra = view == "ZEPA" ? QStringList{"ENTREGA", "QTDE_ENTREGAR", "GRUPO_PRODUTO"}
                                                     : QStringList{"ENTREGA", "QTDE_TOTAL", "PACKS"};
            if (!m_db.tables().contains(view)) continue;
            QStringList marks(names.size() + 3, "?");
            q.prepare("INSERT INTO " + view + " (" + (names + extra).join(',') + ") VALUES (" + marks.join(',') + ")");
            for (const QString& n : names) q.addBindValue(v[n]);
            for (const QString& n : extra) q.addBindValue(at.value(n, defaults(n)));
            if (!q.exec()) qFatal("%s", qPrintable(q.lastError().text()));
        }
    }

private:
    static QVariant defaults(const QString& column)
    {
        if (column == "ENTREGA") return "2027-01-10 00:00:00";
        if (column == "QTDE_TOTAL") return 12;
        if (column == "PACKS") return 3;
        if (column == "QTDE_ENTREGAR") return 7;
        return "GRUPO X";
    }
    void exec(const QString& sql)
    {
        QSqlQuery q(m_db);
        if (!q.exec(sql)) qFatal("%s", qPrintable(q.lastError().text()));
    }

    QTemporaryDir m_dir;
    QSqlDatabase m_db;
};

void writeConf(const TempHome& home, const QByteArray& content)
{
    QFile file(home::confFile(home.path()));
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write conf.txt");
    file.write(content);
}

// conf.txt naming the server file as the database.
void writeConf(const TempHome& home, const CustomerServerFile& server)
{
    QVERIFY(server.path().size() <= 50);
    writeConf(home, "1SERVIDOR\r\n2" + server.path().toUtf8() + "\r\n3vorla\r\n4segredo\r\n5TEXTO DO TAG\r\n");
}

int countOf(ProgramState& s, const QString& table)
{
    return s.ConexaoPedidos.query("SELECT COUNT(*) AS N FROM " + table).value("N").toInt();
}

// Runs the import as the menu does, with the order number typed.
void importOrder(ProgramState& s, ScriptedOperator& op, int tipoCarga, const QString& typed)
{
    op.inputs << typed;
    s.TipoCarga = tipoCarga;
    runGuarded(op, [&] { CARREGABANCO(s, op, "maria"); });
}

} // namespace

class TstCustomerImport : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        regional::setFixedNow(QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15)));
        qputenv(customerOdbc::kDriverVariable, sqliteDriver());
        qunsetenv(customerOdbc::kConnectionVariable);
    }
    void cleanup() { regional::setFixedNow(std::nullopt); }

    void packTakesFirstRowOnly_data()
    {
        QTest::addColumn<int>("tipoCarga");
        QTest::addColumn<QStringList>("products");
        QTest::newRow("ZEPA_PACK") << 1 << QStringList{"REF-1"};
        QTest::newRow("ZEPA") << 2 << QStringList{"REF-1", "REF-2", "REF-3", "REF-4", "REF-5"};
    }
    void packTakesFirstRowOnly()
    {
        QFETCH(int, tipoCarga);
        QFETCH(QStringList, products);
        TempHome home;
        CustomerServerFile server;
        for (int i = 1; i <= 5; ++i) server.addRow("4711", QString("REF-%1").arg(i));
        server.addRow("4711", "OUTRA-TABELA", {{"codigo_tab_preco", "02"}});
        server.addRow("4712", "OUTRO-PEDIDO");
        writeConf(home, server);
        ScriptedOperator op;
        importOrder(home.state(), op, tipoCarga, "4711");

        QCOMPARE(op.shown.first().kind, QString("input"));
        QCOMPARE(op.shown.first().text, QString("Digite o número do Pedido:"));
        QCOMPARE(op.shown.first().title, QString("VORLA"));
        QCOMPARE(op.messages(), QStringList{"PEDIDO 4711 IMPORTADO COM SUCESSO!"});
        QCOMPARE(op.shown.last().icon, Operator::Icon::Information);
        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), 1);
        const Recordset lines = home.state().ConexaoPedidos.query("SELECT * FROM VORLA ORDER BY CODIG_PROD");
        QStringList stored;
        for (int i = 0; i < lines.recordCount(); ++i) stored << lines.row(i).text("CODIG_PROD");
        QCOMPARE(stored, products);
        QCOMPARE(home.state().ConfLinha5, QString("TEXTO DO TAG"));
    }

    // One source row with blanks, a quote, a number and a date; what each column stores.
    void mapsEveryColumn_data()
    {
        QTest::addColumn<int>("tipoCarga");
        QTest::addColumn<QString>("column");  // "header." for VORLAPEDIDOS
        QTest::addColumn<QString>("expected");
        const QList<std::tuple<QString, QString, QString>> both{
            {"header.PEDIDO", "4711", "4711"},
            {"header.GRUPO", "VORLA", "VORLA"},
            {"header.FORNECEDOR", "FORN A  ", "FORN A  "},
            {"header.IMPRESSOETQ3", "N", "N"},
            {"header.DATA", "06/12/2026", "06/12/2026"},
            {"header.HORA", "09:30:15", "09:30:15"},
            {"header.USUARIOIMP", "maria", "maria"},
            {"COLECAO", "INVERNO 26", "INVERNO 26"},
            {"CODIG_PROD", "REF-1", "REF-1"},
            {"FORNECEDOR", "FORN A", "FORN A"},
            {"LOTE", "4711", "4711"},
            {"DESCRI_TAM", "P-M-G", "P-M-G"},
            {"PRECO", "49,9", "49,9"},
            {"QTD_IMPRES", "12", "7"},
            {"CODIG_COR", "AZUL", "AZUL"},
            {"TAMANHO", "M", "M"},
            {"DESCRICAO", "CAMISA D'AGUA", "CAMISA D'AGUA"},
            {"CODIG_BARR", "7891234567890", "7891234567890"},
            {"CATEGORIA", "MASCULINO", "MASCULINO"},
            {"TIPO_PROD", "CAMISA", "CAMISA"},
            {"MENSAGEM", "LAVAR A MAO", "LAVAR A MAO"},
            {"PROMOCIONAL", "3", "GRUPO X"},
            {"DATA", "10/01/2027", " 10/01/2027 "},
            {"IMPRESSO5", "N", "N"},
            {"DATA_REGIS", "06/12/2026", "06/12/2026"},
            {"RQTD", "", ""},
        };
        for (const auto& [column, pack, zepa] : both) {
            QTest::addRow("ZEPA_PACK %s", qPrintable(column)) << 1 << column << pack;
            QTest::addRow("ZEPA %s", qPrintable(column)) << 2 << column << zepa;
        }
    }
    void mapsEveryColumn()
    {
        QFETCH(int, tipoCarga);
        QFETCH(QString, column);
        QFETCH(QString, expected);
        TempHome home;
        CustomerServerFile server;
        server.addRow(" 4711 ", " REF-1 ",
                      {{"Fornecedor", "FORN A  "},
                       {"DESC_COLECAO", "  INVERNO 26"},
                       {"DESC_PRODUTO", "CAMISA D'AGUA "},
                       {"PRECO1", 49.90},
                       {"ENTREGA", tipoCarga == 1 ? QVariant("2027-01-10 00:00:00") : QVariant(" 10/01/2027 ")}});
        writeConf(home, server);
        ScriptedOperator op;
        importOrder(home.state(), op, tipoCarga, " 4711 ");
        QCOMPARE(op.messages(), QStringList{"PEDIDO  4711  IMPORTADO COM SUCESSO!"});

        const bool header = column.startsWith("header.");
        const Recordset rs = home.state().ConexaoPedidos.query(header ? "SELECT * FROM VORLAPEDIDOS" : "SELECT * FROM VORLA");
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text(header ? column.mid(7) : column), expected);
        if (!header) QCOMPARE(rs.value("IDPEDIDO").toLongLong(), home.state().IdPedidoAtual);
    }

    void reimport_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("headers");
        QTest::newRow("same number, Yes") << "123" << true << true << 2;
        QTest::newRow("ends with it, No") << "99123" << true << false << 1;
        QTest::newRow("starts with it") << "1234" << false << false << 2;
    }
    void reimport()
    {
        QFETCH(QString, existing);
        QFETCH(bool, asked);
        QFETCH(bool, yes);
        QFETCH(int, headers);
        TempHome home;
        home.state().ConexaoPedidos.execute("INSERT INTO VORLAPEDIDOS (PEDIDO, GRUPO) VALUES ('" + existing +
                                            "', 'VORLA')");
        CustomerServerFile server;
        server.addRow("123", "REF-1");
        writeConf(home, server);
        ScriptedOperator op;
        if (asked) op.yesNo << yes;
        importOrder(home.state(), op, 2, "123");

        QStringList expectedShown{"input"};
        if (asked) expectedShown << "question";
        if (headers == 2) expectedShown << "message";
        QStringList shown;
        for (const auto& s : op.shown) shown << s.kind;
        QCOMPARE(shown, expectedShown);
        if (asked) {
            QCOMPARE(op.shown.at(1).text, QString("PEDIDO JÁ IMPORTADO!Deseja importar novamente?"));
            QCOMPARE(op.shown.at(1).title, QString("VORLA"));
        }
        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), headers);
        QCOMPARE(countOf(home.state(), "VORLA"), headers - 1);
    }

    // Each failure tells its cause under "VORLA" and stores nothing.
    void failures_data()
    {
        QTest::addColumn<QByteArray>("driver");
        QTest::addColumn<QString>("conf");  // "none": no conf.txt; "file": the server file
        QTest::addColumn<bool>("withPack");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<bool>("asked");
        QTest::newRow("no conf.txt") << sqliteDriver() << "none" << true
                                     << "O arquivo conf.txt, que indica o servidor do cliente, não existe" << false;
        QTest::newRow("driver not installed") << QByteArray("NoSuchDriver") << "file" << true
                                              << "O driver ODBC \"NoSuchDriver\" não está instalado" << false;
        QTest::newRow("server refuses connections") << QByteArray() << "1127.0.0.1,1\n2VORLA\n3u\n4p\n" << true
                                                    << "Não foi possível conectar ao servidor do cliente \"127.0.0.1,1\"" << false;
        QTest::newRow("server file missing") << sqliteDriver() << "2/nonexistent-folder/z.db\n" << true
                                             << "Não foi possível conectar ao servidor do cliente" << false;
        QTest::newRow("view missing") << sqliteDriver() << "file" << false
                                      << "A visão ZEPA_PACK não existe no banco de dados do cliente." << true;
    }
    void failures()
    {
        QFETCH(QByteArray, driver);
        QFETCH(QString, conf);
        QFETCH(bool, withPack);
        QFETCH(QString, cause);
        QFETCH(bool, asked);
        if (driver.isEmpty())
            qunsetenv(customerOdbc::kDriverVariable);  // the default: FreeTDS
        else
            qputenv(customerOdbc::kDriverVariable, driver);
        TempHome home;
        CustomerServerFile server(withPack);
        server.addRow("4711", "REF-1");
        if (conf == "file")
            writeConf(home, server);
        else if (conf != "none")
            writeConf(home, conf.toUtf8());
        ScriptedOperator op;
        if (asked) op.inputs << "4711";
        home.state().TipoCarga = 1;
        QVERIFY(!runGuarded(op, [&] { CARREGABANCO(home.state(), op, "maria"); }));

        QCOMPARE(op.shown.last().kind, QString("message"));
        QVERIFY2(op.shown.last().text.startsWith(cause), qPrintable(op.shown.last().text));
        QCOMPARE(op.shown.last().title, QString("VORLA"));
        QCOMPARE(op.shown.size(), asked ? 2 : 1);
        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), 0);
        QCOMPARE(countOf(home.state(), "VORLA"), 0);
    }

    void connectionString_data()
    {
        QTest::addColumn<QByteArray>("conf");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("whole");
        QTest::addColumn<QString>("expected");
        QTest::newRow("FreeTDS, last key 1 wins")
            << QByteArray("1PRIMEIRO\n2VORLA\n3u\n4p\n1SRV\\SQL2019\n") << "FreeTDS" << ""
            << "Driver={FreeTDS};Server=SRV\\SQL2019;Database=VORLA;UID=u;PWD=p;TDS_Version=7.4;ClientCharset=UTF-8;";
        QTest::newRow("missing keys empty") << QByteArray("5TEXTO\n") << "FreeTDS" << ""
                                            << "Driver={FreeTDS};Server=;Database=;UID=;PWD=;TDS_Version=7.4;"
                                               "ClientCharset=UTF-8;";
        QTest::newRow("Microsoft driver, password with separators")
            << QByteArray("1srv,1433\n2VORLA\n3u\n4a;b}c \n") << "ODBC Driver 18 for SQL Server" << ""
            << "Driver={ODBC Driver 18 for SQL Server};Server=srv,1433;Database=VORLA;UID=u;PWD={a;b}}c };";
        QTest::newRow("whole string") << QByteArray("1SRV\n") << "FreeTDS" << "Driver=SQLite3;Database=/x.db"
                                      << "Driver=SQLite3;Database=/x.db";
    }
    void connectionString()
    {
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
