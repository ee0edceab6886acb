#include "intake/TextImport.h"
#include "production/Fixture.h"
#include "session/Guarded.h"

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
} // namespace

class TstServerOutage : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        if (!TempHome::onServer() || qEnvironmentVariableIsEmpty("PG_SERVER_DIR"))
            QSKIP("needs the test server of scripts/test.sh");
    }

    void importDuringOutage() {
        Floor f;
        const QString file = f.home.path() + "/pedido.txt";
        QVERIFY(QFile::copy(DATA_DIR "/pedido.txt", file));
        f.op.files << file << std::nullopt;
        server("halt");
        QVERIFY(!runGuarded(f.op, [&] { importTextFilesUntilDone(f.home.state(), f.op, "ADMIN"); }));
        server("resume");
        QCOMPARE(f.op.shown.last().title, QString("VORLA"));
        QVERIFY(f.op.messages().last().contains(Unreachable));
        f.home.state().AbreConexaoPedidos(); // as every import does when it starts
        QCOMPARE(storedValues(f.store, "COUNT(*)", "VORLAPEDIDOS") +
                     storedValues(f.store, "COUNT(*)", "VORLA"),
                 (QStringList{"0", "0"}));
        f.op.files.clear();
        f.op.files << file << std::nullopt;
        QVERIFY(runGuarded(f.op, [&] { importTextFilesUntilDone(f.home.state(), f.op, "ADMIN"); }));
        QCOMPARE(storedValues(f.store, "COUNT(*)", "VORLA"), QStringList{"1"});
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
