#include "intake/TextImport.h"
#include "production/Fixture.h"
#include "session/Guarded.h"

#include <QFile>
#include <QProcess>

// The server goes away in the middle of work: the action stops with a message that says
// so, nothing of it is written, and the next action after the server is back works
// without the program being started again.
namespace {
const QString Unreachable = QStringLiteral("Não foi possível conectar ao servidor do banco de dados");

void server(const char* action) {
    QCOMPARE(QProcess::execute("bash",
                               {"-c", QString(". %1/pg-server.sh && pg_server_%2").arg(SCRIPTS_DIR, action)}),
             0);
}

int rows(ProgramState& s, const QString& table) {
    return s.ConexaoPedidos.query("SELECT COUNT(*) AS N FROM " + table).value("N").toInt();
}
} // namespace

class TstServerOutage : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        if (!TempHome::onServer() || qEnvironmentVariableIsEmpty("PG_SERVER_DIR"))
            QSKIP("needs the test server of scripts/test.sh");
    }

    void importDuringOutage() {
        TempHome home;
        const QString file = home.path() + "/pedido.txt";
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "INVERNO 26,FORN A,10,A,49.90,12,P-M-G,AZUL,M,CAMISA MANGA LONGA,7891234567890,MASCULINO,CAMISA,"
            "10/01/2027,LAVAR A MAO,descartado,PACK3,4\r\n");
        f.close();
        ScriptedOperator op;
        op.files << file << std::nullopt;
        server("halt");
        QVERIFY(!runGuarded(op, [&] { importTextFilesUntilDone(home.state(), op, "ADMIN"); }));
        server("resume");
        QCOMPARE(op.shown.last().title, QString("VORLA"));
        QVERIFY(op.messages().last().contains(Unreachable));
        home.state().AbreConexaoPedidos(); // as every import does when it starts
        QCOMPARE(rows(home.state(), "VORLAPEDIDOS") + rows(home.state(), "VORLA"), 0);
        op.files.clear();
        op.files << file << std::nullopt;
        QVERIFY(runGuarded(op, [&] { importTextFilesUntilDone(home.state(), op, "ADMIN"); }));
        QCOMPARE(rows(home.state(), "VORLA"), 1);
    }

    void clickDuringOutage() {
        Run r(labeltype::Tag5360);
        addOrder(r.store, Numprod, "5001", "FORN A", {{"7891000000011"}});
        QVERIFY(r.run.enterProductionNumber(Numprod, r.d));
        server("halt");
        QVERIFY(!runGuarded(r.op, [&] { r.run.Cmdimprimir(r.d, stationSettings(), "ADMIN"); }));
        QVERIFY(r.op.messages().last().contains(Unreachable));
        server("resume");
        QCOMPARE(r.printer.jobs().size(), 0);
        QCOMPARE(r.column("IMPRESSO", 0), QString("A"));
        QVERIFY(runGuarded(r.op, [&] { QVERIFY(r.run.Cmdimprimir(r.d, stationSettings(), "ADMIN")); }));
        QCOMPARE(r.column("IMPRESSO", 0), QString("S"));
    }
};

QTEST_GUILESS_MAIN(TstServerOutage)
#include "tst_server_outage.moc"
