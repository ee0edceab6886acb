#include "session/Guarded.h"
#include "session/Regional.h"
#include "data/Recordset.h"
#include "intake/TextImport.h"
#include "printing/Windows1252.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QCoreApplication>
#include <QFile>
#include <QtTest>

namespace {

// One text line of 18 fields; `at` replaces single fields.
QString orderLine(const QString& pedido, const QString& produto, const QMap<int, QString>& at = {})
{
    QStringList f{"INVERNO 26", "FORN A", pedido, produto, "49.90", "12", "P-M-G", "AZUL", "M",
                  "CAMISA MANGA LONGA", "7891234567890", "MASCULINO", "CAMISA", "10/01/2027", "LAVAR A MAO",
                  "descartado", "PACK3", "4"};
    for (auto it = at.begin(); it != at.end(); ++it) f[it.key()] = it.value();
    return f.join(',');
}

QString fileWith(const TempHome& home, const QByteArray& bytes, const QString& name = "pedido.txt")
{
    const QString path = home.path() + '/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write test file");
    file.write(bytes);
    return path;
}

// Every row of both order tables, as text: what "the store" holds.
QStringList storeDump(ProgramState& s)
{
    QStringList rows;
    for (const QString& table : {QStringLiteral("VORLAPEDIDOS"), QStringLiteral("VORLA")}) {
        const Recordset rs = s.ConexaoPedidos.query("SELECT * FROM " + table);
        for (int i = 0; i < rs.recordCount(); ++i) {
            QStringList values;
            for (const QVariant& v : rs.row(i).values()) values << v.toString();
            rows << table + ':' + values.join('|');
        }
    }
    return rows;
}

int countOf(ProgramState& s, const QString& table)
{
    return s.ConexaoPedidos.query("SELECT COUNT(*) AS N FROM " + table).value("N").toInt();
}

} // namespace

class TstTextImport : public QObject {
    Q_OBJECT
private slots:
    void init() { regional::setFixedNow(QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15))); }
    void cleanup() { regional::setFixedNow(std::nullopt); }

    void storesOneHeaderAndItsLines()
    {
        TempHome home;
        ScriptedOperator op;
        const QString path = fileWith(home, (orderLine(" 4711 ", " REF-1 ", {{1, "FORN A  "}, {13, " 10/01/2027 "}}) +
                                             "\r\n" + orderLine("4711 ", "REF-2") + "\r\n")
                                                .toUtf8());
        op.files << path << std::nullopt;
        importTextFilesUntilDone(home.state(), op, "maria");

        const Recordset h = home.state().ConexaoPedidos.query("SELECT * FROM VORLAPEDIDOS");
        QCOMPARE(h.recordCount(), 1);
        QCOMPARE(h.text("PEDIDO"), QString("4711"));
        QCOMPARE(h.text("FORNECEDOR"), QString("FORN A  "));  // the header keeps the blanks
        QCOMPARE(h.text("GRUPO"), QString("VORLA"));
        for (const char* flag : {"IMPRESSOR", "IMPRESSOETQ", "IMPRESSOETQ1", "IMPRESSOETQ2", "IMPRESSOETQ3",
                                 "IMPRESSOETQ4", "IMPRESSOETQ5"})
            QCOMPARE(h.text(flag), QString("N"));
        QCOMPARE(h.text("DATA"), QString("06/12/2026"));
        QCOMPARE(h.text("HORA"), QString("09:30:15"));
        QCOMPARE(h.text("USUARIOIMP"), QString("maria"));
        QVERIFY(h.text("NUMPROD").isEmpty());

        const Recordset l = home.state().ConexaoPedidos.query("SELECT * FROM VORLA ORDER BY [Identificação]");
        QCOMPARE(l.recordCount(), 2);
        const Record first = l.row(0);
        const QList<std::pair<const char*, QString>> expected{
            {"IDPEDIDO", h.text("IDCODIGO")}, {"COLECAO", "INVERNO 26"}, {"CODIG_PROD", "REF-1"},
            {"FORNECEDOR", "FORN A"},         {"LOTE", "4711"},          {"DESCRI_TAM", "P-M-G"},
            {"PRECO", "49.90"},               {"QTD_IMPRES", "12"},      {"CODIG_COR", "AZUL"},
            {"TAMANHO", "M"},                 {"DESCRICAO", "CAMISA MANGA LONGA"},
            {"CODIG_BARR", "7891234567890"},  {"CATEGORIA", "MASCULINO"}, {"TIPO_PROD", "CAMISA"},
            {"MENSAGEM", "LAVAR A MAO"},      {"PROMOCIONAL", "PACK3"},  {"DATA", " 10/01/2027 "},
            {"IMPRESSO", "N"},                {"IMPRESSOSP", "N"},       {"IMPRESSOC", "N"},
            {"IMPRESSO4", "N"},               {"IMPRESSO5", "N"},        {"DATA_REGIS", "06/12/2026"},
            {"RQTD", "4"}};
        for (const auto& [column, value] : expected) QCOMPARE(first.text(column), value);
        QCOMPARE(l.row(1).text("CODIG_PROD"), QString("REF-2"));

        QVERIFY(!QFile::exists(path));
        QCOMPARE(op.messages(), QStringList{"PEDIDO 4711  IMPORTADO COM SUCESSO!"});
        QCOMPARE(op.shown[0].kind, QString("file"));
        QCOMPARE(op.shown[0].title, QString("ABRIR ARQUIVO"));
        QCOMPARE(op.shown[1].title, QString("VORLA"));
        QCOMPARE(op.shown[1].icon, Operator::Icon::Information);
        QCOMPARE(op.shown[2].kind, QString("file"));  // the dialog opened again
    }

    void fileOutcomes_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("headers");
        QTest::addColumn<QStringList>("lots");
        QTest::addColumn<bool>("fileKept");
        QTest::addColumn<QString>("messageText");
        QTest::addColumn<int>("dialogs");

        const QString ok = " IMPORTADO COM SUCESSO!";
        const QString bad = "Erro: 9-> FORMATO DE ARQUIVO INVÁLIDO!";
        QTest::newRow("empty file") << "" << 0 << QStringList{} << false << "PEDIDO " + ok << 2;
        QTest::newRow("zero-length lines only") << "\r\n\r\n\r\n" << 0 << QStringList{} << false << "PEDIDO " + ok << 2;
        QTest::newRow("zero-length lines between")
            << orderLine("10", "A") + "\r\n\r\n" + orderLine("10", "B") << 1 << QStringList{"10", "10"} << false
            << "PEDIDO 10" + ok << 2;
        QTest::newRow("LF line ends") << orderLine("10", "A") + "\n" + orderLine("10", "B") + "\n" << 1
                                      << QStringList{"10", "10"} << false << "PEDIDO 10" + ok << 2;
        QTest::newRow("two order numbers, one header")
            << orderLine("100", "A") + "\r\n" + orderLine("200", "B") << 1 << QStringList{"100", "200"} << false
            << "PEDIDO 200" + ok << 2;
        QTest::newRow("fields after 18 ignored") << orderLine("10", "A") + ",x,y" << 1 << QStringList{"10"} << false
                                                 << "PEDIDO 10" + ok << 2;
        QTest::newRow("third line short: nothing stored")
            << orderLine("10", "A") + "\r\n" + orderLine("10", "B") + "\r\n" + "1,2,3,4,5,6,7,8,9,10" << 0
            << QStringList{} << true << bad << 1;
        QTest::newRow("line of blanks is not skipped")
            << orderLine("10", "A") + "\r\n   \r\n" << 0 << QStringList{} << true << bad << 1;
        QTest::newRow("17 fields") << orderLine("10", "A").section(',', 0, 16) << 0 << QStringList{} << true << bad
                                   << 1;
    }

    void fileOutcomes()
    {
        QFETCH(QString, content);
        QFETCH(int, headers);
        QFETCH(QStringList, lots);
        QFETCH(bool, fileKept);
        QFETCH(QString, messageText);
        QFETCH(int, dialogs);

        TempHome home;
        ScriptedOperator op;
        const QString path = fileWith(home, content.toUtf8());
        op.files << path << std::nullopt;
        importTextFilesUntilDone(home.state(), op, "ADMIN");

        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), headers);
        QStringList stored;
        const Recordset l = home.state().ConexaoPedidos.query("SELECT LOTE FROM VORLA ORDER BY [Identificação]");
        for (int i = 0; i < l.recordCount(); ++i) stored << l.row(i).text("LOTE");
        QCOMPARE(stored, lots);
        QCOMPARE(QFile::exists(path), fileKept);
        QCOMPARE(op.messages(), QStringList{messageText});
        int shownDialogs = 0;
        for (const auto& s : op.shown) shownDialogs += s.kind == "file";
        QCOMPARE(shownDialogs, dialogs);
        if (headers == 1) {
            const Recordset h = home.state().ConexaoPedidos.query("SELECT IDCODIGO, PEDIDO FROM VORLAPEDIDOS");
            QCOMPARE(h.text("PEDIDO"), lots.first());  // the first line's number
            QCOMPARE(countOf(home.state(), "VORLA WHERE IDPEDIDO = " + h.text("IDCODIGO")), int(lots.size()));
        }
    }

    void failureLeavesStoreAsBefore_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("messageText");
        QTest::newRow("short line in the middle")
            << orderLine("77", "A") + "\r\n" + "a,b,c" + "\r\n" + orderLine("77", "C") << "Erro: 9-> FORMATO DE ARQUIVO INVÁLIDO!";
        QTest::newRow("file gone") << QString() << "Erro: 53-> FORMATO DE ARQUIVO INVÁLIDO!";
        // A store failure is a data error, not a format one: its text is shown.
        QTest::newRow("store refuses the second line")
            << orderLine("77", "A") + "\r\n" + orderLine("77", "REFUSED") << "disk full";
    }

    void failureLeavesStoreAsBefore()
    {
        QFETCH(QString, failing);
        QFETCH(QString, messageText);
        TempHome home;
        ScriptedOperator op;
        op.files << fileWith(home, orderLine("1", "A").toUtf8(), "first.txt") << std::nullopt;
        importTextFilesUntilDone(home.state(), op, "ADMIN");
        const QStringList before = storeDump(home.state());
        QCOMPARE(before.size(), 2);
        home.state().ConexaoPedidos.execute("CREATE TRIGGER refuse BEFORE INSERT ON VORLA WHEN "
                                            "NEW.CODIG_PROD = 'REFUSED' BEGIN SELECT RAISE(ABORT, 'disk full'); END");

        const QString path = failing.isNull() ? home.path() + "/missing.txt" : fileWith(home, failing.toUtf8());
        op.shown.clear();
        op.files << path;
        runGuarded(op, [&] { importTextFilesUntilDone(home.state(), op, "ADMIN"); });

        QCOMPARE(storeDump(home.state()), before);
        QCOMPARE(op.messages(), QStringList{messageText});
        const bool formatError = messageText.startsWith("Erro: ");
        QCOMPARE(op.shown.last().icon, formatError ? Operator::Icon::None : Operator::Icon::Critical);
        QCOMPARE(op.shown.last().title, formatError ? QCoreApplication::applicationName() : QString("VORLA"));
        QCOMPARE(QFile::exists(path), !failing.isNull());
    }

    void reimport_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("headers");
        QTest::addColumn<QStringList>("texts");  // messages and questions shown after the dialog

        const QString question = "PEDIDO JÁ IMPORTADO!Deseja importar novamente?";
        QTest::newRow("yes imports again") << "500" << QList<bool>{true} << 2
                                           << QStringList{question, "PEDIDO 500 IMPORTADO COM SUCESSO!"};
        QTest::newRow("no adds nothing") << "500" << QList<bool>{false} << 1 << QStringList{question};
        // The existence test compares the number as written, blanks included.
        QTest::newRow("number with blanks is new") << " 500" << QList<bool>{} << 2
                                                   << QStringList{"PEDIDO  500 IMPORTADO COM SUCESSO!"};
    }

    void reimport()
    {
        QFETCH(QString, number);
        QFETCH(QList<bool>, answers);
        QFETCH(int, headers);
        QFETCH(QStringList, texts);
        TempHome home;
        ScriptedOperator op;
        op.files << fileWith(home, orderLine("500", "A").toUtf8(), "first.txt") << std::nullopt;
        importTextFilesUntilDone(home.state(), op, "ADMIN");

        op.shown.clear();
        const QString path = fileWith(home, orderLine(number, "B").toUtf8());
        op.files << path;
        if (texts.last().contains("SUCESSO")) op.files << std::nullopt;
        for (bool a : answers) op.yesNo << a;
        importTextFilesUntilDone(home.state(), op, "ADMIN");

        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), headers);
        QCOMPARE(countOf(home.state(), "VORLA"), headers);
        QVERIFY(!QFile::exists(path));
        QStringList seen;
        for (const auto& s : op.shown)
            if (s.kind != "file") seen << s.text;
        QCOMPARE(seen, texts);
        QVERIFY(op.files.isEmpty());
    }

    void quotesAreStoredAsTyped()
    {
        TempHome home;
        ScriptedOperator op;
        op.files << fileWith(home, orderLine("9'1", "D'AGUA", {{1, "O'BRIEN "}, {9, "CAMISA 'SLIM' 10\""}}).toUtf8())
                 << std::nullopt;
        importTextFilesUntilDone(home.state(), op, "D'ARC");

        const Recordset h = home.state().ConexaoPedidos.query("SELECT * FROM VORLAPEDIDOS");
        QCOMPARE(h.text("PEDIDO"), QString("9'1"));
        QCOMPARE(h.text("FORNECEDOR"), QString("O'BRIEN "));
        QCOMPARE(h.text("USUARIOIMP"), QString("D'ARC"));
        const Recordset l = home.state().ConexaoPedidos.query("SELECT * FROM VORLA");
        QCOMPARE(l.text("CODIG_PROD"), QString("D'AGUA"));
        QCOMPARE(l.text("DESCRICAO"), QString("CAMISA 'SLIM' 10\""));
        QCOMPARE(op.messages(), QStringList{"PEDIDO 9'1 IMPORTADO COM SUCESSO!"});
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString line = orderLine("10", "A", {{9, "CALÇA JEANS CORAÇÃO €"}, {1, "CONFECÇÕES"}});
        QTest::newRow("utf-8") << line.toUtf8();
        QTest::newRow("utf-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF") + line.toUtf8();
        QTest::newRow("windows-1252") << toWindows1252(line);
    }

    void encodings()
    {
        QFETCH(QByteArray, bytes);
        TempHome home;
        ScriptedOperator op;
        op.files << fileWith(home, bytes) << std::nullopt;
        importTextFilesUntilDone(home.state(), op, "ADMIN");
        const Recordset l = home.state().ConexaoPedidos.query("SELECT * FROM VORLA");
        QCOMPARE(l.text("DESCRICAO"), QString("CALÇA JEANS CORAÇÃO €"));
        QCOMPARE(l.text("COLECAO"), QString("INVERNO 26"));  // no byte-order mark left in the first field
        QCOMPARE(home.state().ConexaoPedidos.query("SELECT * FROM VORLAPEDIDOS").text("FORNECEDOR"),
                 QString("CONFECÇÕES"));
    }

    void progressForLongFile()
    {
        TempHome home;
        ScriptedOperator op;
        QStringList many;
        for (int i = 0; i < 250; ++i) many << orderLine("8", QString::number(i));
        op.files << fileWith(home, many.join("\r\n").toUtf8()) << std::nullopt;
        importTextFilesUntilDone(home.state(), op, "ADMIN");
        QCOMPARE(countOf(home.state(), "VORLA"), 250);
        const QList<std::pair<int, int>> expected{{0, 250}, {100, 250}, {200, 250}, {250, 250}};
        QCOMPARE(op.progressLog, expected);
    }
};

QTEST_GUILESS_MAIN(TstTextImport)
#include "tst_text_import.moc"
