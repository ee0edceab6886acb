#include "render/FieldText.h"

#include "render/LabelFont.h"

#include <QFontMetricsF>

namespace render {

namespace {
// The lines a block's text asks for: "\&" breaks a line (a break at the very end adds no
// empty line), "\\" is a backslash.
QStringList brokenLines(const QString& text) {
    QStringList lines{QString()};
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\\' && i + 1 < text.size() && (text.at(i + 1) == u'&' || text.at(i + 1) == u'\\')) {
            if (text.at(++i) == u'&')
                lines << QString();
            else
                lines.last() += u'\\';
            continue;
        }
        lines.last() += text.at(i);
    }
    if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    return lines;
}
} // namespace

namespace {
// Glyphs of the bundled font at a field's size: proportional, stretched by the field's
// width, or one every `advance` dots, each centred in its place.
struct Glyphs {
    QFont font;
    QFontMetricsF metrics;
    qreal stretch;
    qreal advance;

    qreal measure(const QString& s) const {
        return advance > 0 ? advance * s.size() : metrics.horizontalAdvance(s) * stretch;
    }
    void draw(QPainter& painter, qreal x, qreal baseline, const QString& s) const {
        if (advance <= 0) return drawRun(painter, x, baseline, s);
        for (qsizetype i = 0; i < s.size(); ++i) {
            const qreal own = metrics.horizontalAdvance(s.at(i)) * stretch;
            drawRun(painter, x + i * advance + (advance - own) / 2, baseline, s.at(i));
        }
    }
    void drawRun(QPainter& painter, qreal x, qreal baseline, const QString& s) const {
        painter.save();
        painter.translate(x, baseline);
        painter.scale(stretch, 1);
        painter.drawText(QPointF(0, 0), s);
        painter.restore();
    }
};
} // namespace

QPointF addText(LabelCanvas& canvas, const FieldPlace& at, const QString& text, int height, int width,
                const TextBlock& block, qreal advance) {
    const QFont font = labelFont(height);
    const QFontMetricsF metrics(font);
    // A fixed-pitch font's capitals fill its character width; a scalable one's proportions
    // follow the field's width over its height.
    const qreal stretch = advance > 0 ? width / metrics.horizontalAdvance(QLatin1Char('H')) : qreal(width) / height;
    const Glyphs glyphs{font, metrics, stretch, advance};
    const auto measure = [glyphs](const QString& s) { return glyphs.measure(s); };

    // A field block narrower than a character prints nothing.
    if (block.on && block.height == 0 && block.width < width) return at.origin;
    QStringList lines = block.on ? brokenLines(text) : QStringList{text};
    if (block.on && block.width > 0) {
        QStringList wrapped;
        const auto room = [&] { return block.width - (wrapped.isEmpty() ? 0 : block.indent); };
        for (const QString& line : lines) {
            QString current;
            for (QString word : line.split(u' ')) {
                const QString candidate = current.isEmpty() ? word : current + u' ' + word;
                if (measure(candidate) <= room() || (current.isEmpty() && word.size() <= 1)) {
                    current = candidate;
                    continue;
                }
                if (!current.isEmpty()) {
                    wrapped << current;
                    current.clear();
                }
                // A word too long for a line of its own breaks with a hyphen at the edge.
                while (word.size() > 1 && measure(word) > room()) {
                    qsizetype fits = 1;
                    while (fits + 1 < word.size() && measure(word.left(fits + 1) + u'-') <= room())
                        ++fits;
                    wrapped << word.left(fits) + u'-';
                    word = word.mid(fits);
                }
                current = word;
            }
            wrapped << current;
        }
        lines = wrapped;
    }
    const qreal step = height + (block.on ? block.spacing : 0);
    const int room = block.height > 0 ? std::max(1, int(block.height / std::max<qreal>(step, 1))) : block.lines;
    const int shown = block.on ? std::min<int>(int(lines.size()), std::max(room, 1)) : 1;
    qreal widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, measure(line));
    const qreal boxWidth = block.on && block.width > 0 ? block.width : std::max<qreal>(widest, 1);
    // The cell reaches three quarters of its height above the baseline, a quarter below.
    const qreal ascent = height * 0.75;
    const qreal firstBaseline = at.typeset ? -step * (shown - 1) : 0;
    const QRectF local(0, firstBaseline - ascent, boxWidth, step * (shown - 1) + height);

    const QTransform place = placement(at.origin, at.typeset, at.orientation, local);
    const QPointF end = place.map(QPointF(measure(lines.last()) + (lines.size() > 1 ? block.indent : 0),
                                          firstBaseline + (shown - 1) * step));
    canvas.add(local, place, [=](QPainter& painter) {
        painter.setFont(font);
        painter.setPen(Qt::black);
        for (int i = 0; i < lines.size(); ++i) {
            const QString& line = lines[i];
            const qreal y = firstBaseline + std::min(i, shown - 1) * step;
            const qreal indent = i > 0 ? block.indent : 0;
            const qreal used = measure(line);
            const QStringList words = line.split(u' ');
            if (block.justify == 'J' && i + 1 < lines.size() && words.size() > 1 && block.width > 0) {
                const qreal gap = (boxWidth - indent - measure(words.join(QString()))) / (words.size() - 1);
                qreal x = indent;
                for (const QString& word : words) {
                    glyphs.draw(painter, x, y, word);
                    x += measure(word) + gap;
                }
                continue;
            }
            const qreal x = block.justify == 'C'   ? (boxWidth - used) / 2
                            : block.justify == 'R' ? boxWidth - used
                                                   : indent;
            glyphs.draw(painter, x, y, line);
        }
    }, at.reversed);
    return end;
}

} // namespace render
