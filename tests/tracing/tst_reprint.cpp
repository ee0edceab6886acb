#include "history/PrintHistory.h"
#include "production/Fixture.h"
#include "production/LineClaim.h"
#include "tracing/Reprint.h"

// A job sent again from the history: the very bytes, after the printer check, and one
// reimpressão row only when the printer took it.
class TstReprint : public QObject {
    Q_OBJECT
  private slots:
    void reprint_data() {
        QTest::addColumn<QString>("states");  // the printer's answers to its status queries
        QTest::addColumn<QString>("printer"); // empty: the loopback printer
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("shown"); // kinds of what the operator saw
        QTest::addColumn<bool>("sent");
        QTest::addColumn<QString>("message"); // the last message, when one is expected
        QTest::addColumn<int>("daysLater");   // the history pruned this many days later first
        QTest::newRow("printer takes it") << "Ready"
                                          << "" << QList<bool>{true} << "Q" << true << "" << 0;
        QTest::newRow("operator says no") << "Ready"
                                          << "" << QList<bool>{false} << "Q" << false << "" << 0;
        QTest::newRow("out of labels, given up")
            << "PaperOut"
            << "" << QList<bool>{true, false} << "QQ" << false << "" << 0;
        QTest::newRow("bytes no longer kept")
            << "Ready"
            << "" << QList<bool>{} << "M" << false << "" << history::PrintHistory::bytesDays() + 1;
        QTest::newRow("printer refuses the job")
            << "Ready"
            << "socket://127.0.0.1:1" << QList<bool>{true, true} << "QQM" << false
            << "A impressora socket://127.0.0.1:1 não aceitou a reimpressão: conexão recusada (a impressora "
               "não "
               "aceita trabalhos nesta porta). Verifique a impressora e tente de novo: nada foi registrado "
               "no "
               "histórico.\n\nDetalhe técnico: Connection refused"
            << 0;
    }
    void reprint() {
        QFETCH(QString, states);
        QFETCH(QString, printer);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, shown);
        QFETCH(bool, sent);
        QFETCH(QString, message);
        QFETCH(int, daysLater);
        Floor f(FakeLabelPrinter::answersNamed(states));
        // The first job went to another printer, from another station and user; its bytes
        // hold every kind of byte a job can carry, the code page's holes included.
        const QByteArray job = QByteArray("^XA^CI27^FO20,20^A0N,30,30^FDPre\xE7o \x80 59,90 \x81\x8D\x9D^FS"
                                          "^PQ3,0,1,Y^XZ") +
                               QByteArray("\x00\x7F\xFF", 3);
        history::PrintHistory store(f.store);
        history::JobRecord first;
        first.station = "EST-1";
        first.user = "ADMIN";
        first.labelType = labeltype::Preco5426;
        first.production = Numprod;
        first.order = "450100";
        first.line = 7;
        first.barcode = "7891020304001";
        first.kind = history::Kind::Producao;
        const qint64 id = store.record(first, {printing::SentJob{"socket://elsewhere:9100", job}}).value(0);
        QVERIFY(id > 0);
        if (daysLater) store.prune(QDateTime::currentDateTime().addDays(daysLater));
        if (!printer.isEmpty()) f.home.state().ImpressoraSelecionada = printer;
        for (bool a : answers)
            f.op.yesNo << a;

        const std::optional<qint64> again = tracing::reprint(f.home.state(), f.op, id, "ZE");

        QCOMPARE(f.op.kinds(), shown);
        if (!message.isEmpty()) {
            QCOMPARE(f.op.shown.last().text, message);
            QCOMPARE(f.op.shown.last().title, QString("VORLA"));
            QCOMPARE(f.op.shown.last().icon, Operator::Icon::Critical);
        }
        if (daysLater)
            QVERIFY(
                f.op.shown.last().text.startsWith("O histórico não guarda mais as etiquetas do trabalho"));
        const QList<history::JobRecord> rows = store.find({});
        QCOMPARE(again.has_value(), sent);
        QCOMPARE(rows.size(), sent ? 2 : 1);
        if (!sent) {
            QCOMPARE(f.printer.jobs().size(), 0);
            return;
        }
        QCOMPARE(f.printer.waitForJobs(1), QList<QByteArray>{job});
        const std::optional<history::JobRecord> r = store.job(*again);
        QVERIFY(r);
        QCOMPARE(rows.first().id, *again);
        QCOMPARE(r->kind, history::Kind::Reimpressao);
        QCOMPARE(r->bytes, job);
        QCOMPARE(r->labels, 3);
        QCOMPARE(r->printer, f.printer.uri());
        QCOMPARE(r->user, QString("ZE"));
        QCOMPARE(r->station, LineClaim::stationName());
        QCOMPARE((QStringList{r->labelType, r->production, r->order, r->barcode, QString::number(r->line)}),
                 (QStringList{labeltype::Preco5426, Numprod, "450100", "7891020304001", "7"}));
    }
};

QTEST_GUILESS_MAIN(TstReprint)
#include "tst_reprint.moc"
