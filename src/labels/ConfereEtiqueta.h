#pragma once

#include "session/Operator.h"

#include <QString>

// The read-back of a printed row: the operator reads the barcode of each requested
// label with the reader, and it must match the line's barcode number.

inline const QString LeftLabelPrompt = QStringLiteral("Leia o Código de Barras da Etiqueta do lado esquerdo:");
inline const QString RightLabelPrompt = QStringLiteral("Leia o Código de Barras da Etiqueta do lado direito:");

// A reading matches when it is the whole expected code, letter case aside: nothing is
// trimmed, so a reader that adds a blank or a suffix never matches.
bool barcodeReadingMatches(const QString& reading, const QString& expected);

// n is the first reading: 1 = left then right, 2 = right only, above 2 = none. Each
// reading is one Operator::readBarcode. Afterwards n holds the number after the last
// reading. False when the operator gave a reading up (n then stands on that reading).
bool ConfereEtiqueta(Operator& op, int& n, const QString& CODIG_BARR);
