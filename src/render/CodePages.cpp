#include "render/CodePages.h"

#include "printing/Windows1252.h"

namespace render {

namespace {
// The upper half of code page 850, 0x80 to 0xFF.
const char16_t Cp850[129] =
    u"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜø£Ø×ƒáíóúñÑªº¿®¬½¼¡«»░▒▓│┤ÁÂÀ©╣║╗╝¢¥┐└┴┬├─┼ãÃ╚╔╩╦╠═╬¤ðÐÊËÈıÍÎÏ┘┌█▄¦Ì▀"
    u"ÓßÔÒõÕµþÞÚÛÙýÝ¯´\u00AD±‗¾¶§÷¸°¨·¹³²■\u00A0";

QString fromCp850(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes)
        out.append(uchar(c) < 0x80 ? QChar(uchar(c)) : QChar(Cp850[uchar(c) - 0x80]));
    return out;
}

QString fromWindows1254(const QByteArray& bytes) {
    QString out = fromWindows1252(bytes);
    for (qsizetype i = 0; i < bytes.size() && i < out.size(); ++i) {
        switch (uchar(bytes.at(i))) {
        case 0xD0: out[i] = u'Ğ'; break;
        case 0xDD: out[i] = u'İ'; break;
        case 0xDE: out[i] = u'Ş'; break;
        case 0xF0: out[i] = u'ğ'; break;
        case 0xFD: out[i] = u'ı'; break;
        case 0xFE: out[i] = u'ş'; break;
        default: break;
        }
    }
    return out;
}
} // namespace

bool knownCodePage(int ci) {
    return (ci >= 0 && ci <= 13) || ci == 27 || ci == 28 || ci == 35;
}

QString decodeField(const QByteArray& bytes, int ci) {
    switch (ci) {
    case 27: return fromWindows1252(bytes);
    case 28: return QString::fromUtf8(bytes);
    case 35: return fromWindows1254(bytes);
    default: return fromCp850(bytes);
    }
}

} // namespace render
