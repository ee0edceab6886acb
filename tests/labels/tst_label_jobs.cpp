// Every builder run, as the printer on the loopback interface and the operator see it:
// the rows of data/runs.txt give the line, the settings, the printer's state answers and
// the operator's answers, and what must come of them. A row naming a golden file has
// its jobs compared byte for byte with golden/<file>.zpl (the jobs of the run in sending
// order, in Windows-1252 as sent).
//
// After a deliberate layout change, ETIQUETAS_UPDATE_GOLDEN=1 makes the test write the
// received jobs into the golden files instead of comparing; review their diff.
#include "LabelFixture.h"

#include "data/Home.h"
#include "labels/ConfereEtiqueta.h"
#include "labels/LabelTypes.h"
#include "support/DataRows.h"
#include "support/FakeLabelPrinter.h"

#include <QFile>
#include <QTest>

namespace {
// The golden jobs of `name`; with ETIQUETAS_UPDATE_GOLDEN set, `received` is written as
// the new ones first.
QByteArray golden(const QString& name, const QByteArray& received) {
    QFile file(GOLDEN_DIR "/" + name + ".zpl");
    if (qEnvironmentVariableIsSet("ETIQUETAS_UPDATE_GOLDEN") && file.open(QIODevice::WriteOnly))
        file.write(received);
    file.close();
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<no golden file " + name.toUtf8() + ">";
}

// The cells of a row's setup: "key=value" (or a lone key) separated by blanks.
QHash<QString, QString> setupOf(const QString& cell) {
    QHash<QString, QString> setup;
    for (const QString& item : cell.split(u' ', Qt::SkipEmptyParts))
        setup.insert(item.section(u'=', 0, 0), item.section(u'=', 1));
    return setup;
}

const QStringList resultNames{"Printed",         "NothingSelected", "InvalidSettings", "InvalidData",
                              "QuantityRefused", "PrinterRefused",  "NotConfirmed",    "Cancelled"};
const QStringList iconNames{"None", "Information", "Question", "Warning", "Critical"};
} // namespace

class LabelJobsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { qputenv("ETIQUETAS_STATUS_TIMEOUT_MS", "300"); }

    void runs_data() { addRowsFrom(DATA_DIR "/runs.txt"); }
    void runs() {
        const DataRow r = dataRow();
        const QHash<QString, QString> setup = setupOf(r["setup"]);
        FakeLabelPrinter printer(
            FakeLabelPrinter::answersNamed(setup.value("status", "Ready").replace(',', ' ')));
        LabelBench bench;
        ProgramState& state = bench.home.state();
        state.ImpressoraSelecionada = setup.value("printer", printer.uri());
        if (setup.contains("confLinha5")) state.ConfLinha5 = setup["confLinha5"];
        if (setup.contains("conf")) {
            QFile conf(home::confFile(bench.home.path()));
            QVERIFY(conf.open(QIODevice::WriteOnly));
            conf.write("1SERVIDOR\r\n5PEÇA PILOTO\r\n\r\n5ABC\r\n"); // the last key 5 wins
        }
        LabelSettings settings = settingsFor(labelType(r["type"]), r["boxes"]);
        settings.cbocoluna = setup.value("coluna", "00");
        settings.cbolargura = setup.value("largura", "00");
        settings.TXTPORCENTAGEM = setup.value("percentage", "10");
        Record line = orderLine();
        for (auto it = setup.begin(); it != setup.end(); ++it)
            if (it.key() == it.key().toUpper()) line.setValue(it.key(), it.value());
        for (const QString& a : r["answers"].split(' ', Qt::SkipEmptyParts)) {
            const auto answer =
                a == "<none>" ? std::nullopt : std::optional<QString>(a == "<empty>" ? "" : a);
            if (a == "yes" || a == "no")
                bench.op.yesNo << (a == "yes");
            else
                (r["type"] == "Pack" ? bench.op.inputs : bench.op.readings) << answer;
        }
        bench.op.readsEveryLabel = true;

        LabelContext ctx{state, bench.op, line, settings};
        double qtd = r.number("qtd");
        const LabelResult result = LabelBench::builderFor(labelType(r["type"]))(
            ctx, qtd, setup.value("darkness", "10"), setup.value("speed", "04"), settings.cbocoluna,
            short(settings.cbolargura.toInt()));
        QCOMPARE(resultNames.value(int(result)), r["result"]);
        QCOMPARE(qtd, r.number("qtdAfter"));
        if (setup.contains("confLinha5")) QCOMPARE(state.ConfLinha5, setup["confLinha5"]);

        // What the operator saw: L/R the read-back of the left/right label (asking for the
        // line's code), I the pack volume asked, Q a question, M a message.
        QString shown, text, icon;
        for (const auto& s : bench.op.shown) {
            if (s.kind == "barcode") {
                shown += s.text == LeftLabelPrompt ? 'L' : s.text == RightLabelPrompt ? 'R' : '?';
                QCOMPARE(s.title, line.text("CODIG_BARR"));
                continue;
            }
            shown += s.kind == "input" ? 'I' : s.kind == "question" ? 'Q' : 'M';
            QCOMPARE(s.title, QString("VORLA"));
            text = s.text;
            icon = iconNames.value(int(s.icon));
        }
        QCOMPARE(shown, r["shown"]);
        QCOMPARE(text, QString(r["text"]).replace("%1", printer.uri()));
        QCOMPARE(icon, r["icon"]);
        QVERIFY(bench.op.yesNo.isEmpty() && bench.op.inputs.isEmpty() && bench.op.readings.isEmpty());

        // The jobs, each sent once, and the state asked before each.
        printer.printer().waitForJobs(r["jobs"].toInt());
        QTest::qWait(100);
        const QList<QByteArray> received = printer.printer().jobs();
        QCOMPARE(received.size(), r["jobs"].toInt());
        QCOMPARE(printer.printer().statusQueries(), r["queries"].toInt());
        if (!r["golden"].isEmpty()) QCOMPARE(received.join(), golden(r["golden"], received.join()));
    }

    // The most volumes a line may hold: one label each, numbered in four digits.
    void packOf9999Volumes() {
        LabelBench bench;
        bench.settings = settingsFor(labeltype::Pack, "P1");
        double qtd = 9999;
        QCOMPARE(bench.run(EtiquetaPack, qtd), LabelResult::Printed);
        const QByteArray job = bench.printer.waitForJobs(1).value(0);
        QCOMPARE(job.count("^XZ"), 9999);
        QVERIFY(
            job.startsWith("^XA^MMT^PW791^LL0112^LS0^PR4,4~SD10^JUS^FT77 ,170^BQN,2,4^FH\\^FDLA,"
                           "6|10.22.3344|451207|0001^FS^FT54 ,302^A0N,28,28^FH\\^FDVol: 0001  / 9999^FS"));
        QVERIFY(job.contains("^FDVol: 9999  / 9999^FS"));
    }
};

QTEST_GUILESS_MAIN(LabelJobsTest)
#include "tst_label_jobs.moc"
