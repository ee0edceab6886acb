// Every job of every builder and variant, byte for byte as the printer on the loopback
// interface receives it, against golden/<variant>.zpl (the jobs of one run in sending
// order, in Windows-1252 as sent). The variants are listed in data/label-jobs.txt.
//
// After a deliberate layout change, ETIQUETAS_UPDATE_GOLDEN=1 makes the test write the
// received jobs into the golden files instead of comparing; review their diff.
#include "LabelFixture.h"

#include "data/Home.h"
#include "labels/ConfereEtiqueta.h"
#include "labels/LabelJobs.h"
#include "labels/LabelTypes.h"
#include "printing/Windows1252.h"
#include "support/DataRows.h"

#include <QFile>
#include <QTest>

namespace {
// The golden jobs of `name`; with `update`, `received` is written as the new ones first.
QByteArray golden(const QString& name, const QByteArray& received = {}, bool update = false) {
    QFile file(GOLDEN_DIR "/" + name + ".zpl");
    if (update && file.open(QIODevice::WriteOnly)) file.write(received);
    file.close();
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<no golden file " + name.toUtf8() + ">";
}

// conf.txt with the tag's free text: the last key 5 wins.
void writeConfTxt(const LabelBench& bench) {
    QFile conf(home::confFile(bench.home.path()));
    if (conf.open(QIODevice::WriteOnly)) conf.write("1SERVIDOR\r\n5PEÇA PILOTO\r\n\r\n5ABC\r\n");
}
} // namespace

class LabelJobsTest : public QObject {
    Q_OBJECT
  private slots:
    void jobs_data() { addRowsFrom(DATA_DIR "/label-jobs.txt"); }
    void jobs() {
        const DataRow r = dataRow();
        LabelBench bench;
        bench.settings = settingsFor(labelType(r["type"]), r["boxes"]);
        writeConfTxt(bench);
        bench.op.inputs.enqueue("4");
        double Qtd = r["qtd"].toDouble();
        QCOMPARE(bench.run(LabelBench::builderFor(labelType(r["type"])), Qtd), LabelResult::Printed);

        const QList<QByteArray> received = bench.printer.waitForJobs(r["jobs"].toInt());
        QCOMPARE(received.size(), r["jobs"].toInt());
        const QByteArray all = received.join();
        QCOMPARE(all,
                 golden(QTest::currentDataTag(), all, qEnvironmentVariableIsSet("ETIQUETAS_UPDATE_GOLDEN")));
        QCOMPARE(Qtd, r["qtdAfter"].toDouble());

        QString seen;
        for (const auto& s : bench.op.shown)
            seen += s.kind == "input"            ? 'I'
                    : s.text == LeftLabelPrompt  ? 'L'
                    : s.text == RightLabelPrompt ? 'R'
                                                 : '?';
        QCOMPARE(seen, r["shown"]);
        if (r["shown"] == "I")
            QCOMPARE(bench.op.shown[0].text,
                     QString("Digite o número a ser impresso:   / total de etiquetas PACK: 9"));
        else if (!r["shown"].isEmpty())
            QCOMPARE(bench.op.shown[0].title, QString("7891234567890")); // the code to read
    }

    // A description, colour or message holding ^, ~ or \ goes out under ^FH as the
    // printer's escapes: the tag is the golden one with only that field's data changed.
    void fieldDataCannotChangeTheJob_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("sent");
        for (const char* field : {"DESCRICAO", "CODIG_COR", "MENSAGEM"}) {
            QTest::addRow("%s ^", field) << field << "A^FSB"
                                         << "A\\5EFSB";
            QTest::addRow("%s ~", field) << field << "A~JRB"
                                         << "A\\7EJRB";
            QTest::addRow("%s \\", field) << field << "A\\5EB"
                                          << "A\\5C5EB";
        }
    }
    void fieldDataCannotChangeTheJob() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, sent);
        LabelBench bench;
        bench.settings = settingsFor(labeltype::Tag5360, "");
        writeConfTxt(bench);
        Record line = orderLine();
        QString expected = fromWindows1252(golden("tag5360-pair"));
        expected.replace("^FD" + line.text(field).left(33) + "^FS", "^FD" + sent + "^FS");
        line.setValue(field, value);
        double qtd = 40;
        QCOMPARE(bench.run(EtiquetaTag5360, qtd, line), LabelResult::Printed);
        QCOMPARE(bench.jobs(1).value(0), expected);
    }
};

QTEST_GUILESS_MAIN(LabelJobsTest)
#include "tst_label_jobs.moc"
