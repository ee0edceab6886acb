#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Barcode symbols as a grid of modules, encoded by libzint.
namespace render {

struct Symbol {
    int rows = 0;
    int columns = 0;
    QVector<bool> dark; // rows * columns, row by row
    QString error;      // libzint's reason when nothing could be encoded

    bool module(int row, int column) const { return dark.at(row * columns + column); }
};

// Code 128 of `data` (bytes as printed). The subset is libzint's choice: the decoded
// content is the same whichever subsets the job asked for.
Symbol code128(const QByteArray& data);

// QR Code, model 2, of `data` at an error level 'L', 'M', 'Q' or 'H'.
Symbol qrCode(const QByteArray& data, char errorLevel);

} // namespace render
