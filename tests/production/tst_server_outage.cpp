#include "intake/TextImport.h"
#include "labels/LabelTypes.h"
#include "production/ProductionRun.h"
#include "production/ProductionTypes.h"
#include "session/Guarded.h"
#include "support/LoopbackPrinter.h"
#include "support/Orders.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

// The server goes away in the middle of work: the action stops with a message that says
// so, nothing of it is written, and the next action after the server is back works
// without the program being started again.
namespace {
const QString Numprod = QStringLiteral("0000000123");
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
        TempHome home;
        addOrder(home.state().ConexaoPedidos, Numprod, "5001", "FORN A", {{"7891000000011"}});
        LoopbackPrinter printer;
        home.state().ImpressoraSelecionada = printer.uri();
        ScriptedOperator op;
        op.readsEveryLabel = true;
        ProductionRun run(home.state(), op, *productionType(labeltype::Tag5360));
        ProductionDisplay d;
        QVERIFY(run.enterProductionNumber(Numprod, d));
        ProductionSettings s;
        s.cbotemp = "20";
        s.cbovelocidade = "3";
        server("halt");
        QVERIFY(!runGuarded(op, [&] { run.Cmdimprimir(d, s, "ADMIN"); }));
        QVERIFY(op.messages().last().contains(Unreachable));
        server("resume");
        QCOMPARE(printer.jobs().size(), 0);
        QCOMPARE(home.state().ConexaoPedidos.query("SELECT IMPRESSO FROM VORLA").text("IMPRESSO"),
                 QString("A"));
        QVERIFY(runGuarded(op, [&] { QVERIFY(run.Cmdimprimir(d, s, "ADMIN")); }));
        QCOMPARE(home.state().ConexaoPedidos.query("SELECT IMPRESSO FROM VORLA").text("IMPRESSO"),
                 QString("S"));
    }
};

QTEST_GUILESS_MAIN(TstServerOutage)
#include "tst_server_outage.moc"
