#include "data/FoldingSql.h"

namespace foldingSql {

namespace {

const QString kCollateClause = QStringLiteral(" COLLATE ") + QLatin1String(kCollation);

bool startsWord(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}

bool continuesWord(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') ||
           c.category() == QChar::Mark_NonSpacing;
}

// Where a quoted piece that opens at `from` with `open` ends (one past its closing
// character; a doubled closing character stays inside).
qsizetype quotedEnd(const QString& sql, qsizetype from, QChar close) {
    const qsizetype n = sql.size();
    qsizetype j = from + 1;
    while (j < n) {
        if (sql[j] == close) {
            if (close != QLatin1Char(']') && j + 1 < n && sql[j + 1] == close) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return n;
}

bool followsComparison(const QString& out) {
    qsizetype k = out.size() - 1;
    while (k >= 0 && out[k].isSpace())
        --k;
    return k >= 0 && (out[k] == QLatin1Char('=') || out[k] == QLatin1Char('<') || out[k] == QLatin1Char('>'));
}

// The ORDER BY list being copied: which of its terms is a plain column reference.
struct OrderByTerms {
    bool active = false;
    bool plainColumn = true;  // nothing but names joined by dots so far
    bool afterDot = true;     // a name may come next
    bool closed = false;      // ASC, DESC or NULLS seen: the term's expression is over
    qsizetype columnEnd = -1; // where the column reference ends in the output
    int depth = 0;

    void start() {
        active = true;
        depth = 0;
        nextTerm();
    }
    void nextTerm() {
        plainColumn = true;
        afterDot = true;
        closed = false;
        columnEnd = -1;
    }
    // Writes the collation after the term when it is a plain column.
    void close(QString& out) {
        if (!closed && plainColumn && columnEnd >= 0) out.insert(columnEnd, kCollateClause);
        closed = true;
    }
    void name(qsizetype end) {
        if (closed) return;
        if (!afterDot) plainColumn = false;
        afterDot = false;
        columnEnd = end;
    }
};

} // namespace

bool needsFolding(QStringView text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80) return true;
    return false;
}

QString apply(const QString& sql) {
    // Most statements have nothing to ask for: no comparison with a character outside
    // ASCII, no ORDER BY (an import's INSERT statements, above all).
    const bool compares =
        sql.contains(QLatin1Char('=')) || sql.contains(QLatin1Char('<')) || sql.contains(QLatin1Char('>'));
    if (!(compares && needsFolding(sql)) && !sql.contains(QLatin1String("ORDER"), Qt::CaseInsensitive))
        return sql;

    const QStringView in(sql);
    QString out;
    out.reserve(sql.size() + 32);
    OrderByTerms order;
    bool afterOrder = false; // the previous word was ORDER
    const qsizetype n = in.size();
    qsizetype i = 0;
    auto is = [](QStringView word, const char* keyword) {
        return word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
    };
    while (i < n) {
        const QChar c = in[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype end = quotedEnd(sql, i, c);
            const QStringView literal = in.mid(i, end - i);
            const bool compared = followsComparison(out);
            out += literal;
            if (compared && needsFolding(literal)) out += kCollateClause;
            if (order.active) order.plainColumn = false;
            i = end;
            afterOrder = false;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const qsizetype end = quotedEnd(sql, i, c == QLatin1Char('[') ? QLatin1Char(']') : c);
            out += in.mid(i, end - i);
            if (order.active) order.name(out.size());
            i = end;
            afterOrder = false;
        } else if (startsWord(c) || c.isDigit()) {
            qsizetype j = i + 1;
            while (j < n && continuesWord(in[j]))
                ++j;
            const QStringView word = in.mid(i, j - i);
            if (order.active) {
                if (c.isDigit()) {
                    order.plainColumn = false;
                } else if (is(word, "ASC") || is(word, "DESC") || is(word, "NULLS")) {
                    order.close(out);
                } else if (is(word, "COLLATE")) {
                    order.plainColumn = false;
                    order.closed = true;
                } else if (is(word, "LIMIT") || is(word, "OFFSET")) {
                    order.close(out);
                    order.active = false;
                }
            }
            out += word;
            if (order.active && !c.isDigit() && !order.closed) order.name(out.size());
            if (afterOrder && is(word, "BY")) order.start();
            afterOrder = is(word, "ORDER");
            i = j;
        } else {
            if (order.active) {
                if (c == QLatin1Char('(')) {
                    ++order.depth;
                    order.plainColumn = false;
                } else if (c == QLatin1Char(')') && order.depth > 0) {
                    --order.depth;
                } else if ((c == QLatin1Char(')') || c == QLatin1Char(';')) && order.depth == 0) {
                    order.close(out);
                    order.active = false;
                } else if (c == QLatin1Char(',') && order.depth == 0) {
                    order.close(out);
                    order.nextTerm();
                } else if (c == QLatin1Char('.')) {
                    order.afterDot = true;
                } else if (!c.isSpace()) {
                    order.plainColumn = false;
                }
            }
            out += c;
            ++i;
            if (!c.isSpace()) afterOrder = false;
        }
    }
    if (order.active) order.close(out);
    return out;
}

} // namespace foldingSql
