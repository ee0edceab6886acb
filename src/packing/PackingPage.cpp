#include "packing/PackingPage.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

struct Placed {
    int row = 0;
    qreal x = 0;
    QString text;
};

QFont pageFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Rows and x positions of every piece; `right` receives the widest line's extent.
QList<Placed> place(const QList<PrintLine>& lines, const QFontMetricsF& fm, qreal& right)
{
    const qreal column = fm.averageCharWidth();
    const qreal gap = fm.horizontalAdvance(QLatin1Char(' '));
    QList<Placed> placed;
    int row = 0;
    right = 0;
    for (const PrintLine& line : lines) {
        qreal cursor = 0;
        bool first = true;
        for (const PrintPiece& piece : line) {
            const qreal x = (piece.column - 1) * column;
            if (!first && cursor + gap > x) ++row;  // the text before reaches this column
            placed << Placed{row, x, piece.text};
            cursor = x + fm.horizontalAdvance(piece.text);
            right = std::max(right, cursor);
            first = false;
        }
        ++row;
    }
    return placed;
}

} // namespace

bool paintPackingDocument(QPagedPaintDevice& device, const QList<PrintLine>& lines)
{
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QFont font = pageFont();
    painter.setFont(font);
    const QFontMetricsF fm(font, &device);

    qreal right = 0;
    const QList<Placed> placed = place(lines, fm, right);
    qreal scale = 1;
    if (right > device.width()) scale = device.width() / right;
    painter.scale(scale, scale);
    const qreal pageHeight = device.height() / scale;
    const int rowsPerPage = std::max(1, int(pageHeight / fm.lineSpacing()));

    int page = 0;
    for (const Placed& p : placed) {
        const int onPage = p.row / rowsPerPage;
        while (page < onPage) {
            device.newPage();
            ++page;
        }
        const qreal baseline = (p.row % rowsPerPage) * fm.lineSpacing() + fm.ascent();
        painter.drawText(QPointF(p.x, baseline), p.text);
    }
    return painter.end();
}
