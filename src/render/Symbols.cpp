#include "render/Symbols.h"

#include <zint.h>

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

Symbol encode(int symbology, int option1, const QByteArray& data) {
    Symbol out;
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        out.error = QStringLiteral("sem memória");
        return out;
    }
    symbol->symbology = symbology;
    symbol->input_mode = DATA_MODE;
    symbol->option_1 = option1;
    const int status = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                                       int(data.size()));
    if (status >= ZINT_ERROR) {
        out.error = QString::fromLatin1(symbol->errtxt);
        return out;
    }
    out.rows = symbol->rows;
    out.columns = symbol->width;
    out.dark.resize(out.rows * out.columns);
    for (int r = 0; r < out.rows; ++r)
        for (int c = 0; c < out.columns; ++c)
            out.dark[r * out.columns + c] = moduleSet(*symbol, r, c);
    return out;
}
} // namespace

Symbol code128(const QByteArray& data) {
    if (data.isEmpty()) return Symbol{0, 0, {}, QStringLiteral("sem dados")};
    return encode(BARCODE_CODE128, -1, data);
}

Symbol qrCode(const QByteArray& data, char errorLevel) {
    const int level = errorLevel == 'L' ? 1 : errorLevel == 'M' ? 2 : errorLevel == 'Q' ? 3 : 4;
    if (data.isEmpty()) return Symbol{0, 0, {}, QStringLiteral("sem dados")};
    return encode(BARCODE_QRCODE, level, data);
}

} // namespace render
