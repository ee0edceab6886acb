// The packing list printed to PDF files and read back as text (pdftotext -layout). Each
// scenario's orders are data/<scenario>.sql; what each document must show (or, after
// "!", must not) is data/<scenario>-<document>.patterns, one regular expression a line.
#include "packing/PackingList.h"
#include "session/Regional.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {
QStringList dataLines(const QString& file) {
    QFile in(DATA_DIR "/" + file);
    if (!in.open(QIODevice::ReadOnly)) return {"<cannot read " + file + ">"};
    QStringList lines = QString::fromUtf8(in.readAll()).split('\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& l) { return l.startsWith('#') || l.startsWith("--"); });
    return lines;
}

// Stores the scenario's orders, prints the packing list from the menu into a fresh
// folder and returns the text of each document, each after its file name.
QStringList printed(TempHome& home, ScriptedOperator& op, const QString& scenario) {
    for (const QString& statement : dataLines(scenario + ".sql"))
        home.state().ConexaoPedidos.execute(statement);
    const QString folder = home.path() + "/pdf";
    op.pagePrinters << folder;
    printPackingListFromMenu(home.state(), op);
    QStringList texts;
    for (const QString& pdf : QDir(folder).entryList({"*.pdf"}, QDir::Files, QDir::Name)) {
        QProcess p;
        p.start("pdftotext", {"-layout", folder + '/' + pdf, "-"});
        p.waitForFinished(30000);
        texts << pdf + '\n' + QString::fromUtf8(p.readAllStandardOutput());
    }
    return texts;
}

// The first line of `patterns` the document does not satisfy, with the document; empty
// when it satisfies all.
QString unmet(const QStringList& docs, int document, const QString& patterns) {
    const QString text = docs.value(document - 1);
    for (const QString& line : dataLines(patterns + ".patterns")) {
        const bool absent = line.startsWith('!');
        if (text.contains(QRegularExpression(line.mid(absent ? 1 : 0))) == absent)
            return line + " in:\n" + text;
    }
    return {};
}

// (NUMPROD, IMPRESSOR, DATA, HORA) of a header.
QStringList stampOf(ProgramState& s, int id) {
    const Recordset r =
        s.ConexaoPedidos.query(QString("SELECT * FROM VORLAPEDIDOS WHERE IDCODIGO = %1").arg(id));
    return {r.text("NUMPROD"), r.text("IMPRESSOR"), r.text("DATA"), r.text("HORA")};
}
} // namespace

class TstPackingList : public QObject {
    Q_OBJECT
  private slots:
    void init() { regional::setFixedNow(QDateTime(QDate(2026, 12, 6), QTime(10, 11, 12))); }
    void cleanup() { regional::setFixedNow(std::nullopt); }

    void blocksPerSupplierWithProductionNumbers() {
        TempHome home;
        ScriptedOperator op;
        const QStringList docs = printed(home, op, "blocks");
        QCOMPARE(op.messages(), QStringList{"ROMANEIO DA VORLA IMPRESSO COM SUCESSO! ROMANEIO NUMERO: 19"});
        QCOMPARE(op.shown.last().icon, Operator::Icon::Information);
        for (int id : {17, 18, 20})
            QCOMPARE(stampOf(home.state(), id), (QStringList{"0000000017", "S", "06/12/2026", "10:11:12 "}));
        QCOMPARE(stampOf(home.state(), 19), (QStringList{"0000000019", "S", "06/12/2026", "10:11:12 "}));
        QCOMPARE(docs.size(), 2);
        QCOMPARE(unmet(docs, 1, "blocks-1"), QString());
        QCOMPARE(unmet(docs, 2, "blocks-2"), QString());

        op.shown.clear();
        printPackingListFromMenu(home.state(), op); // everything is stamped now
        QCOMPARE(op.messages(), QStringList{"NÃO EXISTE PEDIDO DA VORLA A SER IMPRESSO!"});
        QCOMPARE(op.kinds(), QString("M")); // no printer dialog
    }

    void longValueMovesNextColumnToNextLine() {
        TempHome home;
        ScriptedOperator op;
        QCOMPARE(unmet(printed(home, op, "long-colour"), 1, "long-colour-1"), QString());
    }

    void headersWithoutLinesOfTheirSupplier() {
        TempHome home;
        ScriptedOperator op;
        const QStringList docs = printed(home, op, "without-lines");
        QCOMPARE(stampOf(home.state(), 30).first(), QString("0000000030"));
        QCOMPARE(stampOf(home.state(), 31).first(), QString("0000000030"));
        QCOMPARE(stampOf(home.state(), 40), (QStringList{"0000000040", "S", "06/12/2026", "10:11:12 "}));
        QCOMPARE(op.messages(), QStringList{"ROMANEIO DA VORLA IMPRESSO COM SUCESSO! ROMANEIO NUMERO: 30"});
        QCOMPARE(unmet(docs, 1, "without-lines-1"), QString());
        QCOMPARE(unmet(docs, 2, "without-lines-2"), QString());
    }

    void reimportedOrderIsPrintedOnce() {
        TempHome home;
        ScriptedOperator op;
        const QStringList docs = printed(home, op, "reimported");
        QCOMPARE(docs.size(), 1);
        QCOMPARE(unmet(docs, 1, "reimported-1"), QString());
        QCOMPARE(stampOf(home.state(), 6).first(), QString("0000000005"));
    }

    void cancelledPrinterDialogStampsNothing() {
        TempHome home;
        ScriptedOperator op;
        op.pagePrinters << std::nullopt;
        QVERIFY(printed(home, op, "one-line").isEmpty());
        QVERIFY(op.messages().isEmpty());
        QCOMPARE(stampOf(home.state(), 1), (QStringList{"", "N", "01/12/2026", "07:00:00"}));
    }
};

QTEST_MAIN(TstPackingList)
#include "tst_packing_list.moc"
