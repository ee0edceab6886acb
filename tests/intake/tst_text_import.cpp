// Order text files imported into the order store. The files are in data/orders/, what
// the store holds after each in data/*.rows.
#include "IntakeFixture.h"
#include "intake/TextImport.h"
#include "session/Guarded.h"
#include "session/Regional.h"
#include "support/DataRows.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QCoreApplication>
#include <QProcess>
#include <QtTest>

namespace {
// One text line of 18 fields.
QString orderLine(const QString& pedido, const QString& produto) {
    return "INVERNO 26,FORN A," + pedido + ',' + produto +
           ",49.90,12,P-M-G,AZUL,M,CAMISA MANGA LONGA,7891234567890,MASCULINO,CAMISA,10/01/2027,LAVAR A MAO,"
           "descartado,PACK3,4";
}

QString fileWith(const TempHome& home, const QByteArray& bytes, const QString& name = "pedido.txt") {
    writeFile(home.path() + '/' + name, bytes);
    return home.path() + '/' + name;
}

// Imports the file (then cancels the dialog) as `user`.
void import(TempHome& home, ScriptedOperator& op, const QString& file, const QString& user = "ADMIN") {
    op.files << file << std::nullopt;
    runGuarded(op, [&] { importTextFilesUntilDone(home.state(), op, user); });
}
} // namespace

class TstTextImport : public QObject {
    Q_OBJECT
  private slots:
    void init() { regional::setFixedNow(QDateTime(QDate(2026, 12, 6), QTime(9, 30, 15))); }
    void cleanup() { regional::setFixedNow(std::nullopt); }

    // Each order file of data/orders/ against the rows the store then holds.
    void imports_data() { addRowsFrom(DATA_DIR "/imports.txt"); }
    void imports() {
        const DataRow r = dataRow();
        TempHome home;
        ScriptedOperator op;
        const QString path = home.path() + "/pedido.txt";
        QVERIFY(QFile::copy(DATA_DIR "/orders/" + QString(QTest::currentDataTag()) + ".txt", path));
        import(home, op, path, r["user"]);
        const auto [expected, stored] = rowsOf(home.state(), r["rows"]);
        QCOMPARE(stored, expected);
        QCOMPARE(op.messages(), QStringList{r["message"]});
        const bool failed = r["message"].startsWith("Erro");
        QCOMPARE(QFile::exists(path), failed);
        QCOMPARE(op.kinds(), QString(failed ? "FM" : "FMF")); // the dialog opens again after a success
        QCOMPARE(op.shown[0].title, QString("ABRIR ARQUIVO"));
        if (!failed) QCOMPARE(op.shown[1].icon, Operator::Icon::Information);
        if (!failed) QCOMPARE(op.shown[1].title, QString("VORLA"));
    }

    void undeletableFileIsReported() {
        TempHome home;
        ScriptedOperator op;
        QFile open(fileWith(home, orderLine("42", "A").toUtf8()));
        QVERIFY(open.open(QIODevice::ReadOnly));
        // The file through this process's table of open files: readable, never deletable.
        const QString path = QString("/proc/self/fd/%1").arg(open.handle());
        import(home, op, path);
        QCOMPARE(op.messages(), (QStringList{"PEDIDO 42 IMPORTADO COM SUCESSO!",
                                             "NÃO FOI POSSÍVEL APAGAR O ARQUIVO " + path + "!"}));
        QCOMPARE(op.shown[2].title, QString("VORLA"));
        QCOMPARE(op.kinds(), QString("FMMF")); // the order stays stored, the next file is asked for
        QCOMPARE(countOf(home.state(), "VORLA"), 1);
    }

    void failureLeavesStoreAsBefore_data() { addRowsFrom(DATA_DIR "/failures.txt"); }
    void failureLeavesStoreAsBefore() {
        const QString message = dataRow()["message"];
        TempHome home;
        ScriptedOperator op;
        import(home, op, fileWith(home, orderLine("1", "A").toUtf8(), "first.txt"));
        const QStringList before = storeDump(home.state());
        QCOMPARE(before.size(), 2);
        for (const QString& statement :
             dataLines(TempHome::onServer() ? "refuse-server.sql" : "refuse-sqlite.sql"))
            home.state().ConexaoPedidos.execute(statement);
        const QString path = home.path() + "/pedido.txt";
        QFile::copy(DATA_DIR "/orders/" + QString(QTest::currentDataTag()) + ".txt", path);
        op.shown.clear();
        op.files << path;
        runGuarded(op, [&] { importTextFilesUntilDone(home.state(), op, "ADMIN"); });
        QCOMPARE(storeDump(home.state()), before);
        QCOMPARE(op.messages().size(), 1);
        // The server adds where the refusal came from.
        QCOMPARE(op.messages()[0].section("\nCONTEXT:", 0, 0), message);
        const bool formatError = message.startsWith("Erro: ");
        QCOMPARE(op.shown.last().icon, formatError ? Operator::Icon::None : Operator::Icon::Critical);
        QCOMPARE(op.shown.last().title, formatError ? QCoreApplication::applicationName() : QString("VORLA"));
        QCOMPARE(QFile::exists(path), QTest::currentDataTag() != QString("file-gone"));
    }

    void reimport_data() { addRowsFrom(DATA_DIR "/reimports.txt"); }
    void reimport() {
        const DataRow r = dataRow();
        TempHome home;
        ScriptedOperator op;
        import(home, op, fileWith(home, orderLine("500", "A").toUtf8(), "first.txt"));
        op.shown.clear();
        const QString path = fileWith(home, orderLine(r["number"], "B").toUtf8());
        op.files << path;
        const bool imported = r["texts"].contains("SUCESSO");
        if (imported) op.files << std::nullopt;
        if (!r["answer"].isEmpty()) op.yesNo << (r["answer"] == "yes");
        importTextFilesUntilDone(home.state(), op, "ADMIN");
        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), imported ? 2 : 1);
        QCOMPARE(countOf(home.state(), "VORLA"), imported ? 2 : 1);
        QVERIFY(!QFile::exists(path));
        QStringList seen;
        for (const auto& s : op.shown)
            if (s.kind != "file") seen << s.text;
        QCOMPARE(seen, r["texts"].split(';'));
        QVERIFY(op.files.isEmpty());
    }

    void progressForLongFile() {
        TempHome home;
        ScriptedOperator op;
        QStringList many;
        for (int i = 0; i < 250; ++i)
            many << orderLine("8", QString::number(i));
        import(home, op, fileWith(home, many.join("\r\n").toUtf8()));
        QCOMPARE(countOf(home.state(), "VORLA"), 250);
        const QList<std::pair<int, int>> expected{{0, 250}, {100, 250}, {200, 250}, {250, 250}};
        QCOMPARE(op.progressLog, expected);
    }

    // Two stations importing different orders at once (two processes, 40 orders each):
    // every line stays with its own order's header, whatever the other committed between
    // a header and its lines. A header already stored with a key ahead of the new ones
    // stands for one another station committed just after ours: the highest key is then
    // not ours.
    void twoStationsKeepTheirOwnLines() {
        constexpr int kOrders = 40;
        TempHome home;
        home.state().ConexaoPedidos.execute("INSERT INTO VORLAPEDIDOS (IDCODIGO, PEDIDO) VALUES (1000000, 'OUTRA')");
        QProcess stations[2];
        for (int s = 0; s < 2; ++s) {
            stations[s].setProcessChannelMode(QProcess::ForwardedErrorChannel);
            stations[s].start(QCoreApplication::applicationDirPath() + "/tst_importer",
                              {home.path(), QString::number(1000 * (s + 1)), QString::number(kOrders)});
        }
        for (QProcess& station : stations) {
            QVERIFY(station.waitForFinished(60000));
            QCOMPARE(station.exitStatus(), QProcess::NormalExit);
            QCOMPARE(station.exitCode(), 0);
        }
        const Recordset lines = home.state().ConexaoPedidos.query(
            "SELECT VORLA.LOTE AS LOTE, VORLAPEDIDOS.PEDIDO AS PEDIDO FROM VORLA LEFT JOIN VORLAPEDIDOS ON "
            "VORLA.IDPEDIDO = VORLAPEDIDOS.IDCODIGO");
        QCOMPARE(lines.recordCount(), 2 * kOrders * 2);
        QStringList strayed;
        for (int i = 0; i < lines.recordCount(); ++i)
            if (lines.row(i).text("LOTE") != lines.row(i).text("PEDIDO"))
                strayed << lines.row(i).text("LOTE") + " -> " + lines.row(i).text("PEDIDO");
        QCOMPARE(strayed, QStringList());
        QCOMPARE(countOf(home.state(), "VORLAPEDIDOS"), 2 * kOrders + 1);
    }
};

QTEST_GUILESS_MAIN(TstTextImport)
#include "tst_text_import.moc"
