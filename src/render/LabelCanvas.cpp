#include "render/LabelCanvas.h"

#include "render/LabelFont.h"

#include <cmath>

namespace render {

namespace {
// Wider than any print head, longer than any label this program prints.
constexpr int MaxWidth = 3000;
constexpr int MaxLength = 12000;
constexpr int NoteHeight = 18;
} // namespace

QTransform placement(QPointF origin, bool typeset, char orientation, const QRectF& local) {
    QTransform turn;
    switch (orientation) {
    case 'R':
        turn.rotate(90);
        break;
    case 'I':
        turn.rotate(180);
        break;
    case 'B':
        turn.rotate(270);
        break;
    default:
        break;
    }
    QPointF at = origin;
    if (!typeset) at -= turn.mapRect(local).topLeft();
    return turn * QTransform::fromTranslate(at.x(), at.y());
}

void LabelCanvas::add(const QRectF& local, const QTransform& place, Paint paint, bool reversed) {
    m_extent = m_extent.united(place.mapRect(local));
    m_ink.push_back({local, place, std::move(paint), reversed});
}

namespace {
// A reversed element: drawn alone as a mask, then every dot under the mask flipped.
void drawReversed(QImage& image, const QRect& clip, const QTransform& place, const QRectF& local,
                  const LabelCanvas::Paint& paint) {
    const QRect area = place.mapRect(local).toAlignedRect().intersected(clip);
    if (area.isEmpty()) return;
    QImage mask(area.size(), QImage::Format_Alpha8);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setTransform(place * QTransform::fromTranslate(-area.x(), -area.y()));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        paint(painter);
    }
    for (int y = 0; y < area.height(); ++y) {
        const uchar* from = mask.constScanLine(y);
        QRgb* to = reinterpret_cast<QRgb*>(image.scanLine(area.y() + y)) + area.x();
        for (int x = 0; x < area.width(); ++x)
            if (from[x] >= 128) to[x] = qGray(to[x]) < 128 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    }
}
} // namespace

QImage LabelCanvas::picture(int width, int length, QStringList& notes) const {
    const int inkRight = m_ink.empty() ? 0 : int(std::ceil(m_extent.right()));
    const int inkBottom = m_ink.empty() ? 0 : int(std::ceil(m_extent.bottom()));
    int w = width > 0 ? width : std::max(inkRight, 1);
    int h = std::max({length, inkBottom, 1});
    if (w > MaxWidth || h > MaxLength) {
        notes << QStringLiteral("o que passa de %1 x %2 pontos").arg(MaxWidth).arg(MaxLength);
        w = std::min(w, MaxWidth);
        h = std::min(h, MaxLength);
    }
    const QString noteText =
        notes.isEmpty() ? QString() : QStringLiteral("Não mostrado: ") + notes.join(QStringLiteral(", "));
    const QFont noteFont = labelFont(NoteHeight);
    const QRect noteBox = notes.isEmpty()
                              ? QRect()
                              : QFontMetrics(noteFont).boundingRect(QRect(4, 0, std::max(w - 8, 200), 10000),
                                                                    Qt::TextWordWrap, noteText);
    const int band = notes.isEmpty() ? 0 : noteBox.height() + 8;
    QImage image(std::max(w, notes.isEmpty() ? 0 : 208), h + band, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setClipRect(0, 0, w, h);
    for (const Ink& ink : m_ink) {
        if (ink.reversed) {
            painter.end();
            drawReversed(image, QRect(0, 0, w, h), ink.place, ink.local, ink.paint);
            painter.begin(&image);
            painter.setClipRect(0, 0, w, h);
            continue;
        }
        painter.setTransform(ink.place);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        ink.paint(painter);
    }
    if (band > 0) {
        painter.resetTransform();
        painter.setClipping(false);
        painter.fillRect(0, h, image.width(), band, QColor(255, 235, 235));
        painter.setPen(QColor(200, 0, 0));
        painter.setFont(noteFont);
        painter.drawText(QRect(4, h + 4, image.width() - 8, band - 4), Qt::TextWordWrap, noteText);
    }
    return image;
}

} // namespace render
