#include "labels/GraphicLogo.h"

#include <array>

namespace logo {

void Bitmap::fill(int x, int y, int w, int h)
{
    for (int row = std::max(0, y); row < std::min(heightDots, y + h); ++row)
        for (int col = std::max(0, x); col < std::min(widthDots, x + w); ++col)
            bits[row * bytesPerRow() + col / 8] = char(quint8(bits[row * bytesPerRow() + col / 8]) | (0x80 >> (col % 8)));
}

bool Bitmap::dot(int x, int y) const
{
    return quint8(bits[y * bytesPerRow() + x / 8]) & (0x80 >> (x % 8));
}

namespace {

// 5 x 7 letters of the customer's name, one text row per pixel row.
using Glyph = std::array<const char*, 7>;
const std::array<Glyph, 5> Vorla = {{
    {"X...X", "X...X", "X...X", "X...X", ".X.X.", ".X.X.", "..X.."},
    {".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."},
    {"XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"},
    {"X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"},
    {".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"},
}};

QChar hexDigit(int value)
{
    return QLatin1Char("0123456789ABCDEF"[value]);
}

// The repeat count written before a hex digit: g-z for twenties, G-Y for the rest.
QString repeatCount(int count)
{
    QString text;
    while (count > 400) {
        text += QLatin1Char('z');
        count -= 400;
    }
    if (count >= 20) text += QChar(u'f' + count / 20);
    if (count % 20) text += QChar(u'F' + count % 20);
    return text;
}

QString compressRow(const QString& hex)
{
    QString body = hex;
    QString tail;
    if (body.endsWith(QLatin1Char('0'))) {
        while (body.endsWith(QLatin1Char('0'))) body.chop(1);
        tail = QStringLiteral(",");
    } else if (body.endsWith(QLatin1Char('F'))) {
        while (body.endsWith(QLatin1Char('F'))) body.chop(1);
        tail = QStringLiteral("!");
    }
    QString out;
    for (int i = 0; i < body.size();) {
        int run = 1;
        while (i + run < body.size() && body.at(i + run) == body.at(i)) ++run;
        if (run > 1) out += repeatCount(run);
        out += body.at(i);
        i += run;
    }
    return out + tail;
}

} // namespace

Bitmap customerName(int widthDots, int heightDots, bool framed)
{
    Bitmap bitmap{widthDots, heightDots, QByteArray((widthDots + 7) / 8 * heightDots, '\0')};
    constexpr int gap = 1;  // font pixels between letters
    const int textPixels = int(Vorla.size()) * (5 + gap) - gap;
    const int scale = std::max(1, std::min(widthDots / textPixels, heightDots / 7));  // dots per font pixel
    const int textWidth = textPixels * scale;
    const int left = (widthDots - textWidth) / 2;
    const int top = (heightDots - 7 * scale) / 2;
    for (int letter = 0; letter < int(Vorla.size()); ++letter)
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (Vorla[letter][row][col] == 'X')
                    bitmap.fill(left + (letter * (5 + gap) + col) * scale, top + row * scale, scale, scale);
    if (framed) {
        bitmap.fill(0, 0, widthDots, 3);
        bitmap.fill(0, heightDots - 3, widthDots, 3);
        bitmap.fill(0, 0, 3, heightDots);
        bitmap.fill(widthDots - 3, 0, 3, heightDots);
    }
    return bitmap;
}

QString compressedHex(const Bitmap& bitmap)
{
    QString out;
    QString previous;
    for (int row = 0; row < bitmap.heightDots; ++row) {
        QString hex;
        for (int i = 0; i < bitmap.bytesPerRow(); ++i) {
            const int byte = quint8(bitmap.bits[row * bitmap.bytesPerRow() + i]);
            hex += hexDigit(byte >> 4);
            hex += hexDigit(byte & 0xF);
        }
        out += (row > 0 && hex == previous) ? QStringLiteral(":") : compressRow(hex);
        previous = hex;
    }
    return out;
}

QString download(const QString& name, const Bitmap& bitmap)
{
    const int total = bitmap.bytesPerRow() * bitmap.heightDots;
    return QStringLiteral("~DG") + name + QLatin1Char(',') +
           QString::number(total).rightJustified(5, QLatin1Char('0')) + QLatin1Char(',') +
           QString::number(bitmap.bytesPerRow()).rightJustified(3, QLatin1Char('0')) + QLatin1Char(',') +
           compressedHex(bitmap);
}

QString stickerLogoDownload()
{
    static const QString text = download(QStringLiteral("000.GRF"), customerName(128, 64, false));
    return text;
}

QString tagLogoDownloads()
{
    static const QString text = download(QStringLiteral("000.GRF"), customerName(160, 64, false)) +
                                download(QStringLiteral("001.GRF"), customerName(160, 64, true));
    return text;
}

} // namespace logo
