#pragma once

#include <QList>
#include <QString>

// One piece of text of a printed line, starting at a character column: columns are
// counted from 1 at the left margin, in average character widths of the page font.
struct PrintPiece {
    int column = 1;
    QString text;
    bool operator==(const PrintPiece&) const = default;
};

// A printed line: its pieces from left to right; no pieces is an empty line.
using PrintLine = QList<PrintPiece>;
