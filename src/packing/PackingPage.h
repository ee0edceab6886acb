#pragma once

#include "packing/PrintLine.h"

class QPagedPaintDevice;

// Paints the lines of one packing-list document in Arial 10 (Liberation Sans where Arial
// is not installed), each piece at its character column. A piece whose column the text
// before it has already reached goes to that column of the next line, so columns never
// run into each other. Column 1 is the left edge of the printable area (the device's own,
// at least 10 mm from the paper's edges); when a line would pass its right edge the whole
// document's text is scaled down to fit, and a full page continues on a new one. False
// when the device cannot be painted on.
bool paintPackingDocument(QPagedPaintDevice& device, const QList<PrintLine>& lines);
