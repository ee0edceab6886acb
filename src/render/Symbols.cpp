#include "render/Symbols.h"

#include <zint.h>

#include <QtMath>

#include <cmath>
#include <memory>

namespace render {

namespace {
struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

// libzint keeps each row of modules as bits, the first module in the lowest bit.
bool moduleSet(const zint_symbol& symbol, int row, int column) {
    return (symbol.encoded_data[row][column >> 3] >> (column & 7)) & 1;
}

struct Options {
    int option1 = -1;
    int option2 = 0;
    int option3 = 0;
    int inputMode = DATA_MODE;
};

Symbol encode(int symbology, const QByteArray& data, Options options = {}) {
    Symbol out;
    if (data.isEmpty()) {
        out.error = QStringLiteral("sem dados");
        return out;
    }
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        out.error = QStringLiteral("sem memória");
        return out;
    }
    symbol->symbology = symbology;
    symbol->input_mode = options.inputMode;
    symbol->option_1 = options.option1;
    symbol->option_2 = options.option2;
    symbol->option_3 = options.option3;
    const int status = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                                       int(data.size()));
    if (status >= ZINT_ERROR) {
        out.error = QString::fromLatin1(symbol->errtxt);
        return out;
    }
    out.rows = symbol->rows;
    out.columns = symbol->width;
    out.text = QByteArray(reinterpret_cast<const char*>(symbol->text));
    out.dark.resize(out.rows * out.columns);
    for (int r = 0; r < out.rows; ++r)
        for (int c = 0; c < out.columns; ++c)
            out.dark[r * out.columns + c] = moduleSet(*symbol, r, c);
    return out;
}
} // namespace

Symbol code128(const QByteArray& data) {
    return encode(BARCODE_CODE128, data);
}

Symbol gs1_128(const QByteArray& data) {
    QByteArray bracketed = data;
    bracketed.replace('(', '[').replace(')', ']');
    return encode(BARCODE_GS1_128, bracketed, {-1, 0, 0, GS1_MODE});
}

Symbol qrCode(const QByteArray& data, char errorLevel) {
    const int level = errorLevel == 'L' ? 1 : errorLevel == 'M' ? 2 : errorLevel == 'Q' ? 3 : 4;
    return encode(BARCODE_QRCODE, data, {level, 0, 0});
}

Symbol ean13(const QByteArray& digits) {
    return encode(BARCODE_EANX, digits);
}

Symbol upcA(const QByteArray& digits) {
    return encode(BARCODE_UPCA, digits);
}

Symbol ean8(const QByteArray& digits) {
    return encode(BARCODE_EANX, digits);
}

Symbol code93(const QByteArray& data) {
    return encode(BARCODE_CODE93, data);
}

Symbol codabar(const QByteArray& data, char start, char stop) {
    return encode(BARCODE_CODABAR, start + data + stop);
}

Symbol microPdf417(const QByteArray& data) {
    return encode(BARCODE_MICROPDF417, data);
}

Symbol aztec(const QByteArray& data) {
    return encode(BARCODE_AZTEC, data);
}

Shapes maxiCode(const QByteArray& data, int mode, const QByteArray& primary, qreal width) {
    Shapes out;
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        out.error = QStringLiteral("sem memória");
        return out;
    }
    symbol->symbology = BARCODE_MAXICODE;
    symbol->input_mode = DATA_MODE;
    symbol->option_1 = mode;
    qstrncpy(symbol->primary, primary.constData(), sizeof(symbol->primary));
    const int status = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()), int(data.size()), 0);
    if (status >= ZINT_ERROR || !symbol->vector) {
        out.error = QString::fromLatin1(symbol->errtxt);
        return out;
    }
    const zint_vector& v = *symbol->vector;
    const qreal k = width / std::max(v.width, 1.0f);
    out.size = QSizeF(v.width * k, v.height * k);
    for (const zint_vector_hexagon* h = v.hexagons; h; h = h->next) {
        QPolygonF hexagon;
        const qreal r = h->diameter * k / 2;
        const qreal turn = (h->rotation == 0 || h->rotation == 180) ? -90 : 0;
        for (int i = 0; i < 6; ++i) {
            const qreal a = qDegreesToRadians(turn + 60 * i);
            hexagon << QPointF(h->x * k + r * std::cos(a), h->y * k + r * std::sin(a));
        }
        QPainterPath path;
        path.addPolygon(hexagon);
        path.closeSubpath();
        out.shapes.emplace_back(path, false);
    }
    for (const zint_vector_circle* c = v.circles; c; c = c->next) {
        QPainterPath path;
        const QPointF centre(c->x * k, c->y * k);
        const qreal outer = (c->diameter + c->width) * k / 2;
        path.addEllipse(centre, outer, outer);
        if (c->width > 0) {
            const qreal inner = (c->diameter - c->width) * k / 2;
            path.addEllipse(centre, inner, inner);
            path.setFillRule(Qt::OddEvenFill);
        }
        out.shapes.emplace_back(path, c->colour != 0);
    }
    return out;
}

Symbol code39(const QByteArray& data, bool check) {
    return encode(BARCODE_CODE39, data, {-1, check ? 1 : 0, 0});
}

Symbol interleaved2of5(const QByteArray& digits, bool check) {
    return encode(BARCODE_C25INTER, digits, {-1, check ? 1 : 0, 0});
}

Symbol dataMatrix(const QByteArray& data, int columns, int rows) {
    // libzint numbers the ECC 200 sizes 1-24 (square, 10x10 up) and 25-30 (rectangles).
    static const int Sizes[][3] = {{10, 10, 1},   {12, 12, 2},   {14, 14, 3},   {16, 16, 4},  {18, 18, 5},
                                   {20, 20, 6},   {22, 22, 7},   {24, 24, 8},   {26, 26, 9},  {32, 32, 10},
                                   {36, 36, 11},  {40, 40, 12},  {44, 44, 13},  {48, 48, 14}, {52, 52, 15},
                                   {64, 64, 16},  {72, 72, 17},  {80, 80, 18},  {88, 88, 19}, {96, 96, 20},
                                   {104, 104, 21}, {120, 120, 22}, {132, 132, 23}, {144, 144, 24}, {8, 18, 25},
                                   {8, 32, 26},   {12, 26, 27},  {12, 36, 28},  {16, 36, 29}, {16, 48, 30}};
    int size = 0;
    for (const auto& s : Sizes)
        if (s[0] == rows && s[1] == columns) size = s[2];
    return encode(BARCODE_DATAMATRIX, data, {-1, size, size ? 0 : DM_SQUARE});
}

Symbol pdf417(const QByteArray& data, int security, int columns, int rows, bool truncated) {
    return encode(truncated ? BARCODE_PDF417COMP : BARCODE_PDF417, data,
                  {security > 0 ? security : -1, columns, rows});
}

} // namespace render
