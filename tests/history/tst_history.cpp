#include "adhoc/AdhocLabels.h"
#include "history/HistoryText.h"
#include "history/PrintHistory.h"
#include "production/Fixture.h"

#include <QCryptographicHash>

// The print history: each kind of job recorded once with its fields and its bytes, a
// refused job not at all; search, progress and pruning on a small store; the CSV.
namespace {
using history::JobRecord;
using history::PrintHistory;

const QString Station = QStringLiteral("EST-1");

QString caption(const QString& name) {
    return name == "Pack" ? labeltype::Pack : labeltype::Costura5016;
}

// One order of two lines under Numprod.
void addLines(Connection& store) {
    addOrder(store, Numprod, "5001", "FORN A", {{"7891000000011", "10", "1"}, {"7891000000012", "3", "1"}});
}

qint64 lineOf(Connection& store, const QString& barcode) {
    return storedValues(store, "Identificação", "VORLA WHERE CODIG_BARR = '" + barcode + "'").value(0).toLongLong();
}

int rows(Connection& store) {
    return storedValues(store, "COUNT(*)", "HISTORICO").value(0).toInt();
}

// A job recorded at `when` (local), with `labels` labels.
qint64 recordAt(Connection& store, const QDateTime& when, JobRecord job, int labels = 1) {
    regional::setFixedNow(when);
    const QByteArray bytes = "^XA^FO10,10^FD" + job.barcode.toLatin1() + "^FS^PQ" + QByteArray::number(labels) + "^XZ";
    return PrintHistory(store).record(job, {{"socket://impressora", bytes}}).value(0);
}

JobRecord jobOf(const QString& user, const QString& production, const QString& order, const QString& barcode,
                history::Kind kind = history::Kind::Producao, const QString& type = labeltype::Tag5360) {
    JobRecord j;
    j.user = user;
    j.production = production;
    j.order = order;
    j.barcode = barcode;
    j.kind = kind;
    j.labelType = type;
    j.station = Station;
    return j;
}
} // namespace

Q_DECLARE_METATYPE(history::Filter)

class tst_history : public QObject {
    Q_OBJECT
  private slots:
    void init() { regional::setFixedNow(QDateTime(QDate(2026, 12, 5), QTime(14, 3, 11))); }
    void cleanup() { regional::setFixedNow(std::nullopt); }

    void eachJobIsRecordedOnceWithWhatThePrinterReceived_data() { addRowsFrom(DATA_DIR "/kinds.txt"); }
    void eachJobIsRecordedOnceWithWhatThePrinterReceived() {
        const DataRow r = dataRow();
        qputenv("ETIQUETAS_ESTACAO", Station.toUtf8());
        Run s(caption(r["type"]));
        ProgramState& state = s.home.state();
        addLines(s.store);
        ProductionSettings settings = stationSettings();
        settings.labels.producaoCaption = settings.labels.cbomarca = caption(r["type"]);
        ProductionRun run(state, s.op, *productionType(caption(r["type"])), "ANA");
        const QString job = r["job"];
        if (job == "refused") {
            state.ImpressoraSelecionada = "socket://127.0.0.1:1";
            s.op.yesNo << true;  // the printer does not answer: send anyway
        }
        if (job == "adhoc") {
            adhoc::PrintSettings a{caption(r["type"]), "20", "3", "00", "00"};
            const adhoc::GridRow row{Numprod, "5001", "7891000000012", "", "AZUL", "M"};
            QVERIFY(adhoc::IMPRIMIR(state, s.op, row, 3, a, "ANA", [&] { return settings.labels; }));
        } else {
            QVERIFY(run.enterProductionNumber("123", s.d, settings));
            if (job == "calibrate") run.cmdcalibracao(s.d, settings);
            else QCOMPARE(run.Cmdimprimir(s.d, settings, "ANA"), job != "refused");
            if (job == "twoClicks") QVERIFY(run.Cmdimprimir(s.d, settings, "ANA"));
        }
        qunsetenv("ETIQUETAS_ESTACAO");

        const int records = r["records"].toInt();
        const QList<QByteArray> received = s.printer.waitForJobs(records, records ? 10000 : 200);
        QCOMPARE(received.size(), records);
        QCOMPARE(rows(s.store), records);
        const QList<JobRecord> found = PrintHistory(s.store).find({});
        for (int i = 0; i < records; ++i) {  // newest first: the printer's last job first
            const auto full = PrintHistory(s.store).job(found[i].id);
            QVERIFY(full && full->hasBytes);
            QCOMPARE(full->bytes, received[records - 1 - i]);
            QCOMPARE(full->digest, QCryptographicHash::hash(full->bytes, QCryptographicHash::Sha256).toHex());
        }
        if (!records) return;
        const JobRecord& newest = found.first();
        QCOMPARE(history::kindName(newest.kind), r["kind"]);
        QCOMPARE(newest.labelType, caption(r["type"]));
        QCOMPARE(newest.station, Station);
        QCOMPARE(newest.user, QString("ANA"));
        QCOMPARE(newest.printer, s.printer.uri());
        QCOMPARE(newest.production, Numprod);
        QCOMPARE(newest.order, QString("5001"));
        const QString barcode = r["barcode"] == "-" ? QString() : r["barcode"];
        QCOMPARE(newest.barcode, barcode);
        QCOMPARE(newest.line, barcode.isEmpty() ? 0 : lineOf(s.store, barcode));
        QCOMPARE(newest.labels, r["labels"].toInt());
        QCOMPARE(newest.local, regional::now());
        QCOMPARE(newest.utc, regional::now().toUTC());
    }

    void searchesFindTheNewestFirst_data() {
        QTest::addColumn<history::Filter>("filter");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("found");
        const QString p123 = "0000000123";
        QTest::newRow("barcode") << history::Filter{"B1", {}, {}, {}, {}, {}} << 50 << "3 1";
        QTest::newRow("order") << history::Filter{{}, "5001", {}, {}, {}, {}} << 50 << "5 2 1";
        QTest::newRow("production") << history::Filter{{}, {}, "0000000124", {}, {}, {}} << 50 << "3";
        QTest::newRow("user, any case") << history::Filter{{}, {}, {}, "Bia", {}, {}} << 50 << "4 2";
        QTest::newRow("one day") << history::Filter{{}, {}, {}, {}, QDate(2026, 12, 3), QDate(2026, 12, 3)} << 50
                                 << "4 3";
        QTest::newRow("from a day on") << history::Filter{{}, {}, {}, {}, QDate(2026, 12, 2), {}} << 50 << "5 4 3 2";
        QTest::newRow("barcode and user") << history::Filter{"B2", {}, {}, "ANA", {}, {}} << 50 << "5";
        QTest::newRow("any, limited") << history::Filter{} << 2 << "5 4";
        QTest::newRow("nothing matches") << history::Filter{"nada", {}, p123, {}, {}, {}} << 50 << "";
        QTest::newRow("a quote") << history::Filter{{}, "50'01", {}, {}, {}, {}} << 50 << "";
    }
    void searchesFindTheNewestFirst() {
        QFETCH(history::Filter, filter);
        QFETCH(int, limit);
        QFETCH(QString, found);
        TempHome home;
        Connection& store = home.state().ConexaoPedidos;
        const QDate d(2026, 12, 1);
        QMap<qint64, QString> names;
        names[recordAt(store, QDateTime(d, QTime(10, 0)), jobOf("ANA", "0000000123", "5001", "B1"))] = "1";
        names[recordAt(store, QDateTime(d.addDays(1), QTime(9, 0)), jobOf("BIA", "0000000123", "5001", "B2"))] = "2";
        names[recordAt(store, QDateTime(d.addDays(2), QTime(8, 0)),
                       jobOf("ANA", "0000000124", "5002", "B1", history::Kind::Avulsa))] = "3";
        names[recordAt(store, QDateTime(d.addDays(2), QTime(23, 59, 59)), jobOf("bia", "0000000125", "5003", "B3"))] =
            "4";
        names[recordAt(store, QDateTime(d.addDays(3), QTime(0, 0)), jobOf("ANA", "0000000123", "5001", "B2"))] = "5";
        QStringList got;
        for (const JobRecord& j : PrintHistory(store).find(filter, limit)) {
            QVERIFY(j.bytes.isEmpty() && j.hasBytes && j.digest.size() == 64);
            got << names.value(j.id);
        }
        QCOMPARE(got.join(' '), found);
    }

    void progressCountsLinesHoldersAndLabels() {
        TempHome home;
        Connection& store = home.state().ConexaoPedidos;
        addOrder(store, Numprod, "5001", "FORN A", {{"B1"}, {"B2"}, {"B3"}});
        addOrder(store, Numprod, "5002", "FORN A", {{"B4"}, {"B5"}});
        addOrder(store, "0000000999", "5003", "FORN A", {{"B6"}});  // another production number
        store.execute("UPDATE VORLA SET IMPRESSO = 'S' WHERE CODIG_BARR IN ('B1', 'B2', 'B6')");
        store.execute("UPDATE VORLA SET IMPRESSO = 'A', IMPRESSO_ESTACAO = 'EST-2', IMPRESSO_DESDE = "
                      "'2026-12-05T16:50:00' WHERE CODIG_BARR = 'B4'");
        store.execute("UPDATE VORLA SET IMPRESSO = 'A' WHERE CODIG_BARR = 'B3'");  // held before claims
        store.execute("UPDATE VORLA SET IMPRESSOC = 'S' WHERE CODIG_BARR = 'B5'");
        const QDateTime now(QDate(2026, 12, 5), QTime(14, 0));  // local; the rate is of the hour before
        recordAt(store, now.addSecs(-90 * 60), jobOf("ANA", Numprod, "5001", "B1"), 10);
        recordAt(store, now.addSecs(-30 * 60), jobOf("ANA", Numprod, "5001", "B2"), 12);
        recordAt(store, now.addSecs(-10 * 60), jobOf("ANA", Numprod, "5001", "B2", history::Kind::Avulsa), 7);
        recordAt(store, now.addSecs(-5 * 60), jobOf("ANA", "0000000999", "5003", "B6"), 4);
        const QList<history::TypeProgress> progress =
            PrintHistory(store).progress(Numprod, progressTypes(), now.toUTC());
        QCOMPARE(progress.size(), progressTypes().size());
        auto of = [&](const QString& type) {
            for (const history::TypeProgress& p : progress)
                if (p.labelType == type) return p;
            return history::TypeProgress{};
        };
        const history::TypeProgress tag = of(labeltype::Tag5360);
        QCOMPARE((QList<int>{tag.linesPrinted, tag.linesHeld, tag.linesWaiting}), (QList<int>{2, 2, 1}));
        QCOMPARE(tag.held.size(), 2);
        QCOMPARE(tag.held[0].station, QString("EST-2"));
        QCOMPARE(tag.held[0].order, QString("5002"));
        QCOMPARE(tag.held[0].since, QDateTime(QDate(2026, 12, 5), QTime(16, 50), Qt::UTC));
        QCOMPARE(tag.held[1].line, lineOf(store, "B3"));
        QCOMPARE(tag.held[1].station, QString());
        QCOMPARE(tag.labelsPrinted, 22);  // the ad-hoc print is not the production's
        QCOMPARE(tag.firstPrint, now.addSecs(-90 * 60).toUTC());
        QCOMPARE(tag.lastPrint, now.addSecs(-30 * 60).toUTC());
        QCOMPARE(tag.labelsLastHour, 12);
        const history::TypeProgress preco = of(labeltype::Preco5426);
        QCOMPARE((QList<int>{preco.linesPrinted, preco.linesHeld, preco.linesWaiting}), (QList<int>{1, 0, 4}));
        QCOMPARE(preco.labelsPrinted, 0);
        QVERIFY(!preco.firstPrint.isValid());
    }

    void pruningDropsOldRowsThenOldBytes() {
        TempHome home;
        Connection& store = home.state().ConexaoPedidos;
        const QDateTime now(QDate(2026, 12, 5), QTime(14, 0));
        for (int days : {800, 366, 364, 91, 89})
            for (int i = 0; i < 3; ++i) recordAt(store, now.addDays(-days), jobOf("ANA", Numprod, "5001", "B1"));
        PrintHistory history(store);
        QCOMPARE(history.prune(now), 6);
        QCOMPARE(history.prune(now), 0);
        QStringList kept;
        for (const JobRecord& j : history.find({})) {
            const auto full = history.job(j.id);
            kept << QString::number(j.local.daysTo(now)) + (full->hasBytes && !full->bytes.isEmpty() ? "+" : "");
            QCOMPARE(full->digest.size(), 64);
        }
        QCOMPARE(kept.join(' '), QString("89+ 89+ 89+ 91 91 91 364 364 364"));
    }

    void csvQuotesWhatItMust() {
        JobRecord j = jobOf("ANA, a \"chefe\"", Numprod, "5001", "B1");
        j.id = 7;
        j.local = QDateTime(QDate(2026, 12, 5), QTime(14, 3, 11));
        j.utc = QDateTime(QDate(2026, 12, 5), QTime(17, 3, 11), Qt::UTC);
        j.printer = "socket://10.0.0.9";
        j.line = 42;
        j.labels = 10;
        j.digest = QByteArray(64, 'a');
        JobRecord summary = j;
        summary.kind = history::Kind::Resumo;
        summary.user = "BIA\nCOSTA";
        summary.line = 0;
        summary.barcode.clear();
        const QString lt = labeltype::Tag5360;
        QCOMPARE(history::csv({j, summary}),
                 "id,data,utc,estação,usuário,impressora,tipo,etiqueta,produção,pedido,linha,código de barras,"
                 "etiquetas,sha256\r\n"
                 "7,05/12/2026 14:03:11,2026-12-05T17:03:11Z,EST-1,\"ANA, a \"\"chefe\"\"\",socket://10.0.0.9,produção," +
                     lt + ",0000000123,5001,42,B1,10," + QString(64, 'a') +
                     "\r\n"
                     "7,05/12/2026 14:03:11,2026-12-05T17:03:11Z,EST-1,\"BIA\nCOSTA\",socket://10.0.0.9,resumo," +
                     lt + ",0000000123,5001,,,10," + QString(64, 'a') + "\r\n");
        const QStringList table = history::table({j}).split('\n');
        QVERIFY(table[0].startsWith("id  data"));
        QVERIFY(table[1].contains("ANA, a \"chefe\"  socket://10.0.0.9  produção"));
    }
};

QTEST_MAIN(tst_history)
#include "tst_history.moc"
