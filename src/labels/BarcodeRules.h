#pragma once

#include <QString>

// The Code 128 data of a label: the barcode number with the subset start and switch
// codes the printer needs (">;" start C, ">:" start B, ">5" to C, ">6" to B).
namespace barcode {

// Whether the whole text reads as a number (digits, with an optional sign and one
// decimal mark, blanks around allowed).
bool isNumeric(const QString& code);

QString ruleCB(const QString& code);  // subset C for 14 characters, then B up to the 24th
QString ruleBC(const QString& code);  // first character in B, then C up to the 16th
QString ruleN(const QString& code);   // price sticker 54x26
QString ruleL(const QString& code);   // sewing label 50x16
QString ruleF(const QString& code);   // price tag 53x60

} // namespace barcode
