// Every job of every builder, byte for byte, as the printer on the loopback interface
// receives it. The expected texts are typed from the label layouts.
#include "LabelFixture.h"

#include "data/Home.h"
#include "labels/LabelJobs.h"
#include "labels/LabelTypes.h"

#include <QFile>
#include <QTest>

namespace {
const QString P = QString(QChar(16)) + QStringLiteral("CT~~CD,~CC^~CT~");
// Set-up formats with speed "04" and darkness "10".
const QString TransferGap = QStringLiteral("^XA~TA000~JSN^LT0^MNW^MTT^PON^PMN^LH0,0^JMA^PR4,4~SD10^JUS^LRN^CI35^XZ");
const QString DirectGap = QStringLiteral("^XA~TA000~JSN^LT0^MNW^MTD^PON^PMN^LH0,0^JMA^PR4,4~SD10^JUS^LRN^CI35^XZ");
const QString TransferCont = QStringLiteral("^XA~TA000~JSN^LT0^MNN^MTT^PON^PMN^LH0,0^JMA^PR4,4~SD10^JUS^LRN^CI35^XZ");

// The order line's texts as the labels show them.
const QString Descricao33 = QStringLiteral("CAMISETA ALGODÃO ESTAMPA CORAÇÃO ");  // cut at 33, blank kept
const QString CB = QStringLiteral(">;7891234567890>6");                          // numeric code, 13 digits

QString fourAcrossColumn(int c)
{
    const int x[][4] = {{134, 342, 550, 757}, {154, 362, 570, 777}, {176, 384, 592, 799}, {117, 325, 533, 740},
                        {14, 222, 430, 637},  {77, 285, 493, 700},  {14, 222, 430, 637},  {37, 245, 453, 660},
                        {136, 344, 552, 759}, {57, 265, 473, 680},  {81, 289, 497, 704}};
    const int colecaoY[] = {288, 288, 287, 289};
    return F("^FT", x[0][c], 288, QStringLiteral("^A0R,19,19^FH\\^FD12#26^FS")) +
           F("^FT", x[1][c], 288, QStringLiteral("^A0R,19,19^FH\\^FDFEMININO^FS")) +
           F("^FT", x[2][c], colecaoY[c], QStringLiteral("^A0R,19,19^FH\\^FDVERÃO 2027^FS")) +
           F("^FT", x[3][c], 25, QStringLiteral("^A0R,19,19^FH\\^FD") + Descricao33 + QStringLiteral("^FS")) +
           F("^FT", x[4][c], 28, QStringLiteral("^A0R,19,19^FH\\^FDBLUSA DE MALHA COM ESTAMPA^FS")) +
           F("^FT", x[5][c], 311, QStringLiteral("^A0R,42,91^FH\\^FDM^FS")) +
           F("^FT", x[6][c], 259, QStringLiteral("^A0R,55,33^FH\\^FDR$ 49,90^FS")) +
           F("^FT", x[7][c], 28, QStringLiteral("^A0R,19,19^FH\\^FDCOR: AZUL CÉU^FS")) +
           F("^FT", x[8][c], 25, QStringLiteral("^A0R,17,19^FH\\^FD7891234567890^FS")) +
           F("^BY2,3,56^FT", x[9][c], 27, QStringLiteral("^BCR,,N,N^FD") + CB + QStringLiteral("^FS")) +
           F("^FT", x[10][c], 410, QStringLiteral("^A0N,17,16^FH\\^FD451207^FS"));
}

QString basketRow1(int c)
{
    const int x[] = {134, 430, 700};
    return F("^FT", x[c], 66, QStringLiteral("^A0N,20,19^FH\\^FD12#26^FS"));
}

QString basketRows2to12(int c)
{
    const int x[][3] = {{203, 489, 769}, {134, 430, 700}, {134, 430, 700}, {177, 473, 753}, {9, 305, 585},
                        {10, 306, 586},  {144, 440, 720}, {86, 382, 662},  {16, 312, 592},  {6, 302, 582},
                        {16, 312, 592}};
    return F("^FT", x[0][c], 68, QStringLiteral("^A0N,20,19^FH\\^FDM^FS")) +
           F("^FT", x[1][c], 46, QStringLiteral("^A0N,20,19^FH\\^FDFEMININO^FS")) +
           F("^FT", x[2][c], 29, QStringLiteral("^A0N,20,19^FH\\^FDVERÃO 2027^FS")) +
           F("^FT", x[3][c], 191, QStringLiteral("^A0N,23,28^FH\\^FD49,90^FS")) +
           F("^FT", x[4][c], 192, QStringLiteral("^A0N,17,16^FH\\^FDFEMININO^FS")) +
           F("^FT", x[5][c], 172, QStringLiteral("^A0N,17,16^FH\\^FDCOR: AZUL CÉU^FS")) +
           F("^FT", x[6][c], 189, QStringLiteral("^A0N,23,24^FH\\^FDR$^FS")) +
           F("^FT", x[7][c], 155, QStringLiteral("^A0N,17,16^FH\\^FD7891234567890^FS")) +
           F("^FT", x[8][c], 85, QStringLiteral("^A0N,17,12^FH\\^FD") + Descricao33 + QStringLiteral("^FS")) +
           F("^FT", x[9][c], 52, QStringLiteral("^A0N,39,40^FH\\^FDVORLA^FS")) +
           F("^BY2,3,48^FT", x[10][c], 139, QStringLiteral("^BCN,,N,N^FD>:7>5891234567890^FS"));
}

QString sixAcrossColumn(int c)
{
    const int x[][6] = {{3, 131, 259, 387, 514, 642},   {91, 219, 347, 475, 602, 730},
                        {73, 201, 329, 457, 584, 712},  {89, 217, 345, 473, 600, 728},
                        {19, 147, 275, 403, 530, 658}};
    return F("^FT", x[0][c], 163, QStringLiteral("^A0R,17,16^FH\\^FD7891234567890^FS")) +
           F("^FT", x[1][c], 311, QStringLiteral("^A0R,17,16^FH\\^FDTAM: M^FS")) +
           F("^FT", x[2][c], 105, QStringLiteral("^A0R,17,16^FH\\^FD") + Descricao33 + QStringLiteral("^FS")) +
           F("^FT", x[3][c], 105, QStringLiteral("^A0R,17,16^FH\\^FDAZUL CÉU^FS")) +
           F("^BY2,3,52^FT", x[4][c], 102, QStringLiteral("^BCR,,N,N^FD") + CB + QStringLiteral("^FS"));
}

QString format10040(const QString& volume, const QString& div)
{
    return QStringLiteral("^XA^MMT^PW791^LL0112^LS0^PR4,4~SD10^JUS") +
           F("^FT", 77, 170, QStringLiteral("^BQN,2,4^FH\\^FDLA,6|10.22.3344|451207|") + volume + QStringLiteral("^FS")) +
           F("^FT", 54, 302, QStringLiteral("^A0N,28,28^FH\\^FDVol: ") + volume + QStringLiteral("  / ") + div +
                                 QStringLiteral("^FS")) +
           F("^FT", 51, 270, QStringLiteral("^A0N,28,28^FH\\^FDQtd.          ") + div + QStringLiteral("^FS")) +
           F("^FT", 48, 253, QStringLiteral("^A0N,28,28^FH\\^FDProduto: 10.22.3344^FS")) +
           F("^FT", 50, 220, QStringLiteral("^A0N,28,28^FH\\^FDPedido: 451207^FS")) +
           F("^FT", 323, 89, QStringLiteral("^A0N,28,28^FH\\^FD6|10.22.3344|451207|") + volume + QStringLiteral("^FS")) +
           QStringLiteral("^PQ1,0,1,Y^XZ");
}

QString column3423(int c, const QString& volume, const QString& total)
{
    const int qrX[] = {37, 315, 600}, qrY[] = {195, 200, 200};
    const int x[][3] = {{228, 506, 797}, {208, 486, 777}, {234, 510, 804}, {258, 536, 827}};
    return F("^FT", qrX[c], qrY[c],
             QStringLiteral("^BQN,2,5^FH\\^FDLA,6|10.22.3344|451207|") + volume + QStringLiteral("^FS")) +
           F("^FT", x[0][c], 190, QStringLiteral("^A0B,70,70^FH\\^FD6^FS")) +
           F("^FT", x[1][c], 140, QStringLiteral("^A0B,28,28^FH\\^FD451207^FS")) +
           F("^FT", x[2][c], 140, QStringLiteral("^A0B,28,28^FH\\^FD10.22.3344^FS")) +
           F("^FT", x[3][c], 140, QStringLiteral("^A0B,28,28^FH\\^FD") + volume + QLatin1Char('/') + total +
                                      QStringLiteral(" ^FS"));
}

QString row3423Opening()
{
    return P + TransferGap + QStringLiteral("^XA^MMT^PW1015^LL0184^LS0");
}
} // namespace

class LabelJobsTest : public QObject {
    Q_OBJECT
private slots:
    void preco5426OneLabel();
    void preco5426FourAcross();
    void preco5426BothVariantsInOrder();
    void basket3225_data();
    void basket3225();
    void tag5360();
    void costura5016OneLabel();
    void costura5016SixAcross();
    void costura5023();
    void pack10040Production();
    void pack3423Production();
    void packVolumesOverNineHundredNinetyNine();
    void packAdHoc_data();
    void packAdHoc();
    void bytesReachPrinterAsWindows1252();
};

void LabelJobsTest::preco5426OneLabel()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Preco5426;
    bench.settings.producao.Check1 = true;
    double qtd = 40;
    QCOMPARE(bench.run(EtiquetaPreco5426, qtd), LabelResult::Printed);
    const QString expected =
        P + DirectGap + QStringLiteral("~DG000.GRF,01024,016,<logo>") + QStringLiteral("^XA^MMT^PW400^LL0184^LS0") +
        F("^FT", 34, 34, QStringLiteral("^A0N,34,23^FH\\^FDVORLA^FS")) +
        F("^FT", 320, 120, QStringLiteral("^A0N,48,55^FH\\^FDM^FS")) +
        F("^FT", 312, 67, QStringLiteral("^A0N,17,16^FH\\^FD12#26^FS")) +
        F("^FT", 311, 47, QStringLiteral("^A0N,17,16^FH\\^FDFEMININO^FS")) +
        F("^FT", 311, 27, QStringLiteral("^A0N,17,16^FH\\^FDVERÃO 2027^FS")) +
        F("^FT", 294, 175, QStringLiteral("^A0N,48,48^FH\\^FD49,90^FS")) +
        F("^FT", 54, 175, QStringLiteral("^A0B,18,14^FH\\^FD451207^FS")) +
        F("^FT", 272, 175, QStringLiteral("^A0N,23,19^FH\\^FDR$^FS")) +
        F("^FT", 73, 168, QStringLiteral("^A0N,20,19^FH\\^FDBLUSA DE MALHA COM ES^FS")) +
        F("^FT", 73, 149, QStringLiteral("^A0N,20,19^FH\\^FDCOR: AZUL CÉU^FS")) +
        F("^FT", 34, 72, QStringLiteral("^A0N,16,14^FH\\^FD") + Descricao33 + QStringLiteral("^FS")) +
        F("^FT", 34, 55, QStringLiteral("^A0N,17,16^FH\\^FD7891234567890^FS")) +
        F("^BY2,3,52^FT", 38, 127, QStringLiteral("^BCN,,N,N^FD") + CB + QStringLiteral("^FS")) +
        QStringLiteral("^PQ0048,0,1,Y^XZ") + QStringLiteral("^XA^ID000.GRF^FS^XZ");
    QCOMPARE(withLogosChecked(bench.jobs(1).value(0)), expected);
    QCOMPARE(qtd, 48.0);  // 40 + 4 overage when ticked, + 4 always
    QCOMPARE(bench.op.shown.size(), 1);
    QCOMPARE(bench.op.shown[0].text, QStringLiteral("Leia o Código de Barras da Etiqueta do lado direito:"));
    QCOMPARE(bench.op.shown[0].title, QStringLiteral("7891234567890"));
}

void LabelJobsTest::preco5426FourAcross()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Preco5426;
    bench.settings.producao.Check2 = true;
    double qtd = 40;
    QCOMPARE(bench.run(EtiquetaPreco5426, qtd), LabelResult::Printed);
    QString expected = P + TransferGap + QStringLiteral("^XA^MMT^PW831^LL0424^LS0") +
                       F("^FT", 152, 27, QStringLiteral("^A0R,44,33^FH\\^FDVORLA^FS")) +
                       F("^FT", 360, 27, QStringLiteral("^A0R,44,33^FH\\^FDVORLA^FS")) +
                       F("^FT", 568, 27, QStringLiteral("^A0R,44,33^FH\\^FDVORLA^FS")) +
                       F("^FT", 776, 27, QStringLiteral("^A0R,44,33^FH\\^FDVORLA^FS"));
    for (int c = 0; c < 4; ++c) expected += fourAcrossColumn(c);
    expected += QStringLiteral("^PQ0018,0,1,Y^XZ");
    QCOMPARE(bench.jobs(1).value(0), expected);
    QCOMPARE(qtd, 18.0);  // 40 / 4 + 4, then + 4
}

void LabelJobsTest::preco5426BothVariantsInOrder()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Preco5426;
    bench.settings.producao.Check1 = true;
    bench.settings.avulso.Check2 = true;  // either window's box chooses the variant
    double qtd = 40;
    QCOMPARE(bench.run(EtiquetaPreco5426, qtd), LabelResult::Printed);
    const QStringList jobs = bench.jobs(2);
    QVERIFY(jobs[0].contains(QStringLiteral("^PW400")));
    QVERIFY(jobs[0].contains(QStringLiteral("^PQ0048,")));
    // The second job counts from the quantity the first one left: 48 + 4 + 4.
    QVERIFY(jobs[1].contains(QStringLiteral("^PW831")));
    QVERIFY(jobs[1].contains(QStringLiteral("^PQ0056,")));
    QCOMPARE(qtd, 56.0);
    QCOMPARE(bench.op.readLog.size(), 2);  // one reading after each job
}

void LabelJobsTest::basket3225_data()
{
    QTest::addColumn<bool>("threeColumns");
    QTest::addColumn<int>("fields");
    QTest::newRow("2 Colunas") << false << 24;
    QTest::newRow("3 Colunas") << true << 36;
}

void LabelJobsTest::basket3225()
{
    QFETCH(bool, threeColumns);
    QFETCH(int, fields);
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Basket3225;
    bench.settings.producao.Check1 = !threeColumns;  // not consulted
    bench.settings.producao.Check2 = threeColumns;
    double qtd = 40;
    QCOMPARE(bench.run(EtiquetaBasket3225, qtd), LabelResult::Printed);
    QString expected = P + TransferGap + QStringLiteral("^XA^MMT^PW1075^LL0216^LS0") + basketRow1(0) + basketRow1(1) +
                       basketRows2to12(0) + basketRows2to12(1);
    if (threeColumns) expected += basketRow1(2) + basketRows2to12(2);
    expected += QStringLiteral("^PQ5,0,1,Y^XZ");
    const QString job = bench.jobs(1).value(0);
    QCOMPARE(job, expected);
    QCOMPARE(int(job.count(QStringLiteral("^FS"))), fields);
    QCOMPARE(qtd, 42.0);  // 40 + 4 / 2: only the caller's quantity changes
    QCOMPARE(bench.op.readLog.size(), 2);
    QCOMPARE(bench.op.shown[0].text, QStringLiteral("Leia o Código de Barras da Etiqueta do lado esquerdo:"));
    QCOMPARE(bench.op.shown[1].text, QStringLiteral("Leia o Código de Barras da Etiqueta do lado direito:"));
}

void LabelJobsTest::tag5360()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Tag5360;
    QFile conf(home::confFile(bench.home.path()));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("1SERVIDOR\r\n5PEÇA PILOTO\r\n\r\n5ABC\r\n");
    conf.close();
    double qtd = 40;
    QCOMPARE(bench.run(EtiquetaTag5360, qtd), LabelResult::Printed);
    const QString dots(50, QLatin1Char('.'));
    const QString expected =
        P + DirectGap + QStringLiteral("~DG000.GRF,01280,020,<logo>~DG001.GRF,01280,020,<logo>") +
        QStringLiteral("^XA^MMT^PW831^LL0480^LS0") +
        F("^FT", 20, 45, QStringLiteral("^A0N,44,43^FH\\^FDVORLA^FS")) +
        F("^FT", 438, 45, QStringLiteral("^A0N,44,43^FH\\^FDVORLA^FS")) +
        F("^FT", 72, 224, QStringLiteral("^A0N,20,19^FH\\^FDTROCA SÓ COM ETIQUETA^FS")) +
        F("^FT", 28, 201, QStringLiteral("^A0N,20,24^FH\\^FD") + dots + QStringLiteral("^FS")) +
        F("^FT", 491, 224, QStringLiteral("^A0N,20,19^FH\\^FDTROCA SÓ COM ETIQUETA^FS")) +
        F("^FT", 29, 104, QStringLiteral("^A0N,20,16^FH\\^FD") + Descricao33 + QStringLiteral("^FS")) +
        F("^FT", 447, 201, QStringLiteral("^A0N,20,24^FH\\^FD") + dots + QStringLiteral("^FS")) +
        F("^FT", 445, 105, QStringLiteral("^A0N,20,16^FH\\^FD") + Descricao33 + QStringLiteral("^FS")) +
        F("^FT", 646, 82, QStringLiteral("^A0N,20,16^FH\\^FD12#26^FS")) +
        F("^FT", 227, 83, QStringLiteral("^A0N,20,16^FH\\^FD12#26^FS")) +
        F("^FT", 227, 64, QStringLiteral("^A0N,20,16^FH\\^FDFEMININO^FS")) +
        F("^FT", 129, 293, QStringLiteral("^A0N,76,84^FH\\^FD49,90^FS")) +
        F("^FT", 646, 64, QStringLiteral("^A0N,20,16^FH\\^FDFEMININO^FS")) +
        F("^FT", 758, 189, QStringLiteral("^A0N,35,30^FH\\^FDM^FS")) +
        F("^FT", 333, 189, QStringLiteral("^A0N,35,30^FH\\^FDM^FS")) +
        F("^FT", 282, 189, QStringLiteral("^A0N,25,24^FH\\^FDTAM:^FS")) +
        F("^FT", 788, 309, QStringLiteral("^A0B,20,19^FH\\^FDABC^FS")) +
        F("^FT", 376, 309, QStringLiteral("^A0B,20,19^FH\\^FDABC^FS")) +
        F("^FT", 227, 44, QStringLiteral("^A0N,20,19^FH\\^FDVERÃO 2027^FS")) +
        F("^FT", 646, 45, QStringLiteral("^A0N,20,19^FH\\^FDVERÃO 2027^FS")) +
        F("^FT", 24, 277, QStringLiteral("^A0B,20,19^FH\\^FD451207^FS")) +
        F("^FT", 700, 189, QStringLiteral("^A0N,25,26^FH\\^FDTAM:^FS")) +
        F("^FT", 443, 277, QStringLiteral("^A0B,20,19^FH\\^FD451207^FS")) +
        F("^BY2,3,43^FT", 25, 157, QStringLiteral("^BCN,,N,N^FD") + CB + QStringLiteral("^FS")) +
        F("^FT", 548, 293, QStringLiteral("^A0N,76,74^FH\\^FD49,90^FS")) +
        F("^FT", 54, 187, QStringLiteral("^A0N,23,24^FH\\^FDAZUL CÉU^FS")) +
        F("^FT", 6, 313, QStringLiteral("^A0N,20,19^FH\\^FDBLUSA DE MALHA COM ESTAMPA^FS")) +
        F("^FT", 27, 71, QStringLiteral("^A0N,17,19^FH\\^FD7891234567890^FS")) +
        F("^FT", 80, 253, QStringLiteral("^A0N,28,28^FH\\^FDR$^FS")) +
        F("^FT", 496, 253, QStringLiteral("^A0N,31,33^FH\\^FDR$^FS")) +
        F("^FT", 425, 313, QStringLiteral("^A0N,20,19^FH\\^FDBLUSA DE MALHA COM ESTAMPA^FS")) +
        F("^FT", 17, 181, QStringLiteral("^A0N,17,19^FH\\^FDCOR:^FS")) +
        F("^FT", 474, 187, QStringLiteral("^A0N,23,24^FH\\^FDAZUL CÉU^FS")) +
        F("^FT", 436, 181, QStringLiteral("^A0N,17,19^FH\\^FDCOR:^FS")) +
        F("^FT", 443, 72, QStringLiteral("^A0N,17,19^FH\\^FD7891234567890^FS")) +
        F("^BY2,3,43^FT", 445, 157, QStringLiteral("^BCN,,N,N^FD") + CB + QStringLiteral("^FS")) +
        QStringLiteral("^PQ0022,0,1,Y^XZ");
    QCOMPARE(withLogosChecked(bench.jobs(1).value(0)), expected);
    QCOMPARE(bench.home.state().ConfLinha5, QStringLiteral("ABC"));
    QCOMPARE(qtd, 22.0);  // (40 + 4) / 2 rows of two tags
    QCOMPARE(bench.op.readLog.size(), 2);
}

void LabelJobsTest::costura5016OneLabel()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Costura5016;
    bench.settings.producao.Check1 = true;
    double qtd = 40;
    QCOMPARE(bench.run(EtiquetaCostura5016, qtd), LabelResult::Printed);
    const QString expected =
        P + TransferCont + QStringLiteral("^XA^MMT^PW400^LL0128^LS0") +
        F("^FT", 140, 125, QStringLiteral("^A0N,17,16^FH\\^FD7891234567890^FS")) +
        F("^FT", 289, 38, QStringLiteral("^A0N,17,16^FH\\^FDTAM: M^FS")) +
        F("^FT", 82, 56, QStringLiteral("^A0N,17,16^FH\\^FD") + Descricao33 + QStringLiteral("^FS")) +
        F("^FT", 8, 10,
          QStringLiteral("^A0N,17,19^FH\\^FD. . . . . . . . . . . . . . . . . . . . . . . . . . . . . . . . ^FS")) +
        F("^FT", 82, 39, QStringLiteral("^A0N,17,16^FH\\^FDAZUL CÉU^FS")) +
        F("^BY2,3,52^FT", 80, 110, QStringLiteral("^BCN,,N,N^FD") + CB + QStringLiteral("^FS")) +
        QStringLiteral("^PQ0044,0,1,Y^XZ");
    QCOMPARE(bench.jobs(1).value(0), expected);
    QCOMPARE(bench.op.shown[0].text, QStringLiteral("Leia o Código de Barras da Etiqueta do lado direito:"));
}

void LabelJobsTest::costura5016SixAcross()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Costura5016;
    bench.settings.producao.Check2 = true;
    double qtd = 40;
    QCOMPARE(bench.run(EtiquetaCostura5016, qtd), LabelResult::Printed);
    QString expected = P + TransferGap + QStringLiteral("^XA^MMT^PW767^LL0400^LS0");
    for (int c = 0; c < 6; ++c) expected += sixAcrossColumn(c);
    expected += QStringLiteral("^PQ0011,0,1,Y^XZ");  // 40 / 6 + 4 = 10.67 rows
    QCOMPARE(bench.jobs(1).value(0), expected);
}

void LabelJobsTest::costura5023()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Costura5023;
    double qtd = 40;
    QCOMPARE(bench.run(EtiquetaCostura5023, qtd), LabelResult::Printed);
    const QString expected =
        P + TransferGap + QStringLiteral("^XA^MMT^PW799^LL0184^LS0") +
        F("^FT", 80, 166, QStringLiteral("^A0N,28,26^FH\\^FD7891234567890^FS")) +
        F("^FT", 285, 38, QStringLiteral("^A0N,23,24^FH\\^FDTAM: M^FS")) +
        F("^FT", 25, 64, QStringLiteral("^A0N,20,19^FH\\^FD") + Descricao33 + QStringLiteral("^FS")) +
        F("^FT", 25, 39, QStringLiteral("^A0N,25,26^FH\\^FDAZUL CÉU^FS")) +
        F("^BY2,3,70^FT", 60, 138, QStringLiteral("^BCN,,N,N^FD") + CB + QStringLiteral("^FS")) +
        F("^FT", 480, 166, QStringLiteral("^A0N,28,26^FH\\^FD7891234567890^FS")) +
        F("^FT", 685, 38, QStringLiteral("^A0N,23,24^FH\\^FDTAM: M^FS")) +
        F("^FT", 420, 64, QStringLiteral("^A0N,20,19^FH\\^FD") + Descricao33 + QStringLiteral("^FS")) +
        F("^FT", 420, 39, QStringLiteral("^A0N,25,26^FH\\^FDAZUL CÉU^FS")) +
        F("^BY2,3,70^FT", 440, 138, QStringLiteral("^BCN,,N,N^FD") + CB + QStringLiteral("^FS")) +
        QStringLiteral("^PQ0040,0,1,Y^XZ");
    QCOMPARE(bench.jobs(1).value(0), expected);
    QCOMPARE(bench.op.readLog.size(), 2);
}

void LabelJobsTest::pack10040Production()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Pack;
    bench.settings.producao.Check1 = true;
    double qtd = 3;
    QCOMPARE(bench.run(EtiquetaPack, qtd), LabelResult::Printed);
    const QString expected = format10040(QStringLiteral("001"), QStringLiteral("003")) +
                             format10040(QStringLiteral("002"), QStringLiteral("003")) +
                             format10040(QStringLiteral("003"), QStringLiteral("003"));
    QCOMPARE(bench.jobs(1).value(0), expected);
    QCOMPARE(qtd, 3.0);
    QVERIFY(bench.op.shown.isEmpty());  // no read-back
}

void LabelJobsTest::pack3423Production()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Pack;
    bench.settings.producao.Check2 = true;
    double qtd = 7;
    QCOMPARE(bench.run(EtiquetaPack, qtd), LabelResult::Printed);
    auto v = [](int n) { return QStringLiteral("00%1").arg(n); };
    const QString total = QStringLiteral("007");
    // Seven volumes: 1-2-3, 4-5-6, and the last one alone in column 1.
    const QString expected = row3423Opening() + column3423(0, v(1), total) + column3423(1, v(2), total) +
                             column3423(2, v(3), total) + QStringLiteral("^PQ1,0,1,Y^XZ") + row3423Opening() +
                             column3423(0, v(4), total) + column3423(1, v(5), total) + column3423(2, v(6), total) +
                             QStringLiteral("^PQ1,0,1,Y^XZ") + row3423Opening() + column3423(0, v(7), total) +
                             QStringLiteral("^PQ1,0,1,Y^XZ");
    QCOMPARE(bench.jobs(1).value(0), expected);
}

void LabelJobsTest::packVolumesOverNineHundredNinetyNine()
{
    LabelSettings settings;
    settings.producaoVisivel = true;
    settings.producaoCaption = labeltype::Pack;
    settings.producao.Check1 = true;
    double qtd = 1200;
    const QString job = jobs::pack(settings, {1, qtd, qtd, false}, qtd, QStringLiteral("10"), 4, orderLine());
    QCOMPARE(int(job.count(QStringLiteral("^XA"))), 1200);
    QVERIFY(job.startsWith(format10040(QStringLiteral("0001"), QStringLiteral("1200"))));
    QVERIFY(job.endsWith(format10040(QStringLiteral("1200"), QStringLiteral("1200"))));
}

void LabelJobsTest::packAdHoc_data()
{
    QTest::addColumn<bool>("layout10040");
    QTest::newRow("100x40") << true;
    QTest::newRow("34x23") << false;
}

void LabelJobsTest::packAdHoc()
{
    QFETCH(bool, layout10040);
    LabelBench bench;
    bench.settings.producaoVisivel = false;
    bench.settings.cbomarca = labeltype::Pack;
    bench.settings.avulso.Check1 = layout10040;
    bench.settings.avulso.Check2 = !layout10040;
    bench.op.inputs.enqueue(QStringLiteral("4"));
    double qtd = 2;  // the quantity typed in the ad-hoc window
    QCOMPARE(bench.run(EtiquetaPack, qtd), LabelResult::Printed);
    QCOMPARE(bench.op.shown.size(), 1);
    QCOMPARE(bench.op.shown[0].text, QStringLiteral("Digite o número a ser impresso:   / total de etiquetas PACK: 9"));
    const QString expected =
        layout10040 ? format10040(QStringLiteral("004"), QStringLiteral("002"))
                    : row3423Opening() + column3423(0, QStringLiteral("004"), QStringLiteral("009")) +
                          column3423(1, QStringLiteral("005"), QStringLiteral("009")) +
                          column3423(2, QStringLiteral("006"), QStringLiteral("009")) + QStringLiteral("^PQ1,0,1,Y^XZ");
    QCOMPARE(bench.jobs(1).value(0), expected);
}

void LabelJobsTest::bytesReachPrinterAsWindows1252()
{
    LabelBench bench;
    bench.settings.producaoCaption = labeltype::Costura5023;
    double qtd = 40;
    QCOMPARE(bench.run(EtiquetaCostura5023, qtd), LabelResult::Printed);
    const QByteArray bytes = bench.printer.waitForJobs(1).value(0);
    QCOMPARE(bytes.at(0), char(0x10));
    QVERIFY(bytes.contains("^FDCAMISETA ALGOD\xC3O ESTAMPA CORA\xC7\xC3O ^FS"));
    QVERIFY(bytes.contains("^FDAZUL C\xC9U^FS"));
    QVERIFY(!bytes.contains("\xC3\x83"));  // no UTF-8 sequences
}

QTEST_GUILESS_MAIN(LabelJobsTest)
#include "tst_label_jobs.moc"
