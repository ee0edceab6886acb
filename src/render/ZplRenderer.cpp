#include "render/ZplRenderer.h"

#include "printing/Windows1252.h"
#include "render/LabelCanvas.h"
#include "render/LabelFont.h"
#include "render/StoredGraphic.h"
#include "render/Symbols.h"
#include "render/ZplCommands.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QSet>

#include <optional>

namespace render {

QList<QImage> RenderResult::pictures() const {
    QList<QImage> out;
    for (const RenderedLabel& label : labels)
        out << label.picture;
    return out;
}

namespace {

const QSet<QByteArray> SetupCommands = {"TA", "JS", "LT", "MN", "MT", "PO", "PM", "JM", "PR",
                                        "SD", "JU", "LR", "CI", "MM", "CC", "CD", "CT"};
constexpr int MaxDots = 32000;           // the printer's own limit for positions and sizes
constexpr int MaxFontDots = 3000;        // far above any label text
constexpr int MaxGraphicBytes = 4 << 20; // a stored graphic of this size fills no label

struct Field {
    enum class Kind { Text, Code128, Qr, Box, Graphic };
    Kind kind = Kind::Text;
    QPointF origin;
    bool typeset = false;
    char orientation = 'N';
    int fontHeight = 0; // 0: the printer's default text size
    int fontWidth = 0;
    char hexIndicator = 0;
    bool block = false;
    int blockWidth = 0;
    int blockLines = 1;
    int blockSpacing = 0;
    char blockJustify = 'L';
    int barHeight = 0;
    int magnification = 3;
    int boxWidth = 1, boxHeight = 1, boxThickness = 1;
    bool boxWhite = false;
    QString graphic;
    int magnifyX = 1, magnifyY = 1;
    std::optional<QByteArray> data;
};

class Printer {
public:
    RenderResult result;
    void run(const QByteArray& job);
    // Commands read after the last format still show, on a picture of their own.
    void finish();

private:
    void command(const Command& c);
    void format(const Command& c);
    void endField();
    void endFormat();
    // Parameter `index` as the printer reads it: its leading digits, clamped to the range;
    // `fallback` when it is missing or holds no digits.
    int number(const QByteArrayList& p, int index, int fallback, int low = -MaxDots, int high = MaxDots) const;
    QByteArray fieldBytes() const;
    void note(const QString& what);

    void drawText(const QString& text);
    void drawCode128(const QByteArray& data);
    void drawQr(const QByteArray& data);
    void drawBox();
    void drawGraphic();
    void downloadGraphic(const Command& c);

    // Kept from format to format, as the printer keeps them.
    QHash<QString, QImage> m_graphics;
    QPointF m_home;
    int m_shift = 0;
    int m_width = 0;
    int m_length = 0;
    int m_moduleWidth = 2;
    int m_barHeight = 10;

    // The format being read.
    bool m_inFormat = false;
    int m_formats = 0; // formats begun
    LabelCanvas m_canvas;
    QStringList m_notes;
    int m_copies = 1;
    Field m_field;
};

// An orientation parameter; anything but N, R, I or B leaves `current`.
char orientation(const QByteArray& p, char current) {
    const char o = p.isEmpty() ? 0 : char(std::toupper(uchar(p.at(0))));
    return QByteArrayLiteral("NRIB").contains(o) && o ? o : current;
}

int Printer::number(const QByteArrayList& p, int index, int fallback, int low, int high) const {
    const std::optional<int> value = leadingNumber(p.value(index));
    return value ? std::clamp(*value, low, high) : fallback;
}

void Printer::note(const QString& what) {
    if (!m_notes.contains(what)) m_notes << what;
}

void Printer::run(const QByteArray& job) {
    for (const Command& c : splitCommands(job))
        command(c);
    // A format the job leaves open is drawn as far as it goes.
    if (m_inFormat) endFormat();
}

void Printer::command(const Command& c) {
    if (c.prefix == '~' && c.code == "DG") return downloadGraphic(c);
    if (SetupCommands.contains(c.code)) return;
    if (c.prefix == '^' && c.code == "XA") {
        // A start inside an open format ends it: the next format begins.
        if (m_inFormat) endFormat();
        m_inFormat = true;
        m_formats++;
        m_canvas = LabelCanvas();
        m_copies = 1;
        m_field = Field();
        return;
    }
    if (!m_inFormat) {
        // Outside a format only downloads and settings count; anything else goes on the next picture.
        note(c.name());
        return;
    }
    format(c);
}

void Printer::format(const Command& c) {
    const QByteArrayList p = parameters(c.params);
    const QByteArray& code = c.code;
    if (c.prefix == '~') {
        note(c.name());
    } else if (code == "XZ") {
        endFormat();
    } else if (code == "LH") {
        m_home = QPointF(number(p, 0, 0, 0), number(p, 1, 0, 0));
    } else if (code == "LS") {
        m_shift = number(p, 0, 0, -9999, 9999);
    } else if (code == "PW") {
        m_width = number(p, 0, m_width, 2);
    } else if (code == "LL") {
        m_length = number(p, 0, m_length, 1);
    } else if (code == "FO" || code == "FT") {
        m_field.origin = QPointF(number(p, 0, 0) - m_shift, number(p, 1, 0)) + m_home;
        m_field.typeset = code == "FT";
    } else if (code == "A") {
        const char font = c.params.isEmpty() ? '0' : c.params.at(0);
        if (font != '0') note(QStringLiteral("^A%1").arg(QLatin1Char(font)));
        const QByteArrayList q = parameters(c.params.mid(1));
        m_field.orientation = orientation(q.value(0), m_field.orientation);
        m_field.fontHeight = number(q, 1, 0, 0, MaxFontDots);
        m_field.fontWidth = number(q, 2, 0, 0, MaxFontDots);
    } else if (code == "FH") {
        m_field.hexIndicator = c.params.isEmpty() ? '_' : c.params.at(0);
    } else if (code == "FB") {
        m_field.block = true;
        m_field.blockWidth = number(p, 0, 0, 0);
        m_field.blockLines = number(p, 1, 1, 1, 9999);
        m_field.blockSpacing = number(p, 2, 0, -9999, 9999);
        const QByteArray j = p.value(3).toUpper();
        m_field.blockJustify = j.isEmpty() ? 'L' : j.at(0);
        if (number(p, 4, 0) != 0) note(QStringLiteral("^FB (recuo)"));
    } else if (code == "BY") {
        m_moduleWidth = number(p, 0, m_moduleWidth, 1, 10);
        m_barHeight = number(p, 2, m_barHeight, 1, MaxDots);
    } else if (code == "BC") {
        m_field.kind = Field::Kind::Code128;
        m_field.orientation = orientation(p.value(0), m_field.orientation);
        m_field.barHeight = number(p, 1, m_barHeight, 1);
        if (p.value(2).toUpper() != "N") note(QStringLiteral("^BC (linha legível)"));
        if (!p.value(5).isEmpty() && p.value(5).toUpper() != "N")
            note(QStringLiteral("^BC (modo %1)").arg(QString::fromLatin1(p.value(5))));
    } else if (code == "BQ") {
        m_field.kind = Field::Kind::Qr;
        m_field.orientation = 'N';
        if (!p.value(1).isEmpty() && p.value(1) != "2")
            note(QStringLiteral("^BQ (modelo %1)").arg(QString::fromLatin1(p.value(1))));
        m_field.magnification = number(p, 2, 3, 1, 100);
    } else if (code == "GB") {
        m_field.kind = Field::Kind::Box;
        // A side shorter than the thickness is drawn as long as the thickness: "^GB697,0,55"
        // is a bar 697 dots long and 55 thick.
        m_field.boxThickness = number(p, 2, 1, 1, MaxDots);
        m_field.boxWidth = std::max(number(p, 0, 1, 0, MaxDots), m_field.boxThickness);
        m_field.boxHeight = std::max(number(p, 1, 1, 0, MaxDots), m_field.boxThickness);
        m_field.boxWhite = p.value(3).toUpper() == "W";
        if (number(p, 4, 0, 0, 8) != 0) note(QStringLiteral("^GB (cantos arredondados)"));
        m_field.data = QByteArray();
    } else if (code == "XG") {
        m_field.kind = Field::Kind::Graphic;
        m_field.graphic = graphicName(p.value(0));
        m_field.magnifyX = number(p, 1, 1, 1, 10);
        m_field.magnifyY = number(p, 2, 1, 1, 10);
        m_field.data = QByteArray();
    } else if (code == "FD") {
        m_field.data = c.params;
    } else if (code == "FS") {
        endField();
    } else if (code == "ID") {
        const QString name = graphicName(c.params);
        if (name.startsWith(QLatin1Char('*')))
            m_graphics.clear();
        else
            m_graphics.remove(name);
    } else if (code == "PQ") {
        // A quantity of 0 prints the format once.
        m_copies = number(p, 0, 1, 1, 99999999);
    } else if (code == "DG") {
        downloadGraphic(c);
    } else {
        note(c.name());
    }
}

QByteArray Printer::fieldBytes() const {
    const QByteArray& raw = *m_field.data;
    if (!m_field.hexIndicator) return raw;
    QByteArray out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        bool ok = false;
        if (raw.at(i) == m_field.hexIndicator && i + 2 < raw.size()) {
            const int byte = raw.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(byte));
                i += 2;
                continue;
            }
        }
        out.append(raw.at(i));
    }
    return out;
}

void Printer::endField() {
    if (m_field.data) {
        switch (m_field.kind) {
        case Field::Kind::Text:
            drawText(fromWindows1252(fieldBytes()));
            break;
        case Field::Kind::Code128:
            drawCode128(fieldBytes());
            break;
        case Field::Kind::Qr:
            drawQr(fieldBytes());
            break;
        case Field::Kind::Box:
            drawBox();
            break;
        case Field::Kind::Graphic:
            drawGraphic();
            break;
        }
    }
    m_field = Field();
}

void Printer::endFormat() {
    // A field left open at the end of the format prints as if closed.
    endField();
    m_inFormat = false;
    if (m_canvas.isEmpty() && m_notes.isEmpty()) return;
    const QImage picture = m_canvas.picture(m_width, m_length, m_notes);
    result.labels.append({picture, m_copies, m_notes});
    m_notes.clear();
}

void Printer::drawText(const QString& text) {
    // Font 0 without a size prints at the printer's default of 9 x 5 dots.
    int h = m_field.fontHeight > 0 ? m_field.fontHeight : m_field.fontWidth > 0 ? m_field.fontWidth : 9;
    int w = m_field.fontWidth > 0 ? m_field.fontWidth : m_field.fontHeight > 0 ? h : 5;
    const QFont font = labelFont(h);
    const QFontMetricsF metrics(font);
    const qreal stretch = qreal(w) / h;
    QStringList lines = {text};
    if (m_field.block) {
        lines = text.split(QStringLiteral("\\&"));
        if (m_field.blockWidth > 0) {
            QStringList wrapped;
            for (const QString& line : lines) {
                QString current;
                for (const QString& word : line.split(QLatin1Char(' '))) {
                    const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
                    if (!current.isEmpty() &&
                        metrics.horizontalAdvance(candidate) * stretch > m_field.blockWidth) {
                        wrapped << current;
                        current = word;
                    } else {
                        current = candidate;
                    }
                }
                wrapped << current;
            }
            lines = wrapped;
        }
        // Lines beyond the block's count print over its last line.
        while (lines.size() > m_field.blockLines) {
            lines[m_field.blockLines - 1] = lines.takeLast();
        }
    }
    const qreal lineStep = h + (m_field.block ? m_field.blockSpacing : 0);
    qreal widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line) * stretch);
    const qreal blockWidth = m_field.block && m_field.blockWidth > 0 ? m_field.blockWidth : widest;
    // With a typeset origin the block's last baseline sits on it.
    const qreal firstBaseline = m_field.typeset ? -lineStep * (lines.size() - 1) : 0;
    const QRectF local(0, firstBaseline - metrics.ascent(), std::max<qreal>(blockWidth, 1),
                       lineStep * (lines.size() - 1) + metrics.ascent() + metrics.descent());
    const QTransform place = placement(m_field.origin, m_field.typeset, m_field.orientation, local);
    const char justify = m_field.blockJustify;
    m_canvas.add(local, place, [=](QPainter& painter) {
        painter.setFont(font);
        painter.setPen(Qt::black);
        for (int i = 0; i < lines.size(); ++i) {
            const qreal width = metrics.horizontalAdvance(lines[i]) * stretch;
            const qreal x = justify == 'C'   ? (blockWidth - width) / 2
                            : justify == 'R' ? blockWidth - width
                                             : 0;
            painter.save();
            painter.translate(x, firstBaseline + i * lineStep);
            painter.scale(stretch, 1);
            painter.drawText(QPointF(0, 0), lines[i]);
            painter.restore();
        }
    });
}

void Printer::drawCode128(const QByteArray& data) {
    // The subset invocations (">;", ">:", ">5", ">6", ...) choose how the printer packs the
    // content, not what it is; ">>" is a ">" of the content.
    QByteArray content;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data.at(i) != '>' || i + 1 >= data.size()) {
            content.append(data.at(i));
            continue;
        }
        const char next = data.at(++i);
        if (next == '>')
            content.append('>');
        else if (!QByteArrayLiteral(";:5679").contains(next))
            note(QStringLiteral("^BC (>%1)").arg(QLatin1Char(next)));
    }
    const Symbol symbol = code128(content);
    if (!symbol.error.isEmpty())
        return note(QStringLiteral("^BC \"%1\" (%2)").arg(fromWindows1252(content), symbol.error));
    const int module = m_moduleWidth;
    const int height = m_field.barHeight;
    const QRectF local(0, -height, symbol.columns * module, height);
    m_canvas.add(local, placement(m_field.origin, m_field.typeset, m_field.orientation, local),
                 [symbol, module, height](QPainter& painter) {
                     for (int c = 0; c < symbol.columns; ++c)
                         if (symbol.module(0, c))
                             painter.fillRect(QRectF(c * module, -height, module, height), Qt::black);
                 });
}

void Printer::drawQr(const QByteArray& data) {
    // The data opens with the error level (H, Q, M, L) and the input mode: "A," automatic,
    // "M," manual with a character mode (N, A, K; B with a four-digit byte count).
    char level = 'Q';
    QByteArray content = data;
    const int comma = int(data.indexOf(','));
    if (comma >= 0 && comma <= 2) {
        const QByteArray head = data.left(comma).toUpper();
        content = data.mid(comma + 1);
        if (!head.isEmpty() && QByteArrayLiteral("HQML").contains(head.at(0))) level = head.at(0);
        if (head.size() > 1 && head.at(1) == 'M' && !content.isEmpty()) {
            const char mode = char(std::toupper(content.at(0)));
            content = content.mid(mode == 'B' ? 5 : 1);
        } else if (head.size() > 1 && head.at(1) != 'A') {
            note(QStringLiteral("^BQ (modo %1)").arg(QLatin1Char(head.at(1))));
        }
    }
    const Symbol symbol = qrCode(content, level);
    if (!symbol.error.isEmpty()) return note(QStringLiteral("^BQ (%1)").arg(symbol.error));
    const int m = m_field.magnification;
    const QRectF local(0, -symbol.rows * m, symbol.columns * m, symbol.rows * m);
    m_canvas.add(local, placement(m_field.origin, m_field.typeset, 'N', local),
                 [symbol, m](QPainter& painter) {
                     for (int r = 0; r < symbol.rows; ++r)
                         for (int c = 0; c < symbol.columns; ++c)
                             if (symbol.module(r, c))
                                 painter.fillRect(QRectF(c * m, (r - symbol.rows) * m, m, m), Qt::black);
                 });
}

void Printer::drawBox() {
    const int w = m_field.boxWidth, h = m_field.boxHeight, t = m_field.boxThickness;
    const QColor colour = m_field.boxWhite ? Qt::white : Qt::black;
    const QRectF local(0, -h, w, h);
    m_canvas.add(local, placement(m_field.origin, m_field.typeset, 'N', local), [=](QPainter& painter) {
        painter.fillRect(QRectF(0, -h, w, t), colour);
        painter.fillRect(QRectF(0, -t, w, t), colour);
        painter.fillRect(QRectF(0, -h, t, h), colour);
        painter.fillRect(QRectF(w - t, -h, t, h), colour);
    });
}

void Printer::drawGraphic() {
    const auto found = m_graphics.constFind(m_field.graphic);
    if (found == m_graphics.constEnd()) {
        note(QStringLiteral("^XG %1 (gráfico ausente)").arg(m_field.graphic));
        return;
    }
    const QImage image = *found;
    const QRectF local(0, -image.height() * m_field.magnifyY, image.width() * m_field.magnifyX,
                       image.height() * m_field.magnifyY);
    m_canvas.add(local, placement(m_field.origin, m_field.typeset, 'N', local),
                 [image, local](QPainter& painter) { painter.drawImage(local, image); });
}

void Printer::downloadGraphic(const Command& c) {
    // name,total bytes,bytes per row,data; the data may hold commas of its own.
    const QByteArrayList p = c.params.split(',');
    if (p.size() < 4) return note(QStringLiteral("~DG %1 (incompleto)").arg(graphicName(p.value(0))));
    const int total = number(parameters(p.at(1)), 0, -1, 1, MaxGraphicBytes);
    const int perRow = number(parameters(p.at(2)), 0, -1, 1, 9999);
    const QByteArray data = c.params.mid(p.at(0).size() + p.at(1).size() + p.at(2).size() + 3);
    const QByteArray bits = decodeGraphicData(data, perRow, total);
    const QString name = graphicName(p.at(0));
    if (bits.isEmpty()) return note(QStringLiteral("~DG %1 (inválido ou incompleto)").arg(name));
    m_graphics.insert(name, graphicImage(bits, perRow));
}

void Printer::finish() {
    if (m_formats == 0) {
        result.error = QStringLiteral("O trabalho não tem nenhuma etiqueta (^XA).");
        return;
    }
    if (m_notes.isEmpty()) return;
    result.labels.append({LabelCanvas().picture(m_width, 1, m_notes), 1, m_notes});
    m_notes.clear();
}

RenderResult renderAll(const QList<QByteArray>& jobs) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {{}, QStringLiteral("Sem aplicação gráfica: as etiquetas não podem ser desenhadas.")};
    Printer printer;
    for (const QByteArray& job : jobs)
        printer.run(job);
    printer.finish();
    return printer.result;
}

} // namespace

RenderResult renderJob(const QByteArray& job) {
    return renderAll({job});
}

RenderResult renderJobs(const QList<QByteArray>& jobs) {
    return renderAll(jobs);
}

} // namespace render
