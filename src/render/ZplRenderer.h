#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// Pictures of the labels in a job, made from the very bytes that go to the printer, one
// pixel per printer dot (8 dots/mm).
//
// It reads the ZPL this program writes and no more: ^XA ^XZ ^LH ^LS ^PW ^LL ^FO ^FT ^FD
// ^FS ^FH ^FB, the scalable font ^A0 (N, R, I, B), ^GB, ^BY, ^BC (Code 128), ^BQ (QR),
// ~DG / ^XG / ^ID (stored graphics) and ^PQ. The set-up commands (~TA ~JS ^LT ^MN ^MT
// ^PO ^PM ^JM ^PR ~SD ^SD ^JU ^LR ^CI ^MM) and the control prefix are read and ignored.
// Any other command is named in a red "Não mostrado:" note under the picture.
//
// Where a picture and the printed label may differ:
// - text is Liberation Sans Narrow Bold stretched to the field's height and width, not the
//   printer's own font 0: lengths differ by a few percent;
// - Code 128 bars are libzint's encoding of the same content: when a job forces subsets
//   (">;" with an odd number of digits) the printer's symbol may be a few modules longer;
// - a QR code under ^FT sits with its lower left corner on the origin, as barcodes do;
//   printers place it a few dots differently;
// - a label whose fields reach past ^LL is drawn long enough to show them (the printer
//   measures gap-sensed stock itself); speed, darkness and media are not pictured.
//
// Needs a QGuiApplication (the offscreen platform will do) for the font.
namespace render {

struct RenderedLabel {
    QImage picture;
    int copies = 1;       // from ^PQ: the printer prints this many, the picture shows one
    QStringList notShown; // commands whose effect the picture lacks, e.g. "^GS"
};

struct RenderResult {
    QList<RenderedLabel> labels; // one per label format that draws something
    QString error;               // set only when the job holds no label format at all

    bool ok() const { return error.isEmpty(); }
    QList<QImage> pictures() const;
};

// One job, read as a printer reads it: a value out of range or odd takes what the printer
// makes of it, a format cut short is drawn as far as it goes. A format that draws nothing
// (a set-up format, one that only deletes a graphic) gives no picture.
RenderResult renderJob(const QByteArray& job);

// Several jobs sent one after the other: graphics downloaded by one stay for the next,
// as in the printer's memory.
RenderResult renderJobs(const QList<QByteArray>& jobs);

} // namespace render
