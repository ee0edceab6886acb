#include "render/FieldInk.h"

#include "render/LabelFont.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <cmath>

namespace render {

namespace {
QColor inkColour(bool white) {
    return white ? Qt::white : Qt::black;
}

// The area between an outer and an inner outline: a frame.
void fillFrame(QPainter& painter, const QPainterPath& outer, const QPainterPath& inner, QColor colour) {
    QPainterPath frame = outer;
    frame.addPath(inner);
    frame.setFillRule(Qt::OddEvenFill);
    painter.fillPath(frame, colour);
}
} // namespace

void addBox(LabelCanvas& canvas, const FieldPlace& at, int w, int h, int t, bool white, int rounding) {
    const QColor colour = inkColour(white);
    const QRectF local(0, -h, w, h);
    if (rounding <= 0) {
        canvas.add(local, at, [=](QPainter& painter) {
            painter.fillRect(QRectF(0, -h, w, t), colour);
            painter.fillRect(QRectF(0, -t, w, t), colour);
            painter.fillRect(QRectF(0, -h, t, h), colour);
            painter.fillRect(QRectF(w - t, -h, t, h), colour);
        });
        return;
    }
    const qreal radius = std::min(w, h) / 2.0 * std::min(rounding, 8) / 8.0;
    canvas.add(local, at, [=](QPainter& painter) {
        QPainterPath outer, inner;
        outer.addRoundedRect(local, radius, radius);
        const QRectF hole = local.adjusted(t, t, -t, -t);
        if (hole.width() > 0 && hole.height() > 0) {
            const qreal r = std::max<qreal>(radius - t, 0);
            inner.addRoundedRect(hole, r, r);
        }
        fillFrame(painter, outer, inner, colour);
    });
}

void addEllipse(LabelCanvas& canvas, const FieldPlace& at, int w, int h, int t, bool white) {
    const QColor colour = inkColour(white);
    const QRectF local(0, -h, w, h);
    canvas.add(local, at, [=](QPainter& painter) {
        QPainterPath outer, inner;
        outer.addEllipse(local);
        const QRectF hole = local.adjusted(t, t, -t, -t);
        if (hole.width() > 0 && hole.height() > 0) inner.addEllipse(hole);
        fillFrame(painter, outer, inner, colour);
    });
}

void addDiagonal(LabelCanvas& canvas, const FieldPlace& at, int w, int h, int t, bool white, bool rising) {
    const QColor colour = inkColour(white);
    const QRectF local(0, -h, w, h);
    canvas.add(local, at, [=](QPainter& painter) {
        const QPolygonF line = rising ? QPolygonF({QPointF(0, 0), QPointF(t, 0), QPointF(w, -h), QPointF(w - t, -h)})
                                      : QPolygonF({QPointF(0, -h), QPointF(t, -h), QPointF(w, 0), QPointF(w - t, 0)});
        QPainterPath path;
        path.addPolygon(line);
        path.closeSubpath();
        painter.fillPath(path, colour);
    });
}

QVector<int> barWidths(const Symbol& symbol, int module, qreal wideRatio) {
    QVector<int> widths;
    for (int c = 0; c < symbol.columns;) {
        const bool dark = symbol.module(0, c);
        int run = 0;
        while (c + run < symbol.columns && symbol.module(0, c + run) == dark)
            ++run;
        if (widths.isEmpty() && !dark) { // a leading space is no part of the symbol
            c += run;
            continue;
        }
        widths << (wideRatio > 0 && run > 1 ? int(std::lround(module * wideRatio)) : run * module);
        c += run;
    }
    return widths;
}

void addLinear(LabelCanvas& canvas, const FieldPlace& at, const QVector<int>& bars, int module, int height,
               const QString& line, char linePlace) {
    // The interpretation line grows with the module width, as the printer's does.
    const int textHeight = linePlace ? std::clamp(module * 9, 10, 60) : 0;
    const int gap = linePlace ? std::max(2, module) : 0;
    int width = 0;
    for (const int w : bars)
        width += w;
    const qreal above = linePlace == 'A' ? textHeight + gap : 0;
    const qreal below = linePlace == 'B' ? textHeight + gap : 0;
    const QRectF local(0, -height - above, width, height + above + below);
    const QFont font = labelFont(textHeight);
    canvas.add(local, at, [=](QPainter& painter) {
        int x = 0;
        for (int i = 0; i < bars.size(); ++i) {
            if (i % 2 == 0) painter.fillRect(QRectF(x, -height, bars[i], height), Qt::black);
            x += bars[i];
        }
        if (!linePlace) return;
        painter.setFont(font);
        painter.setPen(Qt::black);
        const qreal textWidth = QFontMetricsF(font).horizontalAdvance(line);
        const qreal baseline = linePlace == 'B' ? gap + textHeight * 0.75 : -height - gap - textHeight * 0.25;
        painter.drawText(QPointF((width - textWidth) / 2, baseline), line);
    });
}

void addRetail(LabelCanvas& canvas, const FieldPlace& at, const Symbol& symbol, int module, int height,
               const QString& digits, bool upc) {
    const int textHeight = std::clamp(module * 9, 10, 60);
    const int gap = std::max(2, module);
    const int longer = gap + textHeight / 2;
    const int width = symbol.columns * module;
    const QRectF local(0, -height, width, height + gap + textHeight);
    const QFont font = labelFont(textHeight);
    canvas.add(local, at, [=](QPainter& painter) {
        // Modules 0-2, 45-49 and 92-94 are the guards; UPC-A lengthens 3-9 and 85-91 too.
        const auto isLong = [&](int c) {
            return c < 3 || (c >= 45 && c < 50) || c >= 92 || (upc && ((c >= 3 && c < 10) || (c >= 85 && c < 92)));
        };
        for (int c = 0; c < symbol.columns; ++c)
            if (symbol.module(0, c))
                painter.fillRect(QRectF(c * module, -height, module, height + (isLong(c) ? longer : 0)), Qt::black);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(font);
        const qreal baseline = gap + textHeight * 0.75;
        const auto centred = [&](const QString& text, qreal from, qreal to) {
            painter.drawText(QPointF((from + to - metrics.horizontalAdvance(text)) / 2, baseline), text);
        };
        if (digits.size() < (upc ? 12 : 13)) return centred(digits, 0, width);
        painter.drawText(QPointF(-metrics.horizontalAdvance(digits.left(1)) - gap, baseline), digits.left(1));
        if (upc) {
            centred(digits.mid(1, 5), 10 * module, 45 * module);
            centred(digits.mid(6, 5), 50 * module, 85 * module);
            painter.drawText(QPointF(width + gap, baseline), digits.mid(11, 1));
        } else {
            centred(digits.mid(1, 6), 3 * module, 45 * module);
            centred(digits.mid(7, 6), 50 * module, 92 * module);
        }
    });
}

void addMatrix(LabelCanvas& canvas, const FieldPlace& at, const Symbol& symbol, int moduleWidth,
               int moduleHeight, int above, int below) {
    const int w = symbol.columns * moduleWidth;
    const int h = symbol.rows * moduleHeight;
    const QRectF local(0, -h - above - below, w, h + above + below);
    canvas.add(local, at, [=](QPainter& painter) {
        const qreal top = -h - below;
        for (int r = 0; r < symbol.rows; ++r)
            for (int c = 0; c < symbol.columns; ++c)
                if (symbol.module(r, c))
                    painter.fillRect(QRectF(c * moduleWidth, top + r * moduleHeight, moduleWidth, moduleHeight),
                                     Qt::black);
    });
}

void addShapes(LabelCanvas& canvas, const FieldPlace& at, const Shapes& shapes) {
    const QRectF local(0, -shapes.size.height(), shapes.size.width(), shapes.size.height());
    canvas.add(local, at, [shapes, local](QPainter& painter) {
        painter.translate(0, local.top());
        for (const auto& [path, white] : shapes.shapes)
            painter.fillPath(path, white ? Qt::white : Qt::black);
    });
}

void addImage(LabelCanvas& canvas, const FieldPlace& at, const QImage& image, int mx, int my) {
    const QRectF local(0, -image.height() * my, image.width() * mx, image.height() * my);
    canvas.add(local, at, [image, local](QPainter& painter) { painter.drawImage(local, image); });
}

} // namespace render
