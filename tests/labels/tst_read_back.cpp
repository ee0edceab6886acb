// The barcode read-back after each job, and what a builder tells its caller when a
// job or a reading fails.
#include "LabelFixture.h"

#include "labels/ConfereEtiqueta.h"
#include "labels/LabelTypes.h"

#include <QTest>

class ReadBackTest : public QObject {
    Q_OBJECT
private slots:
    void matching_data();
    void matching();
    void wrongThenRight();
    void startValue_data();
    void startValue();
    void givingUpStopsTheBuilder();
    void refusedJobIsReportedAndNotReadBack();
    void packQuestionCancelledOrNotANumber_data();
    void packQuestionCancelledOrNotANumber();
    void nothingChosenSendsNothing();
};

void ReadBackTest::matching_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<bool>("match");
    QTest::newRow("same") << "7891234567890" << "7891234567890" << true;
    QTest::newRow("letter case") << "abc123" << "ABC123" << true;
    QTest::newRow("accented case") << "ção1" << "ÇÃO1" << true;
    QTest::newRow("trailing blank") << "7891234567890" << "7891234567890 " << false;
    QTest::newRow("leading blank") << "7891234567890" << " 7891234567890" << false;
    QTest::newRow("reader prefix") << "7891234567890" << "]C17891234567890" << false;
    QTest::newRow("part of the code") << "7891234567890" << "789123456789" << false;
    QTest::newRow("empty code, empty reading") << "" << "" << true;
}

void ReadBackTest::matching()
{
    QFETCH(QString, expected);
    QFETCH(QString, reading);
    QFETCH(bool, match);
    QCOMPARE(barcodeReadingMatches(reading, expected), match);
}

void ReadBackTest::wrongThenRight()
{
    ScriptedOperator op;
    op.readings << QStringLiteral("7891234567890 ") << QStringLiteral("7891234567890") << QStringLiteral("7891234567890");
    int n = 1;
    QVERIFY(ConfereEtiqueta(op, n, QStringLiteral("7891234567890")));
    QCOMPARE(n, 3);
    QCOMPARE(op.readLog.size(), 3);
    QCOMPARE(op.readLog[0].second, false);
    QCOMPARE(op.readLog[1].second, true);
    QCOMPARE(op.readLog[2].second, true);
}

void ReadBackTest::startValue_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("prompts");
    QTest::newRow("1: left, then right") << 1 << QStringList{LeftLabelPrompt, RightLabelPrompt};
    QTest::newRow("2: right only") << 2 << QStringList{RightLabelPrompt};
    QTest::newRow("3: none") << 3 << QStringList{};
}

void ReadBackTest::startValue()
{
    QFETCH(int, start);
    QFETCH(QStringList, prompts);
    ScriptedOperator op;
    op.readings << QStringLiteral("x1") << QStringLiteral("X1");
    int n = start;
    QVERIFY(ConfereEtiqueta(op, n, QStringLiteral("x1")));
    QCOMPARE(n, std::max(start, 3));
    QStringList shown;
    for (const auto& s : op.shown) shown << s.text;
    QCOMPARE(shown, prompts);
    QCOMPARE(op.shown.value(0).title, prompts.isEmpty() ? QString() : QStringLiteral("x1"));  // expected code shown
}

void ReadBackTest::givingUpStopsTheBuilder()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Preco5426;
    bench.settings.producao.Check1 = true;
    bench.settings.producao.Check2 = true;
    bench.op.readings << QStringLiteral("errado") << std::nullopt;
    LabelContext ctx = bench.context();
    double qtd = 10;
    QCOMPARE(EtiquetaPreco5426(ctx, qtd, QStringLiteral("10"), QStringLiteral("04"), QStringLiteral("00"), 0),
             LabelResult::NotConfirmed);
    QCOMPARE(bench.jobs(1).size(), 1);  // the four-across job never went out
    QTest::qWait(100);
    QCOMPARE(bench.printer.jobs().size(), 1);
    const QStringList messages = bench.op.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains(QStringLiteral("não foi confirmada")));
}

void ReadBackTest::refusedJobIsReportedAndNotReadBack()
{
    LabelBench bench;
    bench.home.state().ImpressoraSelecionada = QStringLiteral("socket://127.0.0.1:1");
    bench.settings.producaoCaption = labeltype::Costura5016;
    bench.settings.producao.Check1 = true;
    bench.settings.producao.Check2 = true;
    bench.op.yesNo << true;  // the printer does not answer its status query: send anyway
    LabelContext ctx = bench.context();
    double qtd = 10;
    QCOMPARE(EtiquetaCostura5016(ctx, qtd, QStringLiteral("10"), QStringLiteral("04"), QStringLiteral("00"), 0),
             LabelResult::PrinterRefused);
    QCOMPARE(bench.op.shown.size(), 2);  // one message, no read-back, no second job
    QCOMPARE(bench.op.shown[1].kind, QStringLiteral("message"));
    QCOMPARE(bench.op.shown[1].title, QStringLiteral("VORLA"));
    QCOMPARE(bench.op.shown[1].icon, Operator::Icon::Critical);
    QVERIFY(bench.op.shown[1].text.contains(QStringLiteral("socket://127.0.0.1:1")));
}

void ReadBackTest::packQuestionCancelledOrNotANumber_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<int>("messages");
    QTest::newRow("cancelled") << std::optional<QString>() << 0;
    QTest::newRow("letters") << std::optional<QString>(QStringLiteral("quatro")) << 1;
    QTest::newRow("zero") << std::optional<QString>(QStringLiteral("0")) << 1;
    QTest::newRow("empty") << std::optional<QString>(QString()) << 1;
}

void ReadBackTest::packQuestionCancelledOrNotANumber()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(int, messages);
    LabelBench bench;
    bench.settings.producaoVisivel = false;
    bench.settings.cbomarca = labeltype::Pack;
    bench.settings.avulso.Check1 = true;
    bench.op.inputs.enqueue(answer);
    LabelContext ctx = bench.context();
    double qtd = 2;
    QCOMPARE(EtiquetaPack(ctx, qtd, QStringLiteral("10"), QStringLiteral("04"), QStringLiteral("00"), 0),
             LabelResult::Cancelled);
    QCOMPARE(int(bench.op.messages().size()), messages);
    QTest::qWait(100);
    QVERIFY(bench.printer.jobs().isEmpty());
}

void ReadBackTest::nothingChosenSendsNothing()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Costura5016;
    LabelContext ctx = bench.context();
    double qtd = 10;
    QCOMPARE(EtiquetaCostura5016(ctx, qtd, QStringLiteral("10"), QStringLiteral("04"), QStringLiteral("00"), 0),
             LabelResult::NothingSelected);
    QVERIFY(bench.op.shown.isEmpty());
    QTest::qWait(100);
    QVERIFY(bench.printer.jobs().isEmpty());
}

QTEST_GUILESS_MAIN(ReadBackTest)
#include "tst_read_back.moc"
