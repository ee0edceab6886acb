#pragma once

#include "render/LabelCanvas.h"
#include "render/Symbols.h"

#include <QImage>
#include <QString>
#include <QVector>

// The ink of the fields that are not text: boxes, circles, ellipses and diagonal lines,
// barcode symbols and graphics. Each element's own point (0,0) is its lower left corner
// (the origin of "^FT"); under "^FO" its upper left corner sits on the origin.
namespace render {

// "^GB": a box `w` x `h` with sides `t` thick (filled when `t` reaches half a side),
// corners rounded by `rounding` eighths of half the shorter side.
void addBox(LabelCanvas& canvas, const FieldPlace& at, int w, int h, int t, bool white, int rounding);
// "^GE" and "^GC": an ellipse in a `w` x `h` box, its outline `t` thick.
void addEllipse(LabelCanvas& canvas, const FieldPlace& at, int w, int h, int t, bool white);
// "^GD": a line `t` dots wide across a `w` x `h` box, rising to the right ('R', "/") or
// falling ('L', "\").
void addDiagonal(LabelCanvas& canvas, const FieldPlace& at, int w, int h, int t, bool white, bool rising);

// The bars and spaces of a one-row symbol, left to right from its first bar, in dots:
// `module` dots a module; with a `wideRatio` (a two-width symbol, whose wide elements
// libzint draws two or three modules wide) each wide element is that many times a narrow one.
QVector<int> barWidths(const Symbol& symbol, int module, qreal wideRatio = 0);

// A one-row symbol of the given bar and space widths, `height` high, with its
// interpretation line `line` below it ('B'), above it ('A') or none (0); `module` sizes
// the line's text.
void addLinear(LabelCanvas& canvas, const FieldPlace& at, const QVector<int>& bars, int module, int height,
               const QString& line, char linePlace);
// EAN-13 or UPC-A (`upc`) with its digits under the bars as retail symbols print them: the
// guard bars (and for UPC-A the first and last digit's bars) reach down between the
// digit groups, the first digit stands left of the bars (and UPC-A's last one right).
void addRetail(LabelCanvas& canvas, const FieldPlace& at, const Symbol& symbol, int module, int height,
               const QString& digits, bool upc);

// A symbol of several rows, each module `moduleWidth` x `moduleHeight`, with `above` dots
// of space between its top and the element's and `below` dots under it.
void addMatrix(LabelCanvas& canvas, const FieldPlace& at, const Symbol& symbol, int moduleWidth,
               int moduleHeight, int above = 0, int below = 0);
// Round and hexagonal shapes (MaxiCode), their top left corner the element's.
void addShapes(LabelCanvas& canvas, const FieldPlace& at, const Shapes& shapes);

// A graphic, magnified `mx` times across and `my` times down.
void addImage(LabelCanvas& canvas, const FieldPlace& at, const QImage& image, int mx, int my);

} // namespace render
