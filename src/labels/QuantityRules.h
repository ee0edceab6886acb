#pragma once

#include <QString>

// The arithmetic of label quantities, as the Brazilian workstation does it.
namespace quantity {

// A number written with the decimal comma and read back by a reader that stops at
// anything but "." drops its fraction: whole(12.5) = 12, whole(-3.7) = -3.
double whole(double value);

// Rounds halves away from zero and writes at least `digits` digits, zero-padded
// (13.5 with 4 digits gives "0014"; 12345 stays "12345"; -2 gives "-002" with 3).
QString divText(double rows, int digits);

} // namespace quantity
