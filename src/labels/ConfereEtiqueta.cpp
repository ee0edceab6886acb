#include "labels/ConfereEtiqueta.h"

bool barcodeReadingMatches(const QString& reading, const QString& expected)
{
    return reading.toUpper() == expected.toUpper();
}

bool ConfereEtiqueta(Operator& op, int& n, const QString& CODIG_BARR)
{
    while (n <= 2) {
        const QString& prompt = n == 2 ? RightLabelPrompt : LeftLabelPrompt;
        if (!op.readBarcode(prompt, CODIG_BARR)) return false;
        ++n;
    }
    return true;
}
