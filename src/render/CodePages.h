#pragma once

#include <QByteArray>
#include <QString>

// The text of field data as the printer reads its bytes under "^CI": code page 850 for
// 0 to 13 (the printer's own default), Windows-1252 for 27, UTF-8 for 28, Windows-1254
// for 35 (Windows-1252 but for six Turkish letters).
namespace render {

// Whether the printer's code page `ci` is one the pictures know.
bool knownCodePage(int ci);

// `bytes` in code page `ci` (an unknown one is read as code page 850).
QString decodeField(const QByteArray& bytes, int ci);

} // namespace render
