#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// Pictures of the labels in a job, made from the very bytes that go to the printer, one
// pixel per printer dot (8 dots/mm).
//
// It draws ^XA ^XZ ^LH ^LS ^LT ^PW ^LL ^LR ^FO ^FT ^FD ^FV ^SN ^FS ^FH ^FR ^FW ^FB ^TB;
// text in the scalable font and the bitmap fonts (^A, ^CF) read under ^CI (code page 850,
// Windows-1252, UTF-8); boxes, circles, ellipses and diagonals (^GB ^GC ^GE ^GD); stored
// and inline graphics (~DG ^XG ^IM ^IL ^ID ^GF, hexadecimal or base64); stored formats
// (^DF ^XF ^FN); the symbols ^BC (Code 128 with the job's subsets, or GS1-128), ^BQ (QR),
// ^BE (EAN-13), ^BU (UPC-A), ^B8 (EAN-8), ^B3 (Code 39), ^BA (Code 93), ^BK (Codabar), ^B2
// (interleaved 2 of 5), ^BX (Data Matrix), ^B7 (PDF417), ^BF (MicroPDF417), ^B0 (Aztec)
// and ^BD (MaxiCode) with their interpretation lines; and ^PQ. The set-up commands (~TA
// ~JS ^MN ^MT ^PO ^PM ^JM ^PR ~SD ^SD ^JU ^MM ^MD ^PA ^SZ ^XB ^MW and the like), comments
// (^FX) and the control prefix are read and ignored. Any other command, and whatever
// cannot be drawn, is named in a red "Não mostrado:" note under the picture.
//
// Where a picture and the printed label may differ:
// - text is Liberation Sans Narrow Bold in a cell of the field's height, its baseline three
//   quarters down, stretched to the field's width, not the printer's own font 0: lengths
//   differ by a few percent; the bitmap fonts A to H are drawn in it too, at their matrix
//   sizes and pitch; any other font (^A@ by name, a downloaded one) is drawn as font 0
//   and named;
// - interpretation lines are centred under (or over) the bars in the same font (EAN-13
//   and UPC-A in their digit groups between lengthened guard bars, as retail symbols are
//   printed; the first digit left of the field origin);
// - symbols other than Code 128 are libzint's encodings;
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
