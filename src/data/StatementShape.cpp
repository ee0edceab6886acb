#include "data/StatementShape.h"

namespace {

// The end of the quoted span that starts at `at` (its closing quote), -1 when left open.
// Doubled quotes inside a literal do not end it; a bracketed name ends at ].
qsizetype quoteEnd(QStringView sql, qsizetype at)
{
    const QChar open = sql[at];
    const QChar close = open == u'[' ? QChar(u']') : open;
    for (qsizetype i = at + 1;; i += 2) {
        i = sql.indexOf(close, i);
        if (i < 0 || open != u'\'' || i + 1 >= sql.size() || sql[i + 1] != u'\'') return i;
    }
}

bool isQuote(QChar c)
{
    return c == u'\'' || c == u'"' || c == u'[';
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// True when `sql` holds `word` as a whole word at `at`.
bool wordAt(QStringView sql, qsizetype at, QLatin1StringView word)
{
    return sql.mid(at).startsWith(word, Qt::CaseInsensitive) && (at == 0 || !isWordChar(sql[at - 1])) &&
           (at + word.size() >= sql.size() || !isWordChar(sql[at + word.size()]));
}

} // namespace

QString StatementShape::value(int i) const
{
    QString v = literals.at(i).toString();
    if (doubledQuotes.contains(i)) v.replace(QStringLiteral("''"), QStringLiteral("'"));
    return v;
}

bool isChangeStatement(QStringView sql)
{
    sql = sql.trimmed();
    for (const char* verb : {"INSERT", "UPDATE", "DELETE"})
        if (sql.startsWith(QLatin1String(verb), Qt::CaseInsensitive)) return true;
    return false;
}

namespace {
// The end of the unquoted number that starts at `at` after an = and blanks, or -1 when
// none starts there (a name, a sign, an expression).
qsizetype numberEnd(QStringView sql, qsizetype at)
{
    qsizetype i = at;
    while (i < sql.size() && sql[i].isDigit()) ++i;
    if (i == at) return -1;
    if (i + 1 < sql.size() && sql[i] == u'.' && sql[i + 1].isDigit())
        for (++i; i < sql.size() && sql[i].isDigit(); ++i) {}
    if (i < sql.size() && (isWordChar(sql[i]) || sql[i] == u'.')) return -1;
    return i;
}
} // namespace

std::optional<StatementShape> shapeOf(const QString& statement, ShapeNumbers numbers)
{
    const QStringView sql(statement);
    StatementShape shape;
    shape.text.reserve(sql.size());
    shape.literals.reserve(32);
    qsizetype copied = 0;  // sql up to here is in the text already
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == u'?' || c == u':' || c == u'@' || c == u'$') return std::nullopt;  // markers of its own
        if (c == u'=' && numbers == ShapeNumbers::AfterEquals) {
            qsizetype start = i + 1;
            while (start < sql.size() && sql[start] == u' ') ++start;
            const qsizetype end = numberEnd(sql, start);
            if (end < 0) continue;
            shape.text += sql.mid(copied, start - copied);
            shape.bareNumbers << int(shape.literals.size());
            shape.literals << sql.mid(start, end - start);
            shape.text += u'?';
            copied = end;
            i = end - 1;
            continue;
        }
        if (!isQuote(c)) continue;
        const qsizetype end = quoteEnd(sql, i);
        if (end < 0) return std::nullopt;  // left open: the store will say so
        if (c != u'\'') {  // a quoted name is kept whole, whatever it holds
            i = end;
            continue;
        }
        shape.text += sql.mid(copied, i - copied);
        const QStringView literal = sql.mid(i + 1, end - i - 1);
        if (literal.contains(QLatin1String("''"))) shape.doubledQuotes << int(shape.literals.size());
        shape.literals << literal;
        shape.text += u'?';
        copied = end + 1;
        i = end;
    }
    shape.text += sql.mid(copied);
    return shape;
}

void ShapeTemplate::appendWith(QString& out, const StatementShape& shape, qsizetype first) const
{
    out += pieces.first();
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const qsizetype literal = first + i - 1;
        const bool quoted = !shape.bareNumbers.contains(int(literal));
        if (quoted) out += u'\'';
        out += shape.literals.at(literal);
        if (quoted) out += u'\'';
        out += pieces.at(i);
    }
}

QString ShapeTemplate::withMarkers() const
{
    return pieces.join(u'?');
}

ShapeTemplate templateOf(QStringView translated)
{
    ShapeTemplate t;
    qsizetype start = 0;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        if (isQuote(translated[i])) {
            const qsizetype end = quoteEnd(translated, i);
            if (end < 0) break;
            i = end;
        } else if (translated[i] == u'?') {
            t.pieces << translated.mid(start, i - start).toString();
            start = i + 1;
        }
    }
    t.pieces << translated.mid(start).toString();
    return t;
}

QString copyOfInsert(QStringView translated)
{
    QStringView sql = translated.trimmed();
    if (sql.endsWith(u';')) sql.chop(1);
    if (!wordAt(sql, 0, QLatin1StringView("INSERT"))) return {};
    const QStringView rest = sql.mid(6).trimmed();
    if (!wordAt(rest, 0, QLatin1StringView("INTO"))) return {};
    // The VALUES outside quotes and parentheses, after the table and its columns.
    int depth = 0;
    qsizetype values = -1;
    for (qsizetype i = 4; i < rest.size() && values < 0; ++i) {
        const QChar c = rest[i];
        if (isQuote(c)) {
            i = quoteEnd(rest, i);
            if (i < 0) return {};
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            --depth;
        } else if (depth == 0 && wordAt(rest, i, QLatin1StringView("VALUES"))) {
            values = i;
        }
    }
    if (values < 0) return {};
    const QStringView target = rest.mid(4, values - 4).trimmed();
    // The row: "(?, ?, ...)" and nothing after it.
    QString row = rest.mid(values + 6).toString();
    row.remove(u' ').remove(u'\n').remove(u'\r').remove(u'\t');
    if (target.isEmpty() || row.size() < 3 || !row.startsWith(u'(') || !row.endsWith(u')')) return {};
    for (const QStringView parameter : QStringView(row).mid(1, row.size() - 2).split(u','))
        if (parameter != u"?") return {};
    return QStringLiteral("COPY ") + target.toString() + QStringLiteral(" FROM STDIN");
}

void appendCopyRow(QString& out, const StatementShape& shape)
{
    for (qsizetype i = 0; i < shape.literals.size(); ++i) {
        if (i > 0) out += u'\t';
        const QStringView literal = shape.literals.at(i);
        for (qsizetype k = 0; k < literal.size(); ++k) {
            const QChar c = literal[k];
            switch (c.unicode()) {
            case u'\'': out += c; ++k; break;  // doubled in the literal
            case u'\\': out += QLatin1String("\\\\"); break;
            case u'\t': out += QLatin1String("\\t"); break;
            case u'\n': out += QLatin1String("\\n"); break;
            case u'\r': out += QLatin1String("\\r"); break;
            default: out += c;
            }
        }
    }
    out += u'\n';
}

QStringList splitScript(const QString& script)
{
    QStringList statements;
    QString current;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("--"))) continue;
        current += line + QLatin1Char('\n');
        if (trimmed.endsWith(QLatin1Char(';'))) {
            statements << current.trimmed();
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty()) statements << current.trimmed();
    return statements;
}
