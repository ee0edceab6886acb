#include "labels/QuantityRules.h"

#include <cmath>

namespace quantity {

double whole(double value)
{
    return std::trunc(value);
}

bool withinLineBound(double quantity)
{
    return quantity <= kMaxLabelsPerLine;  // false for NaN too
}

QString divText(double rows, int digits)
{
    const double rounded = std::round(rows);  // halves away from zero
    const QString magnitude =
        QString::number(std::fabs(rounded), 'f', 0).rightJustified(digits, QLatin1Char('0'));
    return rounded < 0 ? QLatin1Char('-') + magnitude : magnitude;
}

} // namespace quantity
