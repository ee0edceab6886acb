#include "render/Code128.h"

#include <array>

namespace render {

namespace {
// Bar and space widths of the 107 symbol characters (value 106 is the stop, with its
// final bar), as the symbology defines them.
constexpr std::array<const char*, 107> Patterns = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

enum : int { CodeC = 99, CodeB = 100, CodeA = 101, Fnc1 = 102, StartA = 103, StartB = 104, StartC = 105, Stop = 106 };

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

class Builder {
public:
    QList<int> values;
    QByteArray text;
    char subset = 'B';

    void start(char s) {
        subset = s;
        values << (s == 'A' ? StartA : s == 'B' ? StartB : StartC);
    }
    void switchTo(char s) {
        if (s == subset) return;
        values << (s == 'A' ? CodeA : s == 'B' ? CodeB : CodeC);
        subset = s;
    }
    // A character of the content in subset A or B.
    void character(uchar c) {
        if (subset == 'C') switchTo('B');
        if (subset == 'B' && (c < 32 || c > 127)) switchTo('A');
        if (subset == 'A' && c >= 96) switchTo('B');
        values << (c < 32 ? c + 64 : c - 32);
        text.append(char(c));
    }
};
} // namespace

Code128 code128Printed(const QByteArray& data) {
    Builder b;
    qsizetype i = 0;
    const auto invocation = [&](qsizetype at) { return at + 1 < data.size() && data.at(at) == '>' ? data.at(at + 1) : 0; };
    const char opening = invocation(0);
    if (opening == '9' || opening == ':' || opening == ';') {
        b.start(opening == '9' ? 'A' : opening == ':' ? 'B' : 'C');
        i = 2;
    } else {
        b.start('B');
    }
    while (i < data.size()) {
        const char code = invocation(i);
        if (code) {
            i += 2;
            switch (code) {
            case '<': case '0': b.character('>'); break;
            case '=': b.character('~'); break;
            case '1': b.character(127); break;
            case '2': b.values << 96; break;
            case '3': b.values << 97; break;
            case '4': b.values << 98; break;
            case '5': b.switchTo('C'); break;
            case '6': b.switchTo('B'); break;
            case '7': b.switchTo('A'); break;
            case '8': b.values << Fnc1; break;
            default: break; // a start code inside the data means nothing
            }
            continue;
        }
        const char c = data.at(i);
        if (b.subset != 'C') {
            b.character(uchar(c));
            ++i;
            continue;
        }
        if (!isDigit(c)) {
            ++i;
            continue;
        }
        if (i + 1 < data.size() && isDigit(data.at(i + 1))) {
            b.values << (c - '0') * 10 + (data.at(i + 1) - '0');
            b.text.append(data.mid(i, 2));
            i += 2;
        } else if (i + 1 < data.size() && data.at(i + 1) != '>') {
            i += 2; // the pair is spoilt by its second character
        } else {
            b.character(uchar(c)); // a digit without its pair
            ++i;
        }
    }
    int check = b.values.first();
    for (int k = 1; k < b.values.size(); ++k)
        check += b.values[k] * k;
    b.values << check % 103 << Stop;

    Code128 out;
    out.text = b.text;
    Symbol& s = out.symbol;
    s.rows = 1;
    for (const int v : b.values) {
        bool bar = true;
        for (const char* w = Patterns[v]; *w; ++w, bar = !bar)
            for (int k = 0; k < *w - '0'; ++k)
                s.dark << bar;
    }
    s.columns = int(s.dark.size());
    return out;
}

} // namespace render
