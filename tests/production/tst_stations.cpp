#include "intake/TextImport.h"
#include "production/Fixture.h"
#include "session/Guarded.h"

#include <csignal>

// Line claims: which workstation holds a line marked 'A'. The rules run on both engines;
// two workstations at once (two processes of the production core) need the server, and
// so does a server that goes away in the middle of work.
namespace {
const QString Unreachable = QStringLiteral("Não foi possível conectar ao servidor do banco de dados");

QString stamp(qint64 secondsAgo) {
    return QDateTime::currentDateTimeUtc().addSecs(-secondsAgo).toString("yyyy-MM-ddTHH:mm:ss");
}

// Three orders of four lines with barcodes 789000000{order}{line}.
QStringList addOrders(Connection& store) {
    QStringList barcodes;
    for (int o = 1; o <= 3; ++o) {
        QList<OrderLine> lines;
        for (int l = 1; l <= 4; ++l) {
            barcodes << QStringLiteral("789000000%1%2").arg(o).arg(l);
            lines << OrderLine{barcodes.last(), "10", "1"};
        }
        addOrder(store, Numprod, QString::number(5000 + o), "FORN A", lines);
    }
    return barcodes;
}

std::unique_ptr<QProcess> startStation(const TempHome& home, const QString& name, const QString& caption,
                                       const QString& printer, const QStringList& extra = {}) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ETIQUETAS_ESTACAO", name);
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QCoreApplication::applicationDirPath() + "/tst_station",
             QStringList{home.path(), caption, printer, Numprod} + extra);
    return p;
}

// Every line printed once among the jobs, and marked printed for types 5/6 and 7.
void printedOnceEach(Connection& store, const QStringList& barcodes, const QList<QByteArray>& jobs) {
    for (const QString& line : barcodes) {
        const auto holdsLine = [&](const QByteArray& job) { return job.contains(line.toLatin1()); };
        QCOMPARE(std::count_if(jobs.begin(), jobs.end(), holdsLine), 1);
    }
    QCOMPARE(storedValues(store, "IMPRESSO5"), QStringList(barcodes.size(), "S"));
}

// The server of scripts/test.sh, which the outage tests stop and start again.
bool serverCanBeStopped() {
    return TempHome::onServer() && !qEnvironmentVariableIsEmpty("PG_SERVER_DIR");
}

void server(const char* action) {
    QCOMPARE(QProcess::execute("bash",
                               {"-c", QString(". %1/pg-server.sh && pg_server_%2").arg(SCRIPTS_DIR, action)}),
             0);
}
} // namespace

class TstStations : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { qputenv("ETIQUETAS_ESTACAO", "ESTA"); }

    // Which line a station takes when the first is held: by another, fresh or stale,
    // or by itself.
    void offersFreeOwnOrStaleLines_data() { addRowsFrom(DATA_DIR "/claims.txt"); }
    void offersFreeOwnOrStaleLines() {
        const DataRow row = dataRow();
        Run r(labeltype::Tag5360);
        addOrders(r.store);
        r.store.execute(
            QStringLiteral("UPDATE VORLA SET IMPRESSO = 'A', IMPRESSO_ESTACAO = '%1', IMPRESSO_DESDE = '%2' "
                           "WHERE Identificação = 1")
                .arg(row["holder"], stamp(row["secondsAgo"].toInt())));
        QVERIFY(r.run.enterProductionNumber(Numprod, r.d));
        QCOMPARE(r.d.LBLCODIGOBARRAS, row["taken"]);
        QCOMPARE(storedValues(r.store, "IMPRESSO_ESTACAO").mid(0, 2).join('|'), row["holders"]);
    }

    // A station whose claim went to another marks nothing and says so.
    void lostClaimMarksNothing() {
        Run r(labeltype::Tag5360);
        addOrders(r.store);
        QVERIFY(r.run.enterProductionNumber(Numprod, r.d));
        r.store.execute("UPDATE VORLA SET IMPRESSO_ESTACAO = 'OUTRA', IMPRESSO_DESDE = '" + stamp(0) +
                        "' WHERE Identificação = 1");
        QVERIFY(!r.run.Cmdimprimir(r.d, {}, "ADMIN"));
        QVERIFY(r.op.messages().join('\n').contains("outra estação"));
        QCOMPARE(r.column("IMPRESSO", 0), QString("A"));
        QCOMPARE(r.printer.jobs().size(), 0);
    }

    // Types 5/6 and 7 share their flags: two stations printing them at once print every
    // line once between them and close every order.
    void twoStationsPrintEachLineOnce() {
        if (!TempHome::onServer()) QSKIP("one workstation per SQLite store");
        TempHome home;
        Connection& store = home.state().ConexaoPedidos;
        const QStringList barcodes = addOrders(store);
        LoopbackPrinter printerA, printerB;
        const auto a = startStation(home, "A", labeltype::Basket3225, printerA.uri());
        const auto b = startStation(home, "B", labeltype::Pack, printerB.uri());
        QVERIFY(a->waitForFinished(60000) && b->waitForFinished(60000));
        printedOnceEach(store, barcodes, printerA.jobs() + printerB.jobs());
        QCOMPARE(storedValues(store, "IMPRESSOETQ5", "VORLAPEDIDOS"), QStringList(3, "S"));
    }

    // A station killed while holding a line: once the claim is stale the other takes it.
    void killedStationsLineIsTakenOver() {
        if (!TempHome::onServer()) QSKIP("one workstation per SQLite store");
        TempHome home;
        Connection& store = home.state().ConexaoPedidos;
        const QStringList barcodes = addOrders(store);
        LoopbackPrinter printerA, printerB;
        const auto a = startStation(home, "A", labeltype::Basket3225, printerA.uri(), {"hold"});
        QVERIFY(a->waitForReadyRead(30000));
        QCOMPARE(a->readLine().trimmed(), QByteArray("holding"));
        ::kill(pid_t(a->processId()), SIGKILL);
        a->waitForFinished();
        // Ten minutes later, as far as the claim can tell.
        store.execute("UPDATE VORLA SET IMPRESSO5_DESDE = '" + stamp(11 * 60) +
                      "' WHERE IMPRESSO5_ESTACAO = 'A'");
        const auto b = startStation(home, "B", labeltype::Basket3225, printerB.uri());
        QVERIFY(b->waitForFinished(60000));
        printedOnceEach(store, barcodes, printerB.jobs());
    }

    // Two packing lists printed at once: every order gets one number, the number a
    // single workstation would have given it (the first header of its supplier's block).
    void twoPackingListsNumberEachOrderOnce() {
        if (!TempHome::onServer()) QSKIP("one workstation per SQLite store");
        TempHome home;
        Connection& store = home.state().ConexaoPedidos;
        int pedido = 6000;
        for (const char* supplier : {"FORN B", "FORN A", "FORN B", "FORN A", "FORN C"})
            addOrder(store, "", QString::number(pedido++), supplier, {{"7890000009999"}});
        store.execute("UPDATE VORLAPEDIDOS SET IMPRESSOR = 'N', NUMPROD = NULL");
        QTemporaryDir a, b;
        const auto p1 = startStation(home, "A", "romaneio", a.path());
        const auto p2 = startStation(home, "B", "romaneio", b.path());
        QVERIFY(p1->waitForFinished(60000) && p2->waitForFinished(60000));
        const QStringList numbers = storedValues(store, "FORNECEDOR || '=' || IMPRESSOR || NUMPROD",
                                                 "VORLAPEDIDOS ORDER BY IDCODIGO");
        QCOMPARE(numbers.join(' '), QString("FORN B=S0000000001 FORN A=S0000000002 FORN B=S0000000001 "
                                            "FORN A=S0000000002 FORN C=S0000000005"));
        QCOMPARE(QDir(a.path()).entryList(QDir::Files).size() + QDir(b.path()).entryList(QDir::Files).size(),
                 3);
    }

    // The server goes away in the middle of work: the action stops with a message that
    // says so, nothing of it is written, and the next action after the server is back
    // works without the program being started again.
    void importDuringOutage() {
        if (!serverCanBeStopped()) QSKIP("needs the test server of scripts/test.sh");
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
        if (!serverCanBeStopped()) QSKIP("needs the test server of scripts/test.sh");
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

QTEST_GUILESS_MAIN(TstStations)
#include "tst_stations.moc"
