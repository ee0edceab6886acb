#include "history/PrintHistory.h"
#include "intake/TextImport.h"
#include "production/Fixture.h"
#include "session/Guarded.h"

#include <csignal>

// Several workstations on one store: line claims, owed summaries, a floor of station
// processes (each one the production core) and a server that goes away in the middle
// of work.
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

// Whole jobs only: a job cut short by a kill never reached the printer whole.
QList<QByteArray> wholeJobs(const QList<QByteArray>& jobs) {
    QList<QByteArray> whole;
    for (const QByteArray& job : jobs)
        if (job.trimmed().endsWith("^XZ")) whole << job;
    return whole;
}

bool isSummary(const QByteArray& job) {
    return job.contains("QUANTIDADE DE ETIQUETAS");
}

// The floor's end, for one group of label types sharing a line and a header flag, from
// the store and the jobs its printers received: every line marked 'S' and printed, every
// header closed with one summary. A line or summary printed twice is allowed only as the
// last whole job of the station killed between its send and its mark; those are counted.
int checkFlagGroup(Connection& store, const QString& lineFlag, const QString& headerFlag,
                   const QStringList& barcodes, const QStringList& orders, const QList<QByteArray>& jobs,
                   const QByteArray& killedLastJob) {
    int twice = 0;
    const auto count = [&](auto holds) { return int(std::count_if(jobs.begin(), jobs.end(), holds)); };
    for (const QString& line : barcodes) {
        const int n =
            count([&](const QByteArray& j) { return !isSummary(j) && j.contains(line.toLatin1()); });
        const bool killedThere = !isSummary(killedLastJob) && killedLastJob.contains(line.toLatin1());
        if (n != 1 && !(n == 2 && killedThere)) qWarning() << lineFlag << line << "printed" << n << "times";
        twice += n == 2;
        if (n != 1 && !(n == 2 && killedThere)) return -1;
    }
    for (const QString& order : orders) {
        const QByteArray field = "^FD" + order.toLatin1() + "^FS";
        const int n = count([&](const QByteArray& j) { return isSummary(j) && j.contains(field); });
        const bool killedThere = isSummary(killedLastJob) && killedLastJob.contains(field);
        if (n != 1 && !(n == 2 && killedThere)) qWarning() << headerFlag << order << "summaries:" << n;
        twice += n == 2;
        if (n != 1 && !(n == 2 && killedThere)) return -1;
    }
    if (storedValues(store, lineFlag) != QStringList(barcodes.size(), "S")) return -1;
    if (storedValues(store, headerFlag, "VORLAPEDIDOS") != QStringList(orders.size(), "S")) return -1;
    return twice;
}

// The history against what the printers received whole: every row is a job its printer
// received, each job at most one row; a job received without its row can only be the
// killed station's last ones, the kill having fallen between their send and their record.
// Returns how many those are, or -1.
int unrecordedJobs(Connection& store, const QMap<QString, QList<QByteArray>>& received, const QString& killed) {
    QMap<QString, QList<QByteArray>> left = received;
    history::PrintHistory history(store);
    for (const history::JobRecord& row : history.find({}, 100000)) {
        if (!left[row.printer].removeOne(history.job(row.id)->bytes)) {
            qWarning() << "history row" << row.id << "of a job" << row.printer << "did not receive";
            return -1;
        }
    }
    int unrecorded = 0;
    for (auto it = left.cbegin(); it != left.cend(); ++it) {
        if (it.value().isEmpty()) continue;
        const QList<QByteArray>& all = received[it.key()];
        if (it.key() != killed || all.mid(all.size() - it.value().size()) != it.value()) {
            qWarning() << it.key() << "received" << it.value().size() << "jobs the history lacks";
            return -1;
        }
        unrecorded += int(it.value().size());
    }
    return unrecorded;
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
        QVERIFY(r.run.enterProductionNumber(Numprod, r.d, stationSettings()));
        QCOMPARE(r.d.LBLCODIGOBARRAS, row["taken"]);
        QCOMPARE(storedValues(r.store, "IMPRESSO_ESTACAO").mid(0, 2).join('|'), row["holders"]);
    }

    // A station whose claim went to another marks nothing and says so.
    void lostClaimMarksNothing() {
        Run r(labeltype::Tag5360);
        addOrders(r.store);
        QVERIFY(r.run.enterProductionNumber(Numprod, r.d, stationSettings()));
        r.store.execute("UPDATE VORLA SET IMPRESSO_ESTACAO = 'OUTRA', IMPRESSO_DESDE = '" + stamp(0) +
                        "' WHERE Identificação = 1");
        QVERIFY(!r.run.Cmdimprimir(r.d, {}, "ADMIN"));
        QVERIFY(r.op.messages().join('\n').contains("outra estação"));
        QCOMPARE(r.column("IMPRESSO", 0), QString("A"));
        QCOMPARE(r.printer.jobs().size(), 0);
    }

    // A summary owed (a crash, a refused send) or an order an older version left open
    // is printed when the production number is entered, once, by the station that owes
    // it or, once its claim is stale, by any other.
    void owedSummariesPrintOnEntry_data() { addRowsFrom(DATA_DIR "/owed-summaries.txt"); }
    void owedSummariesPrintOnEntry() {
        const DataRow row = dataRow();
        Run r(labeltype::Tag5360);
        const qint64 order =
            addOrder(r.store, Numprod, "5001", "FORN A", {{"7891000000011"}, {"7891000000028"}});
        addOrder(r.store, Numprod, "5002", "FORN A", {{"7891000000035"}});
        const QString printed = row["lines"];
        r.store.execute(
            QStringLiteral("UPDATE VORLA SET IMPRESSO = '%1' WHERE IDPEDIDO = %2").arg(printed).arg(order));
        r.store.execute(QStringLiteral("UPDATE VORLAPEDIDOS SET IMPRESSOETQ = '%1' WHERE IDCODIGO = %2")
                            .arg(row["header"])
                            .arg(order));
        if (row["owedBy"] != "-")
            r.store.execute(
                QStringLiteral("INSERT INTO RESUMOPENDENTE (IDPEDIDO, ETIQUETA, ESTACAO, DESDE) "
                               "VALUES (%1, 'IMPRESSOETQ', '%2', '%3')")
                    .arg(QString::number(order), row["owedBy"], stamp(row["secondsAgo"].toInt())));
        if (row["printer"] == "refuses") {
            r.home.state().ImpressoraSelecionada = "socket://127.0.0.1:1";
            r.op.yesNo << true; // it does not say whether it is ready: send anyway
        }
        QVERIFY(r.run.enterProductionNumber(Numprod, r.d, stationSettings()));

        QStringList seen;
        for (const QString& text : r.op.messages())
            seen << (text.contains("será impressa agora") ? "aviso"
                     : text.contains("não aceitou")       ? "recusa"
                                                          : text);
        QCOMPARE(seen.join('|'), row["messages"]);
        const auto summary = [](const QByteArray& job) { return job.contains("QUANTIDADE DE ETIQUETAS"); };
        QCOMPARE(int(std::count_if(r.printer.jobs().cbegin(), r.printer.jobs().cend(), summary)),
                 row["summaries"].toInt());
        QCOMPARE(storedValues(r.store, "IMPRESSOETQ", "VORLAPEDIDOS ORDER BY IDCODIGO").first(),
                 row["headerAfter"]);
        QCOMPARE(storedValues(r.store, "COUNT(*)", "RESUMOPENDENTE"), QStringList{row["owedAfter"]});
        QCOMPARE(r.d.LBLPEDIDO, printed == "S" ? QString("5002") : QString("5001"));
    }

    // A summary the printer could not take stays owed, the operator is told so, and it
    // can be printed by hand; then it is owed no more.
    void aSummaryNotPrintedStaysOwedAndPrintsByHand() {
        using A = FakeLabelPrinter::Answer;
        Run r(labeltype::Tag5360, {A::Ready, A::PaperOut, A::Ready});
        addOrder(r.store, Numprod, "5001", "FORN A", {{"7891000000011"}});
        QVERIFY(r.run.enterProductionNumber(Numprod, r.d, stationSettings()));
        r.op.yesNo << false; // out of labels at the summary: given up
        QVERIFY(r.run.Cmdimprimir(r.d, stationSettings(), "ADMIN"));
        QVERIFY(r.op.shown[r.op.shown.size() - 2].text.startsWith("Etiqueta de resumo do pedido 5001.\n\n"));
        QCOMPARE(r.op.messages().last(),
                 QString("A etiqueta de resumo do pedido 5001 não foi impressa. Ela fica "
                         "pendente e será impressa quando este número de produção for "
                         "digitado de novo."));
        QCOMPARE(storedValues(r.store, "COUNT(*)", "RESUMOPENDENTE"), QStringList{"1"});
        QCOMPARE(r.d.lastClosedOrder, QString("5001"));
        QVERIFY(r.run.reprintSummary(Numprod, "5001", stationSettings()));
        QVERIFY(isSummary(r.printer.waitForJobs(2).value(1)));
        QCOMPARE(storedValues(r.store, "COUNT(*)", "RESUMOPENDENTE"), QStringList{"0"});
        QVERIFY(!r.run.reprintSummary(Numprod, "9999", stationSettings()));
        QCOMPARE(r.printer.jobs().size(), 2);
    }

    // A station whose clock runs ahead does not take another's fresh claim: claims are
    // stamped and judged by the server's clock.
    void aClockAheadTakesNoFreshClaim() {
        if (!TempHome::onServer()) QSKIP("a store file has only the workstation's clock");
        Run r(labeltype::Tag5360);
        addOrders(r.store);
        r.store.execute("UPDATE VORLA SET IMPRESSO = 'A', IMPRESSO_ESTACAO = 'OUTRA', IMPRESSO_DESDE = " +
                        r.store.stampSql(QDateTime::currentDateTime()) + " WHERE Identificação = 1");
        regional::setFixedNow(QDateTime::currentDateTime().addSecs(15 * 60));
        const bool entered = r.run.enterProductionNumber(Numprod, r.d, stationSettings());
        regional::setFixedNow(std::nullopt);
        QVERIFY(entered);
        QCOMPARE(r.d.LBLCODIGOBARRAS, QString("78900000012"));
    }

    // A floor: three stations on one production number, two on the types that share
    // their flags (5/6 and 7) and one on the tag label; the first is killed in the middle
    // of its work and started again.
    void aFloorPrintsEveryLineOnceAndEveryOrderClosesOnce() {
        TempHome home;
        Connection& store = home.state().ConexaoPedidos;
        QStringList barcodes, orders;
        for (int o = 1; o <= 20; ++o) {
            QList<OrderLine> lines;
            for (int l = 1; l <= 10; ++l) {
                barcodes << QStringLiteral("7891%1%2").arg(o, 3, 10, QChar('0')).arg(l, 3, 10, QChar('0'));
                lines << OrderLine{barcodes.last(), "2", "1"};
            }
            orders << QString::number(6000 + o);
            addOrder(store, Numprod, orders.last(), "FORN A", lines);
        }
        LoopbackPrinter killedPrinter, restartedPrinter, packPrinter, tagPrinter;
        auto killed = startStation(home, "A", labeltype::Basket3225, killedPrinter.uri());
        const auto pack = startStation(home, "B", labeltype::Pack, packPrinter.uri());
        const auto tag = startStation(home, "C", labeltype::Tag5360, tagPrinter.uri());
        // Killed at a different moment each run: after some of its jobs, and a little
        // later (the others may have left it less work than that: then it ends first).
        const int before = QRandomGenerator::global()->bounded(5, 20);
        while (wholeJobs(killedPrinter.jobs()).size() < before && !killed->waitForFinished(50)) {
        }
        QThread::usleep(QRandomGenerator::global()->bounded(20000));
        if (const qint64 pid = killed->processId(); pid > 0) ::kill(pid_t(pid), SIGKILL);
        killed->waitForFinished();
        const auto restarted = startStation(home, "A", labeltype::Basket3225, restartedPrinter.uri());
        for (QProcess* station : {pack.get(), tag.get(), restarted.get()})
            QVERIFY(station->waitForFinished(120000) && station->exitCode() == 0);

        const QList<QByteArray> killedJobs = wholeJobs(killedPrinter.jobs());
        const int twice =
            checkFlagGroup(store, "IMPRESSO5", "IMPRESSOETQ5", barcodes, orders,
                           killedJobs + wholeJobs(restartedPrinter.jobs()) + wholeJobs(packPrinter.jobs()),
                           killedJobs.value(killedJobs.size() - 1));
        QVERIFY(twice == 0 || twice == 1);
        QCOMPARE(checkFlagGroup(store, "IMPRESSO", "IMPRESSOETQ", barcodes, orders,
                                wholeJobs(tagPrinter.jobs()), {}),
                 0);
        QCOMPARE(storedValues(store, "COUNT(*)", "RESUMOPENDENTE"), QStringList{"0"});
        QMap<QString, QList<QByteArray>> received;
        for (LoopbackPrinter* p : {&killedPrinter, &restartedPrinter, &packPrinter, &tagPrinter})
            received[p->uri()] = wholeJobs(p->jobs());
        const int unrecorded = unrecordedJobs(store, received, killedPrinter.uri());
        // At most the line's labels and its summary, which are then printed again.
        QVERIFY(unrecorded >= 0 && unrecorded <= 2);
        QCOMPARE(unrecorded > 0, twice > 0);
        qInfo("printed twice after the kill: %d; received but not recorded: %d", twice, unrecorded);
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
        QVERIFY(r.run.enterProductionNumber(Numprod, r.d, stationSettings()));
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
