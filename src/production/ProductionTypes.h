#pragma once

#include "history/PrintHistory.h"
#include "labels/LabelBuilders.h"

#include <QString>

// What a production run of one label type needs: its builder and the texts of its
// statements. The window knows its label type only by its caption.
struct ProductionType {
    using Builder = LabelResult (*)(LabelContext&, double&, const QString&, const QString&, const QString&, short);

    QString caption;
    Builder builder;
    // The current line: first text, production number, second text.
    QString lookupFirst;
    QString lookupSecond;
    // The next line, shown under "Proximo".
    QString previewFirst;
    QString previewSecond;
    // The line to print: first text, production number, the middle text, order, last text.
    QString printFirst;
    QString printLast;
    // The line of a calibration run (same middle and last texts as printing).
    QString calibrationFirst;
    // The line's flag update ('A' when taken, 'S' with date and user when printed).
    QString lineUpdate;
    QString lineDate;
    QString lineUser;
    // The header's flag update once the order is done for this type.
    QString headerUpdate;

    QString lineFlag() const;    // the line's flag column ("IMPRESSOC")
    QString headerFlag() const;  // the header's flag column ("IMPRESSOETQ2")
    bool smallSummary() const;    // types 1 and 4 print the small order summary
    bool packQuantity() const;    // type 7 prints RQTD volumes instead of qtd_impres
    bool hasOptionBoxes() const;  // types 1, 3, 5/6 and 7 offer a layout choice
};

// The type whose caption is exactly `caption` (letter case and blanks count); nullptr
// for any other text.
const ProductionType* productionType(const QString& caption);

// The same for every type: between the production number and the order number.
extern const QString PrintMiddle;

// Every type's caption and line flag, in menu order, for the progress of a production
// number (history::PrintHistory::progress); types that share their flags show the same
// lines.
QList<history::TypeColumns> progressTypes();
