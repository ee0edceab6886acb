#pragma once

#include "render/LabelCanvas.h"

#include <QString>

// Text fields in the printer's scalable font: one line, or a field block ("^FB") that
// wraps words to its width, breaks lines at "\&", justifies them and indents all lines
// but the first by its hanging indent.
namespace render {

struct TextBlock {
    bool on = false;  // a "^FB" applies
    int width = 0;    // dots; 0: no wrapping
    int lines = 1;    // lines beyond these print over the last one
    int spacing = 0;  // extra dots between lines
    char justify = 'L'; // L, C, R or J
    int indent = 0;   // hanging indent of the lines after the first
    int height = 0;   // a text block ("^TB"): as many lines as fit this many dots
};

// The field's cell is `height` dots high, its baseline three quarters down it; `width`
// scales the glyphs across. A fixed-pitch font (the printer's bitmap fonts) places one
// character every `advance` dots; 0 for the scalable font. Under "^FO" the top of the
// cell sits on the origin, under "^FT" the baseline (of the block's last line).
// Returns where the text ends: the baseline point after its last character, where a
// "^FT" without a position puts the next field.
QPointF addText(LabelCanvas& canvas, const FieldPlace& at, const QString& text, int height, int width,
                const TextBlock& block, qreal advance = 0);

} // namespace render
