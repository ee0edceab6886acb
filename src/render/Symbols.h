#pragma once

#include <QByteArray>
#include <QPainterPath>
#include <QString>
#include <QVector>

#include <utility>
#include <vector>

// Barcode symbols as a grid of modules, encoded by libzint (Code 128 as the printer
// builds it is in Code128.h).
namespace render {

struct Symbol {
    int rows = 0;
    int columns = 0;
    QVector<bool> dark; // rows * columns, row by row
    QByteArray text;    // the human-readable text libzint gives the symbol
    QString error;      // libzint's reason when nothing could be encoded

    bool module(int row, int column) const { return dark.at(row * columns + column); }
};

// Code 128 of `data` (bytes as printed), subsets chosen by libzint.
Symbol code128(const QByteArray& data);

// GS1-128 of element strings written "(01)0950...(10)ABC", application identifiers in
// parentheses.
Symbol gs1_128(const QByteArray& data);

// QR Code, model 2, of `data` at an error level 'L', 'M', 'Q' or 'H'.
Symbol qrCode(const QByteArray& data, char errorLevel);

// EAN-13 of 12 digits and UPC-A of 11, the check digit added.
Symbol ean13(const QByteArray& digits);
Symbol upcA(const QByteArray& digits);
// EAN-8 of 7 digits, the check digit added.
Symbol ean8(const QByteArray& digits);
// Code 93 with its two check characters.
Symbol code93(const QByteArray& data);
// Codabar of `data` between the start and stop characters.
Symbol codabar(const QByteArray& data, char start, char stop);
// MicroPDF417, its size libzint's choice.
Symbol microPdf417(const QByteArray& data);
// Aztec Code, its size libzint's choice.
Symbol aztec(const QByteArray& data);

// A symbol of round and hexagonal shapes, in dots: each shape with whether it is white.
struct Shapes {
    std::vector<std::pair<QPainterPath, bool>> shapes;
    QSizeF size;
    QString error;
};
// MaxiCode in `mode` (2 to 6), `width` dots wide; for modes 2 and 3, `primary` is the
// postal code, country and service class as libzint takes them.
Shapes maxiCode(const QByteArray& data, int mode, const QByteArray& primary, qreal width);
// Code 39, with its modulo 43 check character when `check`.
Symbol code39(const QByteArray& data, bool check);
// Interleaved 2 of 5 (a leading 0 added to an odd count), with its check digit when `check`.
Symbol interleaved2of5(const QByteArray& digits, bool check);
// Data Matrix ECC 200, square unless a size is asked for (0: the smallest that fits).
Symbol dataMatrix(const QByteArray& data, int columns, int rows);
// PDF417 (truncated when `truncated`); security level, columns and rows 0: libzint's choice.
Symbol pdf417(const QByteArray& data, int security, int columns, int rows, bool truncated);

} // namespace render
