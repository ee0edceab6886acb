#include "labels/LabelLayouts.h"

using zpl::FieldRow;

namespace {
const QString FT = QStringLiteral("^FT");
const QString Barcode = QStringLiteral("^FD*/CODIGO_BARRAS/*^FS");
} // namespace

namespace layouts {

const QList<FieldRow>& preco5426Single()
{
    static const QList<FieldRow> rows = {
        {FT, QStringLiteral("^A0N,34,23^FH\\^FDVORLA^FS"), {{34, 34}}},
        {FT, QStringLiteral("^A0N,48,55^FH\\^FD*/TAMANHO/*^FS"), {{320, 120}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FD*/DATA/*^FS"), {{312, 67}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FD*/CATEGORIA/*^FS"), {{311, 47}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FD*/COLECAO/*^FS"), {{311, 27}}},
        {FT, QStringLiteral("^A0N,48,48^FH\\^FD*/PRECO/*^FS"), {{294, 175}}},
        {FT, QStringLiteral("^A0B,18,14^FH\\^FD*/LOTE/*^FS"), {{54, 175}}},
        {FT, QStringLiteral("^A0N,23,19^FH\\^FDR$^FS"), {{272, 175}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/TIPO_PROD2/*^FS"), {{73, 168}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FDCOR: */CODIG_COR/*^FS"), {{73, 149}}},
        {FT, QStringLiteral("^A0N,16,14^FH\\^FD*/DESCRICAO/*^FS"), {{34, 72}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FD*/CODIG_BARR/*^FS"), {{34, 55}}},
        {QStringLiteral("^BY2,3,52^FT"), QStringLiteral("^BCN,,N,N") + Barcode, {{38, 127}}},
    };
    return rows;
}

const QList<FieldRow>& preco5426FourAcross()
{
    static const QList<FieldRow> rows = {
        {FT, QStringLiteral("^A0R,44,33^FH\\^FDVORLA^FS"), {{152, 27}, {360, 27}, {568, 27}, {776, 27}}},
        {FT, QStringLiteral("^A0R,19,19^FH\\^FD*/DATA/*^FS"), {{134, 288}, {342, 288}, {550, 288}, {757, 288}}},
        {FT, QStringLiteral("^A0R,19,19^FH\\^FD*/CATEGORIA/*^FS"), {{154, 288}, {362, 288}, {570, 288}, {777, 288}}},
        {FT, QStringLiteral("^A0R,19,19^FH\\^FD*/COLECAO/*^FS"), {{176, 288}, {384, 288}, {592, 287}, {799, 289}}},
        {FT, QStringLiteral("^A0R,19,19^FH\\^FD*/DESCRICAO/*^FS"), {{117, 25}, {325, 25}, {533, 25}, {740, 25}}},
        {FT, QStringLiteral("^A0R,19,19^FH\\^FD*/TIPO_PROD/*^FS"), {{14, 28}, {222, 28}, {430, 28}, {637, 28}}},
        {FT, QStringLiteral("^A0R,42,91^FH\\^FD*/TAMANHO/*^FS"), {{77, 311}, {285, 311}, {493, 311}, {700, 311}}},
        {FT, QStringLiteral("^A0R,55,33^FH\\^FDR$ */PRECO/*^FS"), {{14, 259}, {222, 259}, {430, 259}, {637, 259}}},
        {FT, QStringLiteral("^A0R,19,19^FH\\^FDCOR: */CODIG_COR/*^FS"), {{37, 28}, {245, 28}, {453, 28}, {660, 28}}},
        {FT, QStringLiteral("^A0R,17,19^FH\\^FD*/CODIG_BARR/*^FS"), {{136, 25}, {344, 25}, {552, 25}, {759, 25}}},
        {QStringLiteral("^BY2,3,56^FT"), QStringLiteral("^BCR,,N,N") + Barcode, {{57, 27}, {265, 27}, {473, 27}, {680, 27}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FD*/LOTE/*^FS"), {{81, 410}, {289, 410}, {497, 410}, {704, 410}}},
    };
    return rows;
}

const QList<FieldRow>& basket3225()
{
    static const QList<FieldRow> rows = {
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/DATA/*^FS"), {{134, 66}, {430, 66}, {700, 66}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/TAMANHO/*^FS"), {{203, 68}, {489, 68}, {769, 68}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/CATEGORIA/*^FS"), {{134, 46}, {430, 46}, {700, 46}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/COLECAO/*^FS"), {{134, 29}, {430, 29}, {700, 29}}},
        {FT, QStringLiteral("^A0N,23,28^FH\\^FD*/PRECO/*^FS"), {{177, 191}, {473, 191}, {753, 191}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FD*/CATEGORIA/*^FS"), {{9, 192}, {305, 192}, {585, 192}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FDCOR: */CODIG_COR/*^FS"), {{10, 172}, {306, 172}, {586, 172}}},
        {FT, QStringLiteral("^A0N,23,24^FH\\^FDR$^FS"), {{144, 189}, {440, 189}, {720, 189}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FD*/CODIG_BARR/*^FS"), {{86, 155}, {382, 155}, {662, 155}}},
        {FT, QStringLiteral("^A0N,17,12^FH\\^FD*/DESCRICAO/*^FS"), {{16, 85}, {312, 85}, {592, 85}}},
        {FT, QStringLiteral("^A0N,39,40^FH\\^FDVORLA^FS"), {{6, 52}, {302, 52}, {582, 52}}},
        {QStringLiteral("^BY2,3,48^FT"), QStringLiteral("^BCN,,N,N") + Barcode, {{16, 139}, {312, 139}, {592, 139}}},
    };
    return rows;
}

const QList<FieldRow>& tag5360()
{
    static const QString dots = QString(50, QLatin1Char('.'));
    static const QList<FieldRow> rows = {
        {FT, QStringLiteral("^A0N,44,43^FH\\^FDVORLA^FS"), {{20, 45}}},
        {FT, QStringLiteral("^A0N,44,43^FH\\^FDVORLA^FS"), {{438, 45}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/MENSAGEM/*^FS"), {{72, 224}}},
        {FT, QStringLiteral("^A0N,20,24^FH\\^FD") + dots + QStringLiteral("^FS"), {{28, 201}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/MENSAGEM/*^FS"), {{491, 224}}},
        {FT, QStringLiteral("^A0N,20,16^FH\\^FD*/DESCRICAO/*^FS"), {{29, 104}}},
        {FT, QStringLiteral("^A0N,20,24^FH\\^FD") + dots + QStringLiteral("^FS"), {{447, 201}}},
        {FT, QStringLiteral("^A0N,20,16^FH\\^FD*/DESCRICAO/*^FS"), {{445, 105}}},
        {FT, QStringLiteral("^A0N,20,16^FH\\^FD*/DATA/*^FS"), {{646, 82}}},
        {FT, QStringLiteral("^A0N,20,16^FH\\^FD*/DATA/*^FS"), {{227, 83}}},
        {FT, QStringLiteral("^A0N,20,16^FH\\^FD*/CATEGORIA/*^FS"), {{227, 64}}},
        {FT, QStringLiteral("^A0N,76,84^FH\\^FD*/PRECO/*^FS"), {{129, 293}}},
        {FT, QStringLiteral("^A0N,20,16^FH\\^FD*/CATEGORIA/*^FS"), {{646, 64}}},
        {FT, QStringLiteral("^A0N,35,30^FH\\^FD*/TAMANHO/*^FS"), {{758, 189}}},
        {FT, QStringLiteral("^A0N,35,30^FH\\^FD*/TAMANHO/*^FS"), {{333, 189}}},
        {FT, QStringLiteral("^A0N,25,24^FH\\^FDTAM:^FS"), {{282, 189}}},
        {FT, QStringLiteral("^A0B,20,19^FH\\^FD") + zpl::ConfLinha5Mark + QStringLiteral("^FS"), {{788, 309}}},
        {FT, QStringLiteral("^A0B,20,19^FH\\^FD") + zpl::ConfLinha5Mark + QStringLiteral("^FS"), {{376, 309}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/COLECAO/*^FS"), {{227, 44}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/COLECAO/*^FS"), {{646, 45}}},
        {FT, QStringLiteral("^A0B,20,19^FH\\^FD*/LOTE/*^FS"), {{24, 277}}},
        {FT, QStringLiteral("^A0N,25,26^FH\\^FDTAM:^FS"), {{700, 189}}},
        {FT, QStringLiteral("^A0B,20,19^FH\\^FD*/LOTE/*^FS"), {{443, 277}}},
        {QStringLiteral("^BY2,3,43^FT"), QStringLiteral("^BCN,,N,N") + Barcode, {{25, 157}}},
        {FT, QStringLiteral("^A0N,76,74^FH\\^FD*/PRECO/*^FS"), {{548, 293}}},
        {FT, QStringLiteral("^A0N,23,24^FH\\^FD*/CODIG_COR/*^FS"), {{54, 187}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/TIPO_PROD/*^FS"), {{6, 313}}},
        {FT, QStringLiteral("^A0N,17,19^FH\\^FD*/CODIG_BARR/*^FS"), {{27, 71}}},
        {FT, QStringLiteral("^A0N,28,28^FH\\^FDR$^FS"), {{80, 253}}},
        {FT, QStringLiteral("^A0N,31,33^FH\\^FDR$^FS"), {{496, 253}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/TIPO_PROD/*^FS"), {{425, 313}}},
        {FT, QStringLiteral("^A0N,17,19^FH\\^FDCOR:^FS"), {{17, 181}}},
        {FT, QStringLiteral("^A0N,23,24^FH\\^FD*/CODIG_COR/*^FS"), {{474, 187}}},
        {FT, QStringLiteral("^A0N,17,19^FH\\^FDCOR:^FS"), {{436, 181}}},
        {FT, QStringLiteral("^A0N,17,19^FH\\^FD*/CODIG_BARR/*^FS"), {{443, 72}}},
        {QStringLiteral("^BY2,3,43^FT"), QStringLiteral("^BCN,,N,N") + Barcode, {{445, 157}}},
    };
    return rows;
}

const QList<FieldRow>& costura5016Single()
{
    static const QList<FieldRow> rows = {
        {FT, QStringLiteral("^A0N,17,16^FH\\^FD*/CODIG_BARR/*^FS"), {{140, 125}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FDTAM: */TAMANHO/*^FS"), {{289, 38}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FD*/DESCRICAO/*^FS"), {{82, 56}}},
        {FT, QStringLiteral("^A0N,17,19^FH\\^FD") + QStringLiteral(". ").repeated(32) + QStringLiteral("^FS"), {{8, 10}}},
        {FT, QStringLiteral("^A0N,17,16^FH\\^FD*/CODIG_COR/*^FS"), {{82, 39}}},
        {QStringLiteral("^BY2,3,52^FT"), QStringLiteral("^BCN,,N,N") + Barcode, {{80, 110}}},
    };
    return rows;
}

const QList<FieldRow>& costura5016SixAcross()
{
    static const QList<FieldRow> rows = {
        {FT, QStringLiteral("^A0R,17,16^FH\\^FD*/CODIG_BARR/*^FS"),
         {{3, 163}, {131, 163}, {259, 163}, {387, 163}, {514, 163}, {642, 163}}},
        {FT, QStringLiteral("^A0R,17,16^FH\\^FDTAM: */TAMANHO/*^FS"),
         {{91, 311}, {219, 311}, {347, 311}, {475, 311}, {602, 311}, {730, 311}}},
        {FT, QStringLiteral("^A0R,17,16^FH\\^FD*/DESCRICAO/*^FS"),
         {{73, 105}, {201, 105}, {329, 105}, {457, 105}, {584, 105}, {712, 105}}},
        {FT, QStringLiteral("^A0R,17,16^FH\\^FD*/CODIG_COR/*^FS"),
         {{89, 105}, {217, 105}, {345, 105}, {473, 105}, {600, 105}, {728, 105}}},
        {QStringLiteral("^BY2,3,52^FT"), QStringLiteral("^BCR,,N,N") + Barcode,
         {{19, 102}, {147, 102}, {275, 102}, {403, 102}, {530, 102}, {658, 102}}},
    };
    return rows;
}

const QList<FieldRow>& costura5023()
{
    static const QList<FieldRow> rows = {
        {FT, QStringLiteral("^A0N,28,26^FH\\^FD*/CODIG_BARR/*^FS"), {{80, 166}, {480, 166}}},
        {FT, QStringLiteral("^A0N,23,24^FH\\^FDTAM: */TAMANHO/*^FS"), {{285, 38}, {685, 38}}},
        {FT, QStringLiteral("^A0N,20,19^FH\\^FD*/DESCRICAO/*^FS"), {{25, 64}, {420, 64}}},
        {FT, QStringLiteral("^A0N,25,26^FH\\^FD*/CODIG_COR/*^FS"), {{25, 39}, {420, 39}}},
        {QStringLiteral("^BY2,3,70^FT"), QStringLiteral("^BCN,,N,N") + Barcode, {{60, 138}, {440, 138}}},
    };
    return rows;
}

const QList<FieldRow>& pack10040()
{
    static const QString qrData = QStringLiteral("^FH\\^FDLA,*/PROMOCIONAL/*|*/PRODUTO/*|*/LOTE/*|");
    static const QList<FieldRow> rows = {
        {FT, QStringLiteral("^BQN,2,4") + qrData + zpl::VolumeMark + QStringLiteral("^FS"), {{77, 170}}},
        {FT, QStringLiteral("^A0N,28,28^FH\\^FDVol: ") + zpl::VolumeMark + QStringLiteral("  / */DIV/*^FS"), {{54, 302}}},
        {FT, QStringLiteral("^A0N,28,28^FH\\^FDQtd.          */DIV/*^FS"), {{51, 270}}},
        {FT, QStringLiteral("^A0N,28,28^FH\\^FDProduto: */PRODUTO/*^FS"), {{48, 253}}},
        {FT, QStringLiteral("^A0N,28,28^FH\\^FDPedido: */LOTE/*^FS"), {{50, 220}}},
        {FT, QStringLiteral("^A0N,28,28^FH\\^FD*/PROMOCIONAL/*|*/PRODUTO/*|*/LOTE/*|") + zpl::VolumeMark +
                 QStringLiteral("^FS"),
         {{323, 89}}},
    };
    return rows;
}

const QList<FieldRow>& pack3423()
{
    static const QList<FieldRow> rows = {
        {FT,
         QStringLiteral("^BQN,2,5^FH\\^FDLA,*/PROMOCIONAL/*|*/PRODUTO/*|*/LOTE/*|") + zpl::VolumeMark +
             QStringLiteral("^FS"),
         {{37, 195}, {315, 200}, {600, 200}}},
        {FT, QStringLiteral("^A0B,70,70^FH\\^FD*/PROMOCIONAL/*^FS"), {{228, 190}, {506, 190}, {797, 190}}},
        {FT, QStringLiteral("^A0B,28,28^FH\\^FD*/LOTE/*^FS"), {{208, 140}, {486, 140}, {777, 140}}},
        {FT, QStringLiteral("^A0B,28,28^FH\\^FD*/PRODUTO/*^FS"), {{234, 140}, {510, 140}, {804, 140}}},
        {FT, QStringLiteral("^A0B,28,28^FH\\^FD") + zpl::VolumeMark + QStringLiteral("/") + zpl::TotalMark +
                 QStringLiteral(" ^FS"),
         {{258, 140}, {536, 140}, {827, 140}}},
    };
    return rows;
}

} // namespace layouts
