#pragma once

#include <QByteArray>
#include <QString>

// The logo bitmaps that the sticker and the tag download into the printer ("~DG"), and
// the printer's compressed hexadecimal form of a bitmap.
namespace logo {

// A monochrome bitmap, one bit per dot (1 = black), rows of whole bytes, the leftmost
// dot in the high bit.
struct Bitmap {
    int widthDots = 0;
    int heightDots = 0;
    QByteArray bits;  // bytesPerRow() * heightDots bytes

    int bytesPerRow() const { return (widthDots + 7) / 8; }
    void fill(int x, int y, int w, int h);  // blackens a rectangle, clipped to the bitmap
    bool dot(int x, int y) const;
};

// The customer's name drawn from a built-in pixel font, centred: the same bits on
// every machine, whatever fonts are installed. `framed` adds a border.
Bitmap customerName(int widthDots, int heightDots, bool framed);

// ZPL ASCII compression, row by row: runs as a count letter (G-Y = 1-19, g-z = 20-400)
// before the hex digit, "," = the rest of the row white, "!" = the rest black,
// ":" = the same as the row before.
QString compressedHex(const Bitmap& bitmap);

// "~DG" + name + "," + total bytes (5 digits) + "," + bytes per row (3 digits) + "," + data.
QString download(const QString& name, const Bitmap& bitmap);

// The sticker's 128 x 64 logo (000.GRF) and the tag's two 160 x 64 logos (000.GRF, 001.GRF).
QString stickerLogoDownload();
QString tagLogoDownloads();

} // namespace logo
