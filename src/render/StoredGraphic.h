#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Graphics downloaded into the printer ("~DG"): the name as the printer files it and the
// picture decoded from the printer's compressed hexadecimal form.
namespace render {

// "R:LOGO" and "logo.grf" both become "LOGO.GRF".
QString graphicName(const QByteArray& name);

// Decodes `data` into `totalBytes` bytes in rows of `bytesPerRow` bytes: hex digits, each
// optionally after a repeat count (G-Y = 1-19, g-z = 20-400), "," = the rest of the row
// white, "!" = the rest of the row black, ":" = the row before again. Empty when the
// data is malformed or does not fill exactly `totalBytes` bytes.
QByteArray decodeGraphicData(const QByteArray& data, int bytesPerRow, int totalBytes);

// As decodeGraphicData, and also the printer's base64 forms ":B64:data:crc" (the bytes
// themselves) and ":Z64:data:crc" (the bytes compressed with zlib); the check value is
// not verified.
QByteArray decodeGraphicField(const QByteArray& data, int bytesPerRow, int totalBytes);

// The graphic as an image whose black dots are opaque and white dots transparent, as
// the print head leaves white dots alone.
QImage graphicImage(const QByteArray& bits, int bytesPerRow);

} // namespace render
