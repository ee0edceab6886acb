#pragma once

#include "render/Symbols.h"

#include <QByteArray>
#include <QString>

// Code 128 as a label printer builds it from the field data of "^BC" in its normal mode:
// the job chooses the subsets. ">9", ">:" and ">;" open the symbol in subset A, B or C
// (B when the data opens with none), ">7", ">6" and ">5" switch to A, B or C, ">8" is
// FNC1, ">2" FNC3, ">3" FNC2, ">4" SHIFT, and "><" / ">0" a ">", ">=" a "~", ">1" DEL.
// Subset C takes the digits in pairs; a character that is not a digit where a pair
// starts is skipped, a pair whose second character is not a digit is skipped, and a
// digit left without its pair is printed in subset B (the switch back to C follows only
// when the job asks for it). A switch to the subset already in use adds nothing.
namespace render {

struct Code128 {
    Symbol symbol;    // one row of modules: start, data, check character, stop
    QByteArray text;  // what a reader decodes (the interpretation line prints this)
};

Code128 code128Printed(const QByteArray& data);

} // namespace render
