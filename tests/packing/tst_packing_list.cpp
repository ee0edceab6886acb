// The packing list printed to PDF files and read back as text (pdftotext -layout). Each
// scenario of data/scenarios.txt has its orders in data/<scenario>.sql; what each document
// must show (or, after "!", must not) is data/<scenario>-<document>.patterns, one regular
// expression a line; the headers stored after the print, data/<scenario>.rows.
#include "intake/IntakeFixture.h"
#include "packing/PackingList.h"
#include "session/Regional.h"
#include "support/DataRows.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QtTest>

class TstPackingList : public QObject {
    Q_OBJECT
  private slots:
    void init() { regional::setFixedNow(QDateTime(QDate(2026, 12, 6), QTime(10, 11, 12))); }
    void cleanup() { regional::setFixedNow(std::nullopt); }

    void scenarios_data() { addRowsFrom(DATA_DIR "/scenarios.txt"); }
    void scenarios() {
        const DataRow r = dataRow();
        const QString scenario = QTest::currentDataTag();
        TempHome home;
        for (const QString& statement : dataLines(scenario + ".sql"))
            home.state().ConexaoPedidos.execute(statement);
        ScriptedOperator op;
        op.pagePrinters << (r["printer"] == "folder" ? std::optional(home.path() + "/pdf") : std::nullopt);
        printPackingListFromMenu(home.state(), op);
        // The text of each document, after its file name.
        QStringList docs;
        for (const QString& pdf : QDir(home.path() + "/pdf").entryList({"*.pdf"}, QDir::Files, QDir::Name)) {
            QProcess p;
            p.start("pdftotext", {"-layout", home.path() + "/pdf/" + pdf, "-"});
            p.waitForFinished(30000);
            docs << pdf + '\n' + QString::fromUtf8(p.readAllStandardOutput());
        }
        QCOMPARE(op.messages(), r["message"].isEmpty() ? QStringList() : QStringList{r["message"]});
        QCOMPARE(docs.size(), r["documents"].toInt());
        for (int i = 0; i < docs.size(); ++i) {
            for (const QString& line : dataLines(scenario + '-' + QString::number(i + 1) + ".patterns")) {
                const bool absent = line.startsWith('!');
                QVERIFY2(docs[i].contains(QRegularExpression(line.mid(absent ? 1 : 0))) != absent,
                         qPrintable(line + " in:\n" + docs[i]));
            }
        }
        const auto [expected, stored] = rowsOf(home.state(), scenario);
        QCOMPARE(stored, expected);
        if (docs.isEmpty()) return;
        QCOMPARE(op.shown.last().icon, Operator::Icon::Information);

        op.shown.clear();
        printPackingListFromMenu(home.state(), op); // everything is stamped now
        QCOMPARE(op.messages(), QStringList{"NÃO EXISTE PEDIDO DA VORLA A SER IMPRESSO!"});
        QCOMPARE(op.kinds(), QString("M")); // no printer dialog
    }
};

QTEST_MAIN(TstPackingList)
#include "tst_packing_list.moc"
