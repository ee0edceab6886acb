#pragma once

#include <QString>

// The arithmetic of label quantities, as the Brazilian workstation does it.
namespace quantity {

// The most labels (pack volumes) one order line may ask for: the label's count and
// volume fields are laid out for four digits ("0000"), and no real order line comes
// near it, so a larger quantity can only come from a damaged order.
constexpr int kMaxLabelsPerLine = 9999;

// Whether a quantity read from an order line is a number within that bound (a number
// that is not finite never is).
bool withinLineBound(double quantity);

// A number written with the decimal comma and read back by a reader that stops at
// anything but "." drops its fraction: whole(12.5) = 12, whole(-3.7) = -3.
double whole(double value);

// Rounds halves away from zero and writes at least `digits` digits, zero-padded
// (13.5 with 4 digits gives "0014"; 12345 stays "12345"; -2 gives "-002" with 3).
QString divText(double rows, int digits);

} // namespace quantity
