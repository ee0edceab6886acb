#pragma once

#include <QString>

class QPagedPaintDevice;

// The page printer the operator chose for one packing list. Every document painted on
// the device it hands out (QPainter::begin to QPainter::end) comes out as one print job
// starting on a new sheet.
class PagePrinter {
public:
    virtual ~PagePrinter() = default;
    // The device for the next document; nullptr when the printer cannot take one.
    virtual QPagedPaintDevice* startDocument(const QString& name) = 0;
};
