#include "labels/LabelTypes.h"
#include "production/ProductionRun.h"
#include "production/ProductionTypes.h"
#include "support/LoopbackPrinter.h"
#include "support/Orders.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QDateTime>
#include <QProcess>
#include <QtTest>

#include <csignal>

// Line claims: which workstation holds a line marked 'A'. The rules run on both engines;
// two workstations at once (two processes of the production core) need the server.
namespace {
const QString Numprod = QStringLiteral("0000000123");

QString stamp(qint64 secondsAgo) {
    return QDateTime::currentDateTimeUtc()
        .addSecs(-secondsAgo)
        .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
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

QProcess* startStation(const TempHome& home, const QString& name, const QString& caption,
                       const QString& printer, const QStringList& extra = {}) {
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ETIQUETAS_ESTACAO", name);
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QCoreApplication::applicationDirPath() + "/tst_station",
             QStringList{home.path(), caption, printer, Numprod} + extra);
    return p;
}

QStringList column(Connection& store, const QString& name) {
    QStringList out;
    const Recordset rs = store.query("SELECT " + name + " FROM VORLA ORDER BY Identificação");
    for (int i = 0; i < rs.recordCount(); ++i)
        out << rs.row(i).text(name);
    return out;
}

// How many of the jobs hold each barcode.
QMap<QString, int> jobsPerLine(const QStringList& barcodes, const QList<QByteArray>& jobs) {
    QMap<QString, int> count;
    for (const QString& b : barcodes)
        for (const QByteArray& job : jobs)
            count[b] += job.contains(b.toLatin1()) ? 1 : 0;
    return count;
}
} // namespace

class TstStations : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { qputenv("ETIQUETAS_ESTACAO", "ESTA"); }

    // Which line a station takes when the first is held: by another, fresh or stale,
    // or by itself.
    void offersFreeOwnOrStaleLines_data() {
        QTest::addColumn<QString>("holder");
        QTest::addColumn<int>("secondsAgo");
        QTest::addColumn<QString>("taken");
        QTest::newRow("another, fresh") << "OUTRA" << 60 << "7890000001 2";
        QTest::newRow("another, stale") << "OUTRA" << 11 * 60 << "7890000001 1";
        QTest::newRow("itself") << "ESTA" << 60 << "7890000001 1";
    }
    void offersFreeOwnOrStaleLines() {
        QFETCH(QString, holder);
        QFETCH(int, secondsAgo);
        QFETCH(QString, taken);
        TempHome home;
        Connection& store = home.state().ConexaoPedidos;
        addOrders(store);
        store.execute(
            QStringLiteral("UPDATE VORLA SET IMPRESSO = 'A', IMPRESSO_ESTACAO = '%1', IMPRESSO_DESDE = '%2' "
                           "WHERE Identificação = 1")
                .arg(holder, stamp(secondsAgo)));
        ScriptedOperator op;
        ProductionRun run(home.state(), op, *productionType(labeltype::Tag5360));
        ProductionDisplay d;
        QVERIFY(run.enterProductionNumber(Numprod, d));
        QCOMPARE(d.LBLCODIGOBARRAS, QString(taken).remove(' '));
        QCOMPARE(column(store, "IMPRESSO_ESTACAO").mid(0, 2).join('|'),
                 taken.endsWith('2') ? "OUTRA|ESTA" : "ESTA|");
    }

    // A station whose claim went to another marks nothing and says so.
    void lostClaimMarksNothing() {
        TempHome home;
        Connection& store = home.state().ConexaoPedidos;
        addOrders(store);
        LoopbackPrinter printer;
        home.state().ImpressoraSelecionada = printer.uri();
        ScriptedOperator op;
        op.readsEveryLabel = true;
        ProductionRun run(home.state(), op, *productionType(labeltype::Tag5360));
        ProductionDisplay d;
        QVERIFY(run.enterProductionNumber(Numprod, d));
        store.execute("UPDATE VORLA SET IMPRESSO_ESTACAO = 'OUTRA', IMPRESSO_DESDE = '" + stamp(0) +
                      "' WHERE Identificação = 1");
        QVERIFY(!run.Cmdimprimir(d, {}, "ADMIN"));
        QVERIFY(op.messages().join('\n').contains("outra estação"));
        QCOMPARE(column(store, "IMPRESSO").first(), QString("A"));
        QCOMPARE(printer.jobs().size(), 0);
    }

    // Types 5/6 and 7 share their flags: two stations printing them at once print every
    // line once between them and close every order.
    void twoStationsPrintEachLineOnce() {
        if (!TempHome::onServer()) QSKIP("one workstation per SQLite store");
        TempHome home;
        const QStringList barcodes = addOrders(home.state().ConexaoPedidos);
        LoopbackPrinter printerA, printerB;
        std::unique_ptr<QProcess> a(startStation(home, "A", labeltype::Basket3225, printerA.uri()));
        std::unique_ptr<QProcess> b(startStation(home, "B", labeltype::Pack, printerB.uri()));
        QVERIFY(a->waitForFinished(60000) && b->waitForFinished(60000));
        const QList<QByteArray> jobs = printerA.jobs() + printerB.jobs();
        for (const QString& line : barcodes)
            QCOMPARE(jobsPerLine(barcodes, jobs).value(line), 1);
        QCOMPARE(column(home.state().ConexaoPedidos, "IMPRESSO5"), QStringList(barcodes.size(), "S"));
        const Recordset headers = home.state().ConexaoPedidos.query("SELECT IMPRESSOETQ5 FROM VORLAPEDIDOS");
        for (int i = 0; i < headers.recordCount(); ++i)
            QCOMPARE(headers.row(i).text("IMPRESSOETQ5"), QString("S"));
    }

    // A station killed while holding a line: once the claim is stale the other takes it.
    void killedStationsLineIsTakenOver() {
        if (!TempHome::onServer()) QSKIP("one workstation per SQLite store");
        TempHome home;
        const QStringList barcodes = addOrders(home.state().ConexaoPedidos);
        LoopbackPrinter printerA, printerB;
        std::unique_ptr<QProcess> a(startStation(home, "A", labeltype::Basket3225, printerA.uri(), {"hold"}));
        QVERIFY(a->waitForReadyRead(30000));
        QCOMPARE(a->readLine().trimmed(), QByteArray("holding"));
        ::kill(pid_t(a->processId()), SIGKILL);
        a->waitForFinished();
        // Ten minutes later, as far as the claim can tell.
        home.state().ConexaoPedidos.execute("UPDATE VORLA SET IMPRESSO5_DESDE = '" + stamp(11 * 60) +
                                            "' WHERE IMPRESSO5_ESTACAO = 'A'");
        std::unique_ptr<QProcess> b(startStation(home, "B", labeltype::Basket3225, printerB.uri()));
        QVERIFY(b->waitForFinished(60000));
        for (const QString& line : barcodes)
            QCOMPARE(jobsPerLine(barcodes, printerB.jobs()).value(line), 1);
        QCOMPARE(column(home.state().ConexaoPedidos, "IMPRESSO5"), QStringList(barcodes.size(), "S"));
    }

    // Two packing lists printed at once: every order gets one number, the number a
    // single workstation would have given it (the first header of its supplier's block).
    void twoPackingListsNumberEachOrderOnce() {
        if (!TempHome::onServer()) QSKIP("one workstation per SQLite store");
        TempHome home;
        Connection& store = home.state().ConexaoPedidos;
        for (const char* supplier : {"FORN B", "FORN A", "FORN B", "FORN A", "FORN C"})
            addOrder(store, "",
                     QString::number(
                         6000 + store.query("SELECT COUNT(*) AS N FROM VORLAPEDIDOS").value("N").toInt()),
                     supplier, {{"7890000009999"}});
        store.execute("UPDATE VORLAPEDIDOS SET IMPRESSOR = 'N', NUMPROD = NULL");
        QTemporaryDir a, b;
        std::unique_ptr<QProcess> p1(startStation(home, "A", "romaneio", a.path()));
        std::unique_ptr<QProcess> p2(startStation(home, "B", "romaneio", b.path()));
        QVERIFY(p1->waitForFinished(60000) && p2->waitForFinished(60000));
        const Recordset h = store.query(
            "SELECT IDCODIGO, FORNECEDOR, IMPRESSOR, NUMPROD FROM VORLAPEDIDOS ORDER BY IDCODIGO");
        QStringList numbers;
        for (int i = 0; i < h.recordCount(); ++i)
            numbers << h.row(i).text("FORNECEDOR") + "=" + h.row(i).text("IMPRESSOR") +
                           h.row(i).text("NUMPROD");
        QCOMPARE(numbers.join(' '), QString("FORN B=S0000000001 FORN A=S0000000002 FORN B=S0000000001 "
                                            "FORN A=S0000000002 FORN C=S0000000005"));
        QCOMPARE(QDir(a.path()).entryList(QDir::Files).size() + QDir(b.path()).entryList(QDir::Files).size(),
                 3);
    }
};

QTEST_GUILESS_MAIN(TstStations)
#include "tst_stations.moc"
