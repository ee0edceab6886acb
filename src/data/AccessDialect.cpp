#include "data/AccessDialect.h"

#include "data/DataError.h"
#include "data/FoldingSql.h"
#include "data/SqlText.h"

#include <QStringList>

void AccessDialect::addName(const QString& spelling)
{
    m_names.insert(foldCase(spelling), spelling);
    m_spelled.clear();
}

QString AccessDialect::spell(const QString& identifier) const
{
    auto known = m_spelled.constFind(identifier);
    if (known == m_spelled.constEnd())
        known = m_spelled.insert(identifier, m_names.value(foldCase(identifier), identifier));
    return *known;
}

namespace {
bool startsIdentifier(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}
bool continuesIdentifier(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.category() == QChar::Mark_NonSpacing;
}
} // namespace

QString AccessDialect::translate(const QString& sql) const
{
    // SQLite reads a statement only up to a NUL: the rest would be cut off silently.
    if (sql.contains(QChar(0)))
        throw DataError(QStringLiteral("O texto contém um caractere nulo (código 0), que o banco de dados não aceita: "
                                       "nada foi gravado."));
    QString out;
    out.reserve(sql.size() + 16);
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'')) {
            // A literal, quotes inside it doubled: copied as it stands.
            qsizetype j = i + 1;
            while (j < n) {
                if (sql[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && sql[j + 1] == QLatin1Char('\'')) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += sql.mid(i, j - i + 1);
            i = j + 1;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = sql.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                out += sql.mid(i);
                break;
            }
            const QStringList parts = sql.mid(i + 1, close - i - 1).split(QLatin1Char('.'));
            QStringList quoted;
            for (const QString& part : parts) quoted << QLatin1Char('[') + spell(part) + QLatin1Char(']');
            out += quoted.join(QLatin1Char('.'));
            i = close + 1;
        } else if (startsIdentifier(c)) {
            qsizetype j = i + 1;
            while (j < n && continuesIdentifier(sql[j])) ++j;
            out += spell(sql.mid(i, j - i));
            i = j;
        } else if (c.isDigit()) {
            // A number (or a word starting with one) is never a name.
            qsizetype j = i + 1;
            while (j < n && continuesIdentifier(sql[j])) ++j;
            out += sql.mid(i, j - i);
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return m_folding ? foldingSql::apply(out) : out;
}
