#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QStringList>
#include <QTransform>

#include <functional>
#include <optional>
#include <vector>

// The ink of one label format, gathered field by field, then drawn into a picture of
// one pixel per printer dot.
namespace render {

// Where an element goes: `origin` is the field origin; with a typeset origin ("^FT") the
// element's own point (0,0) lands there (the baseline start of text, the lower left
// corner of a barcode, box or graphic); with a top-left origin ("^FO") the upper left
// corner of the element as printed does. `orientation` is N, R (90° clockwise), I (180°)
// or B (270°); `local` is the element's extent around its own (0,0).
QTransform placement(QPointF origin, bool typeset, char orientation, const QRectF& local);

// Where a field goes: its origin, whether typeset ("^FT") or top-left ("^FO"), its
// orientation and whether it is reversed ("^FR").
struct FieldPlace {
    QPointF origin;
    bool typeset = false;
    char orientation = 'N';
    bool reversed = false;
};

class LabelCanvas {
public:
    using Paint = std::function<void(QPainter&)>;

    // An element drawn by `paint` in its own coordinates, within `local`, in black (or
    // white, as it chooses). A reversed element ("^FR") turns every dot it covers to the
    // opposite of what lies beneath: black on white, white on black.
    void add(const QRectF& local, const QTransform& place, Paint paint, bool reversed = false);
    void add(const QRectF& local, const FieldPlace& at, Paint paint) {
        add(local, placement(at.origin, at.typeset, at.orientation, local), std::move(paint), at.reversed);
    }
    bool isEmpty() const { return m_ink.empty(); }

    // The picture: `width` dots wide (0: as wide as the ink reaches), `length` dots long
    // or longer when the ink reaches further (gap-sensed stock is measured by the printer,
    // not by "^LL"), white, with `notes` written in red in a band below the label. Ink
    // beyond any real label is cut off, with a note added to `notes` saying so.
    QImage picture(int width, int length, QStringList& notes) const;

private:
    struct Ink {
        QRectF local;
        QTransform place;
        Paint paint;
        bool reversed;
    };
    std::vector<Ink> m_ink;
    QRectF m_extent;
};

} // namespace render
