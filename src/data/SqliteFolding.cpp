#include "data/SqliteFolding.h"

#include "data/FoldingSql.h"
#include "data/SqlText.h"

#include <QString>

#include <sqlite3.h>

#include <algorithm>
#include <cctype>

namespace {

QString fromSqlite(const void* text, int bytes)
{
    return QString::fromUtf8(static_cast<const char*>(text), bytes);
}

// Text comparison of the stores ignores letter case, accented letters included
// (SQLite's own NOCASE folds only A to Z). Registered under a name of its own: the
// built-in NOCASE orders the files' indexes and stays as every SQLite tool knows it.
int compareNoCase(void*, int lenA, const void* a, int lenB, const void* b)
{
    // Plain ASCII texts (nearly all of them) are compared byte by byte, without folding
    // copies; any other text is folded whole.
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    const int n = std::min(lenA, lenB);
    bool ascii = true;
    for (int i = 0; i < lenA && ascii; ++i) ascii = pa[i] < 0x80;
    for (int i = 0; i < lenB && ascii; ++i) ascii = pb[i] < 0x80;
    if (ascii) {
        for (int i = 0; i < n; ++i) {
            const int ca = std::tolower(pa[i]), cb = std::tolower(pb[i]);
            if (ca != cb) return ca < cb ? -1 : 1;
        }
        return lenA == lenB ? 0 : (lenA < lenB ? -1 : 1);
    }
    const int r = QString::compare(foldCase(fromSqlite(a, lenA)), foldCase(fromSqlite(b, lenB)));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

// SQL LIKE with % and _ (and an optional escape character), on folded text.
bool likeMatch(const QString& pattern, const QString& text, QChar escape)
{
    const qsizetype pn = pattern.size(), tn = text.size();
    qsizetype p = 0, t = 0, starP = -1, starT = 0;
    while (t < tn) {
        if (p < pn && !escape.isNull() && pattern[p] == escape && p + 1 < pn) {
            if (pattern[p + 1] == text[t]) {
                p += 2;
                ++t;
                continue;
            }
        } else if (p < pn && pattern[p] == QLatin1Char('%')) {
            starP = p++;
            starT = t;
            continue;
        } else if (p < pn && (pattern[p] == QLatin1Char('_') || pattern[p] == text[t])) {
            ++p;
            ++t;
            continue;
        }
        if (starP < 0) return false;
        p = starP + 1;
        t = ++starT;
    }
    while (p < pn && pattern[p] == QLatin1Char('%')) ++p;
    return p == pn;
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    // like(pattern, text [, escape]); a null operand gives null, as in SQL.
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    const QString pattern = foldCase(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0]))));
    const QString text = foldCase(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[1]))));
    QChar escape;
    if (argc == 3) {
        const QString e = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[2])));
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = foldCase(e)[0];
    }
    sqlite3_result_int(ctx, likeMatch(pattern, text, escape) ? 1 : 0);
}

} // namespace

void registerFolding(sqlite3* h)
{
    sqlite3_create_collation_v2(h, foldingSql::kCollation, SQLITE_UTF8, nullptr, compareNoCase, nullptr);
    sqlite3_create_function_v2(h, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, likeFunction, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(h, "like", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, likeFunction, nullptr,
                               nullptr, nullptr);
}
