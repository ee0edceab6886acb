#include "packing/PackingPage.h"

#include <QFontMetricsF>
#include <QPageLayout>
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

// Where the text may go, in the painter's coordinates: the device's printable area (its
// page layout's paint rectangle, where the painter's origin is), kept at least
// kSafeMarginMm from every edge of the paper. A PDF "printer" or a printer that claims
// borderless printing lets its paint rectangle reach the edge or nearly, and the page
// printer that later prints the sheet cuts what is there.
constexpr qreal kSafeMarginMm = 10;

QRectF printableArea(QPagedPaintDevice& device)
{
    const QPageLayout layout = device.pageLayout();
    const int dpi = device.logicalDpiX();
    const QRectF paper = layout.fullRectPixels(dpi);
    const QRectF paint = layout.paintRectPixels(dpi);
    const qreal margin = kSafeMarginMm / 25.4 * dpi;
    const QRectF area = paint.intersected(paper.adjusted(margin, margin, -margin, -margin));
    return area.translated(-paint.topLeft());
}

} // namespace

bool paintPackingDocument(QPagedPaintDevice& device, const QList<PrintLine>& lines)
{
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QFont font = pageFont();
    painter.setFont(font);
    const QFontMetricsF fm(font, &device);

    // Column 1 starts at the printable area's left edge; when the widest line passes its
    // right edge, the whole document's text is scaled down to fit, positions and order kept.
    const QRectF area = printableArea(device);
    qreal right = 0;
    const QList<Placed> placed = place(lines, fm, right);
    qreal scale = 1;
    if (right > area.width()) scale = area.width() / right;
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    const qreal pageHeight = area.height() / scale;
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
