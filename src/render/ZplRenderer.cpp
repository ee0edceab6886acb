#include "render/ZplRenderer.h"

#include "render/Code128.h"
#include "render/CodePages.h"
#include "render/FieldInk.h"
#include "render/FieldText.h"
#include "render/LabelCanvas.h"
#include "render/StoredGraphic.h"
#include "render/Symbols.h"
#include "render/ZplCommands.h"

#include <QGuiApplication>
#include <QHash>
#include <QSet>

#include <cmath>
#include <optional>

namespace render {

QList<QImage> RenderResult::pictures() const {
    QList<QImage> out;
    for (const RenderedLabel& label : labels)
        out << label.picture;
    return out;
}

namespace {

// Settings of the print engine and the media that leave the picture as it is.
const QSet<QByteArray> SetupCommands = {"TA", "JS", "MN", "MT", "PO", "PM", "JM", "PR", "SD", "JU", "MM", "CC",
                                        "CD", "CT", "PA", "MD", "ML", "FX", "PF", "JZ", "SZ", "XB", "MW", "MP",
                                        "JT", "KD", "KL", "CV", "MF", "PH", "PP"};
constexpr int MaxDots = 32000;           // the printer's own limit for positions and sizes
constexpr int MaxFontDots = 3000;        // far above any label text
constexpr int MaxGraphicBytes = 4 << 20; // a stored graphic of this size fills no label
// Under "^FO" a QR Code's top edge sits this far below the origin; under "^FT" its bottom
// edge sits three modules above it.
constexpr int QrTopOffset = 10;
constexpr int QrTypesetModules = 3;

struct Field {
    enum class Kind { Text, Barcode, Box, Ellipse, Diagonal, Graphic, Image };
    Kind kind = Kind::Text;
    FieldPlace place;
    char font = 0; // from ^A; 0: the default font
    int fontHeight = 0;
    int fontWidth = 0;
    char hexIndicator = 0;
    TextBlock block;
    QByteArray symbology; // "BC", "BQ", ... for a barcode
    QByteArrayList barcode; // the barcode command's parameters
    int w = 1, h = 1, t = 1, rounding = 0;
    bool white = false, rising = true;
    QString graphic;
    int magnifyX = 1, magnifyY = 1;
    QImage image;
    int number = 0; // ^FN
    std::optional<QByteArray> data;
};

// "R:LABEL" and "label.zpl" both become "LABEL.ZPL".
QString formatName(const QByteArray& name) {
    QString text = QString::fromLatin1(name).trimmed().toUpper();
    if (text.size() > 2 && text.at(1) == QLatin1Char(':')) text = text.mid(2);
    if (!text.contains(QLatin1Char('.'))) text += QStringLiteral(".ZPL");
    return text;
}

// An orientation parameter; anything but N, R, I or B leaves `current`.
char orientation(const QByteArray& p, char current) {
    const char o = p.isEmpty() ? 0 : char(std::toupper(uchar(p.at(0))));
    return o && QByteArrayLiteral("NRIB").contains(o) ? o : current;
}

// A Y/N parameter; anything else leaves `fallback`.
bool yes(const QByteArray& p, bool fallback) {
    const char c = p.isEmpty() ? 0 : char(std::toupper(uchar(p.at(0))));
    return c == 'Y' ? true : c == 'N' ? false : fallback;
}

QByteArray digitsOnly(const QByteArray& data) {
    QByteArray out;
    for (const char c : data)
        if (c >= '0' && c <= '9') out.append(c);
    return out;
}

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
    void startField();

    void drawText(const QString& text);
    void drawBarcode(const QByteArray& data);
    void drawQr(const QByteArray& data);
    void drawGraphic();
    void downloadGraphic(const Command& c);
    void graphicField(const Command& c);

    // Kept from format to format, as the printer keeps them.
    QHash<QString, QImage> m_graphics;
    QPointF m_home;
    int m_shift = 0;
    int m_top = 0; // ^LT
    int m_width = 0;
    int m_length = 0;
    int m_moduleWidth = 2;
    int m_barHeight = 10;
    qreal m_wideRatio = 3.0;
    char m_fieldOrientation = 'N'; // ^FW
    char m_defaultFont = 'A';      // ^CF; the printer starts with its 9 x 5 font A
    int m_defaultHeight = 0;       // ^CF sizes; 0: none given
    int m_defaultWidth = 0;
    int m_codePage = 0; // ^CI
    bool m_labelReversed = false; // ^LR
    QHash<QString, QList<Command>> m_storedFormats; // ^DF, kept like graphics

    // The format being read.
    bool m_inFormat = false;
    int m_formats = 0; // formats begun
    LabelCanvas m_canvas;
    QStringList m_notes;
    int m_copies = 1;
    Field m_field;
    QPointF m_nextTypeset; // where the last text field ended
    QString m_storing;              // the format ^DF is storing instead of printing
    QList<Command> m_recalled;      // the stored format ^XF recalled
    QHash<int, QByteArray> m_fieldData; // the recalling format's ^FN fields
    bool m_replaying = false;       // the recalled format's commands are being read
};

int Printer::number(const QByteArrayList& p, int index, int fallback, int low, int high) const {
    const std::optional<int> value = leadingNumber(p.value(index));
    return value ? std::clamp(*value, low, high) : fallback;
}

void Printer::note(const QString& what) {
    if (!m_notes.contains(what)) m_notes << what;
}

void Printer::startField() {
    m_field = Field();
    m_field.place.orientation = m_fieldOrientation;
    m_field.place.reversed = m_labelReversed;
}

void Printer::run(const QByteArray& job) {
    for (const Command& c : splitCommands(job))
        command(c);
    // A format the job leaves open is drawn as far as it goes.
    if (m_inFormat) endFormat();
}

void Printer::command(const Command& c) {
    if (c.prefix == '~' && c.code == "DG") return downloadGraphic(c);
    if (c.code == "CI") {
        m_codePage = number(parameters(c.params), 0, 0, 0, 99);
        if (!knownCodePage(m_codePage)) note(QStringLiteral("^CI%1").arg(m_codePage));
        return;
    }
    if (c.code == "LR") {
        m_labelReversed = yes(c.params, false);
        return;
    }
    if (SetupCommands.contains(c.code)) return;
    if (!m_storing.isEmpty()) {
        // A stored format keeps its commands for ^XF, up to its end.
        if (c.prefix == '^' && (c.code == "XZ" || c.code == "XA")) {
            m_storing.clear();
            m_inFormat = false;
            if (c.code == "XA") command(c);
            return;
        }
        m_storedFormats[m_storing] << c;
        return;
    }
    if (c.prefix == '^' && c.code == "XA") {
        // A start inside an open format ends it: the next format begins.
        if (m_inFormat) endFormat();
        m_inFormat = true;
        m_formats++;
        m_canvas = LabelCanvas();
        m_copies = 1;
        startField();
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
    } else if (code == "DF") {
        m_storing = formatName(p.value(0));
        m_storedFormats[m_storing].clear();
    } else if (code == "XF") {
        const QString name = formatName(p.value(0));
        if (!m_storedFormats.contains(name)) note(QStringLiteral("^XF %1 (formato ausente)").arg(name));
        m_recalled = m_storedFormats.value(name);
    } else if (code == "FN") {
        m_field.number = number(p, 0, 0, 0, 9999);
    } else if (code == "LH") {
        m_home = QPointF(number(p, 0, 0, 0), number(p, 1, 0, 0));
    } else if (code == "LT") {
        m_top = number(p, 0, 0, -120, 120);
    } else if (code == "LS") {
        m_shift = number(p, 0, 0, -9999, 9999);
    } else if (code == "PW") {
        m_width = number(p, 0, m_width, 2);
    } else if (code == "LL") {
        m_length = number(p, 0, m_length, 1);
    } else if (code == "FO") {
        m_field.place.origin = QPointF(number(p, 0, 0) - m_shift, number(p, 1, 0) + m_top) + m_home;
        m_field.place.typeset = false;
    } else if (code == "FT") {
        // A position left out continues where the last text field ended.
        const std::optional<int> x = leadingNumber(p.value(0)), y = leadingNumber(p.value(1));
        m_field.place.origin = QPointF(x ? std::clamp(*x, 0, MaxDots) - m_shift + m_home.x() : m_nextTypeset.x(),
                                       y ? std::clamp(*y, 0, MaxDots) + m_top + m_home.y() : m_nextTypeset.y());
        m_field.place.typeset = true;
    } else if (code == "FW") {
        m_fieldOrientation = orientation(p.value(0), m_fieldOrientation);
        if (!m_field.data) m_field.place.orientation = m_fieldOrientation;
    } else if (code == "FR") {
        m_field.place.reversed = true;
    } else if (code == "CF") {
        const QByteArray font = p.value(0).toUpper();
        if (!font.isEmpty()) m_defaultFont = font.at(0);
        const int h = number(p, 1, 0, 0, MaxFontDots);
        const int w = number(p, 2, 0, 0, MaxFontDots);
        if (h > 0 || w > 0) {
            m_defaultHeight = h > 0 ? h : w;
            m_defaultWidth = w > 0 ? w : h;
        }
    } else if (code == "A") {
        const char font = c.params.isEmpty() ? '0' : char(std::toupper(uchar(c.params.at(0))));
        m_field.font = font;
        const QByteArrayList q = parameters(c.params.mid(1));
        m_field.place.orientation = orientation(q.value(0), m_fieldOrientation);
        m_field.fontHeight = number(q, 1, 0, 0, MaxFontDots);
        m_field.fontWidth = number(q, 2, 0, 0, MaxFontDots);
    } else if (code == "A@") {
        // A font called by its name is drawn as the scalable font, and named.
        m_field.font = '0';
        m_field.place.orientation = orientation(p.value(0), m_fieldOrientation);
        m_field.fontHeight = number(p, 1, 0, 0, MaxFontDots);
        m_field.fontWidth = number(p, 2, 0, 0, MaxFontDots);
        note(QStringLiteral("^A@ %1").arg(QString::fromLatin1(p.value(3))).trimmed());
    } else if (code == "FH") {
        m_field.hexIndicator = c.params.isEmpty() ? '_' : c.params.at(0);
    } else if (code == "FB") {
        TextBlock& b = m_field.block;
        b.on = true;
        b.width = number(p, 0, 0, 0);
        b.lines = number(p, 1, 1, 1, 9999);
        b.spacing = number(p, 2, 0, -9999, 9999);
        const QByteArray j = p.value(3).toUpper();
        b.justify = !j.isEmpty() && QByteArrayLiteral("LCRJ").contains(j.at(0)) ? j.at(0) : 'L';
        b.indent = number(p, 4, 0, 0, 9999);
    } else if (code == "BY") {
        m_moduleWidth = number(p, 0, m_moduleWidth, 1, 10);
        bool ok = false;
        const qreal ratio = p.value(1).toDouble(&ok);
        if (ok) m_wideRatio = std::clamp(ratio, 2.0, 3.0);
        m_barHeight = number(p, 2, m_barHeight, 1, MaxDots);
    } else if (code == "BC" || code == "BE" || code == "B3" || code == "BU" || code == "B2" || code == "BX" ||
               code == "B7" || code == "BQ" || code == "B8" || code == "BA" || code == "BK" || code == "B0" ||
               code == "BO" || code == "BD" || code == "BF") {
        m_field.kind = Field::Kind::Barcode;
        m_field.symbology = code;
        m_field.barcode = p;
        if (code != "BQ") m_field.place.orientation = orientation(p.value(0), m_fieldOrientation);
    } else if (code == "GB") {
        // A side shorter than the thickness is drawn as long as the thickness: "^GB697,0,55"
        // is a bar 697 dots long and 55 thick.
        m_field.kind = Field::Kind::Box;
        m_field.t = number(p, 2, 1, 1, MaxDots);
        m_field.w = std::max(number(p, 0, 1, 0, MaxDots), m_field.t);
        m_field.h = std::max(number(p, 1, 1, 0, MaxDots), m_field.t);
        m_field.white = p.value(3).toUpper() == "W";
        m_field.rounding = number(p, 4, 0, 0, 8);
        m_field.data = QByteArray();
    } else if (code == "GC" || code == "GE") {
        m_field.kind = Field::Kind::Ellipse;
        const bool circle = code == "GC";
        m_field.t = number(p, circle ? 1 : 2, 1, 1, 4095);
        m_field.w = std::max(number(p, 0, circle ? 3 : m_field.t, 3, 4095), m_field.t);
        m_field.h = circle ? m_field.w : std::max(number(p, 1, m_field.t, 3, 4095), m_field.t);
        m_field.white = p.value(circle ? 2 : 3).toUpper() == "W";
        m_field.data = QByteArray();
    } else if (code == "GD") {
        m_field.kind = Field::Kind::Diagonal;
        m_field.t = number(p, 2, 1, 1, MaxDots);
        m_field.w = std::max(number(p, 0, m_field.t, 3, MaxDots), m_field.t);
        m_field.h = std::max(number(p, 1, m_field.t, 3, MaxDots), m_field.t);
        m_field.white = p.value(3).toUpper() == "W";
        m_field.rising = !(p.value(4) == "L" || p.value(4) == "\\");
        m_field.data = QByteArray();
    } else if (code == "XG" || code == "IM") {
        m_field.kind = Field::Kind::Graphic;
        m_field.graphic = graphicName(p.value(0));
        m_field.magnifyX = code == "XG" ? number(p, 1, 1, 1, 10) : 1;
        m_field.magnifyY = code == "XG" ? number(p, 2, 1, 1, 10) : 1;
        m_field.data = QByteArray();
    } else if (code == "IL") {
        // An image loaded as the label's background, from its top left corner.
        m_field.kind = Field::Kind::Graphic;
        m_field.graphic = graphicName(p.value(0));
        m_field.place.origin = m_home;
        m_field.place.typeset = false;
        m_field.data = QByteArray();
        endField();
    } else if (code == "GF") {
        graphicField(c);
    } else if (code == "FD" || code == "FV") {
        m_field.data = c.params;
    } else if (code == "SN") {
        // A serial number prints its starting value on the first label.
        m_field.data = p.value(0);
    } else if (code == "TB") {
        TextBlock& b = m_field.block;
        m_field.place.orientation = orientation(p.value(0), m_field.place.orientation);
        b.on = true;
        b.width = number(p, 1, 0, 0);
        b.height = number(p, 2, 0, 0);
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
    if (m_field.number > 0 && !m_replaying && !m_recalled.isEmpty()) {
        // In a format that recalls a stored one, a numbered field fills that field.
        if (m_field.data) m_fieldData.insert(m_field.number, *m_field.data);
        return startField();
    }
    if (m_field.number > 0 && m_replaying) m_field.data = m_fieldData.value(m_field.number);
    if (m_field.data) {
        const FieldPlace& at = m_field.place;
        switch (m_field.kind) {
        case Field::Kind::Text:
            drawText(decodeField(fieldBytes(), m_codePage));
            break;
        case Field::Kind::Barcode:
            drawBarcode(fieldBytes());
            break;
        case Field::Kind::Box:
            addBox(m_canvas, {at.origin, at.typeset, 'N', at.reversed}, m_field.w, m_field.h, m_field.t,
                   m_field.white, m_field.rounding);
            break;
        case Field::Kind::Ellipse:
            addEllipse(m_canvas, {at.origin, at.typeset, 'N', at.reversed}, m_field.w, m_field.h, m_field.t,
                       m_field.white);
            break;
        case Field::Kind::Diagonal:
            addDiagonal(m_canvas, {at.origin, at.typeset, 'N', at.reversed}, m_field.w, m_field.h, m_field.t,
                        m_field.white, m_field.rising);
            break;
        case Field::Kind::Graphic:
            drawGraphic();
            break;
        case Field::Kind::Image:
            addImage(m_canvas, {at.origin, at.typeset, 'N', at.reversed}, m_field.image, 1, 1);
            break;
        }
    }
    startField();
}

void Printer::endFormat() {
    // A field left open at the end of the format prints as if closed.
    endField();
    if (!m_recalled.isEmpty() && !m_replaying) {
        m_replaying = true;
        for (const Command& c : std::as_const(m_recalled))
            if (c.code != "XZ") format(c);
        endField();
        m_replaying = false;
        m_recalled.clear();
        m_fieldData.clear();
    }
    m_inFormat = false;
    if (m_canvas.isEmpty() && m_notes.isEmpty()) return;
    const QImage picture = m_canvas.picture(m_width, m_length, m_notes);
    result.labels.append({picture, m_copies, m_notes});
    m_notes.clear();
}

// The printer's bitmap fonts A to H: character height and width, and the pitch, in dots;
// a size asked for is a whole multiple of these.
struct BitmapFont {
    char name;
    int height, width, advance;
};
constexpr BitmapFont BitmapFonts[] = {{'A', 9, 5, 6},    {'B', 11, 7, 9},   {'C', 18, 10, 12}, {'D', 18, 10, 12},
                                      {'E', 28, 15, 20}, {'F', 26, 13, 16}, {'G', 60, 40, 40}, {'H', 21, 13, 19}};

void Printer::drawText(const QString& text) {
    const char font = m_field.font ? m_field.font : m_defaultFont;
    const BitmapFont* bitmap = nullptr;
    for (const BitmapFont& f : BitmapFonts)
        if (f.name == font) bitmap = &f;
    if (bitmap) {
        // Sizes are rounded to whole magnifications of the font's matrix.
        const int sizeH = m_field.font ? m_field.fontHeight : m_defaultHeight;
        const int sizeW = m_field.font ? m_field.fontWidth : m_defaultWidth;
        const int mh = std::max(1, int(std::lround(qreal(sizeH > 0 ? sizeH : bitmap->height) / bitmap->height)));
        const int mw = sizeW > 0 ? std::max(1, int(std::lround(qreal(sizeW) / bitmap->width))) : sizeH > 0 ? mh : 1;
        m_nextTypeset = addText(m_canvas, m_field.place, text, bitmap->height * mh, bitmap->width * mw,
                                m_field.block, bitmap->advance * mw);
        return;
    }
    if (font != '0') note(QStringLiteral("^A%1").arg(QLatin1Char(font)));
    // A size given alone stands for both; none takes the sizes of ^CF, or 15 x 12.
    const int h = m_field.fontHeight > 0 ? m_field.fontHeight
                  : m_field.fontWidth > 0 ? m_field.fontWidth
                  : m_defaultHeight > 0   ? m_defaultHeight
                                          : 15;
    const int w = m_field.fontWidth > 0    ? m_field.fontWidth
                  : m_field.fontHeight > 0 ? h
                  : m_defaultWidth > 0     ? m_defaultWidth
                                           : 12;
    m_nextTypeset = addText(m_canvas, m_field.place, text, std::max(h, 1), std::max(w, 1), m_field.block);
}

void Printer::drawBarcode(const QByteArray& data) {
    const QByteArray& type = m_field.symbology;
    const QByteArrayList& p = m_field.barcode;
    if (type == "BQ") return drawQr(data);
    if (type == "BX") {
        const int module = number(p, 1, m_moduleWidth, 1, 100);
        if (!p.value(2).isEmpty() && p.value(2) != "200")
            note(QStringLiteral("^BX (qualidade %1)").arg(QString::fromLatin1(p.value(2))));
        const Symbol symbol = dataMatrix(data, number(p, 3, 0, 0, 144), number(p, 4, 0, 0, 144));
        if (!symbol.error.isEmpty()) return note(QStringLiteral("^BX (%1)").arg(symbol.error));
        return addMatrix(m_canvas, m_field.place, symbol, module, module);
    }
    if (type == "BD") {
        // MaxiCode is an inch wide. In modes 2 and 3 the data opens with the class of
        // service (3), the country (3) and the postal code (9 digits, or 6 characters).
        const int mode = number(p, 0, 2, 2, 6);
        QByteArray primary, message = data;
        if (mode <= 3) {
            const int postal = mode == 2 ? 9 : 6;
            primary = data.mid(6, postal) + data.mid(3, 3) + data.left(3);
            message = data.mid(6 + postal);
        }
        const Shapes symbol = maxiCode(message, mode, primary, 225);
        if (!symbol.error.isEmpty()) return note(QStringLiteral("^BD (%1)").arg(symbol.error));
        const FieldPlace& at = m_field.place;
        return addShapes(m_canvas, {at.origin, at.typeset, 'N', at.reversed}, symbol);
    }
    if (type == "B0" || type == "BO") {
        const Symbol symbol = aztec(data);
        if (!symbol.error.isEmpty()) return note(QStringLiteral("^%1 (%2)").arg(QString::fromLatin1(type), symbol.error));
        const int module = number(p, 1, 2, 1, 10);
        return addMatrix(m_canvas, m_field.place, symbol, module, module);
    }
    if (type == "BF") {
        const Symbol symbol = microPdf417(data);
        if (!symbol.error.isEmpty()) return note(QStringLiteral("^BF (%1)").arg(symbol.error));
        return addMatrix(m_canvas, m_field.place, symbol, m_moduleWidth, number(p, 1, m_barHeight, 1, MaxDots));
    }
    if (type == "B7") {
        const Symbol symbol = pdf417(data, number(p, 2, 0, 0, 8), number(p, 3, 0, 0, 30), number(p, 4, 0, 0, 90),
                                     yes(p.value(5), false));
        if (!symbol.error.isEmpty()) return note(QStringLiteral("^B7 (%1)").arg(symbol.error));
        return addMatrix(m_canvas, m_field.place, symbol, m_moduleWidth, number(p, 1, m_barHeight, 1, MaxDots));
    }
    // The one-row symbols: orientation, height, interpretation line and its place, each
    // command with its own parameter order.
    Symbol symbol;
    QByteArray line;
    int heightAt = 1, lineAt = 2;
    qreal ratio = 0; // the wide-to-narrow ratio of ^BY, for the symbols with two widths
    if (type == "BC") {
        const QByteArray mode = p.value(5).toUpper();
        if (mode.isEmpty() || mode == "N") {
            const Code128 printed = code128Printed(data);
            symbol = printed.symbol;
            line = printed.text;
        } else if (mode == "D") {
            // GS1: the element strings with their identifiers in parentheses, FNC1 first.
            QByteArray strings = data;
            strings.replace(">8", "");
            symbol = gs1_128(strings);
            line = symbol.text;
        } else {
            if (mode != "A") note(QStringLiteral("^BC (modo %1)").arg(QString::fromLatin1(mode)));
            symbol = code128(data);
            line = data;
        }
    } else if (type == "BE") {
        symbol = ean13(digitsOnly(data).left(12).rightJustified(12, '0'));
        line = symbol.text;
    } else if (type == "BU") {
        symbol = upcA(digitsOnly(data).left(11).rightJustified(11, '0'));
        line = symbol.text;
    } else if (type == "B3") {
        heightAt = 2;
        lineAt = 3;
        symbol = code39(data.toUpper(), yes(p.value(1), false));
        ratio = m_wideRatio;
        line = '*' + data.toUpper() + '*';
    } else if (type == "B8") {
        symbol = ean8(digitsOnly(data).left(7).rightJustified(7, '0'));
        line = symbol.text;
    } else if (type == "BA") {
        symbol = code93(data);
        line = data;
    } else if (type == "BK") {
        // Codabar: orientation, check digit, height, line, line above, start and stop.
        heightAt = 2;
        lineAt = 3;
        const auto ends = [&](int at) {
            const QByteArray e = p.value(at).toUpper();
            return !e.isEmpty() && QByteArrayLiteral("ABCD").contains(e.at(0)) ? e.at(0) : 'A';
        };
        symbol = codabar(data.toUpper(), ends(5), ends(6));
        line = ends(5) + data.toUpper() + ends(6);
        ratio = m_wideRatio;
    } else if (type == "B2") {
        symbol = interleaved2of5(digitsOnly(data), yes(p.value(4), false));
        ratio = m_wideRatio;
        line = symbol.text;
    }
    if (!symbol.error.isEmpty())
        return note(QStringLiteral("^%1 \"%2\" (%3)").arg(QString::fromLatin1(type), decodeField(data, m_codePage),
                                                          symbol.error));
    const char linePlace = !yes(p.value(lineAt), true) ? 0 : yes(p.value(lineAt + 1), false) ? 'A' : 'B';
    if ((type == "BE" || type == "BU") && linePlace == 'B' && symbol.columns == 95)
        return addRetail(m_canvas, m_field.place, symbol, m_moduleWidth, number(p, heightAt, m_barHeight, 1, MaxDots),
                         QString::fromLatin1(line), type == "BU");
    addLinear(m_canvas, m_field.place, barWidths(symbol, m_moduleWidth, ratio), m_moduleWidth,
              number(p, heightAt, m_barHeight, 1, MaxDots), decodeField(line, m_codePage), linePlace);
}

void Printer::drawQr(const QByteArray& data) {
    // The field data opens with the error correction level (H, Q, M, L) and the input
    // mode ("A" automatic, "M" manual, then a character mode: N, A, K, or B with a
    // four-digit byte count), then a comma; mixed mode ("Dnnmmpp,") names its parts first.
    const QByteArrayList& p = m_field.barcode;
    if (!p.value(1).isEmpty() && p.value(1) != "2")
        note(QStringLiteral("^BQ (modelo %1)").arg(QString::fromLatin1(p.value(1))));
    const int m = number(p, 2, 2, 1, 100);
    const QByteArray given = p.value(3).toUpper();
    char level = given.isEmpty() ? 'Q' : QByteArrayLiteral("HQML").contains(given.at(0)) ? given.at(0) : 'M';
    QByteArray content = data;
    if (content.size() > 7 && content.at(0) == 'D' && content.at(7) == ',') {
        note(QStringLiteral("^BQ (modo misto)"));
        content = content.mid(content.indexOf(',') + 1);
    }
    const auto isLevel = [](char c) { return c && QByteArrayLiteral("HQML").contains(char(std::toupper(uchar(c)))); };
    if (content.size() >= 3 && isLevel(content.at(0)) && content.at(2) == ',') {
        level = char(std::toupper(uchar(content.at(0))));
        const char input = char(std::toupper(uchar(content.at(1))));
        content = content.mid(3);
        if (input == 'M' && !content.isEmpty()) {
            const char mode = char(std::toupper(uchar(content.at(0))));
            content = content.mid(mode == 'B' ? 5 : 1);
        }
    }
    const Symbol symbol = qrCode(content, level);
    if (!symbol.error.isEmpty()) return note(QStringLiteral("^BQ (%1)").arg(symbol.error));
    const FieldPlace& at = m_field.place;
    addMatrix(m_canvas, {at.origin, at.typeset, 'N', at.reversed}, symbol, m, m, QrTopOffset, QrTypesetModules * m);
}

void Printer::drawGraphic() {
    const auto found = m_graphics.constFind(m_field.graphic);
    if (found == m_graphics.constEnd()) {
        note(QStringLiteral("^XG %1 (gráfico ausente)").arg(m_field.graphic));
        return;
    }
    const FieldPlace& at = m_field.place;
    addImage(m_canvas, {at.origin, at.typeset, 'N', at.reversed}, *found, m_field.magnifyX, m_field.magnifyY);
}

void Printer::downloadGraphic(const Command& c) {
    // name,total bytes,bytes per row,data; the data may hold commas of its own.
    const QByteArrayList p = c.params.split(',');
    if (p.size() < 4) return note(QStringLiteral("~DG %1 (incompleto)").arg(graphicName(p.value(0))));
    const int total = number(parameters(p.at(1)), 0, -1, 1, MaxGraphicBytes);
    const int perRow = number(parameters(p.at(2)), 0, -1, 1, 9999);
    const QByteArray data = c.params.mid(p.at(0).size() + p.at(1).size() + p.at(2).size() + 3);
    const QByteArray bits = decodeGraphicField(data, perRow, total);
    const QString name = graphicName(p.at(0));
    if (bits.isEmpty()) return note(QStringLiteral("~DG %1 (inválido ou incompleto)").arg(name));
    m_graphics.insert(name, graphicImage(bits, perRow));
}

void Printer::graphicField(const Command& c) {
    // format,data bytes,total bytes,bytes per row,data; the data may hold commas of its own.
    const QByteArrayList p = c.params.split(',');
    m_field.data.reset();
    if (p.size() < 5) return note(QStringLiteral("^GF (incompleto)"));
    const QByteArray type = p.at(0).trimmed().toUpper();
    if (!type.isEmpty() && type != "A") return note(QStringLiteral("^GF%1").arg(QString::fromLatin1(type)));
    const int total = number(parameters(p.at(2)), 0, -1, 1, MaxGraphicBytes);
    const int perRow = number(parameters(p.at(3)), 0, -1, 1, 9999);
    const QByteArray data = c.params.mid(p.at(0).size() + p.at(1).size() + p.at(2).size() + p.at(3).size() + 4);
    const QByteArray bits = decodeGraphicField(data, perRow, total);
    if (bits.isEmpty()) return note(QStringLiteral("^GF (inválido ou incompleto)"));
    m_field.kind = Field::Kind::Image;
    m_field.image = graphicImage(bits, perRow);
    m_field.data = QByteArray();
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
