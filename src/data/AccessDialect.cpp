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

void AccessDialect::appendForServer(QString& out, const QString& word) const
{
    if (word.compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0) {
        // The collation goes on the left operand, before a NOT that may precede LIKE.
        static const QString collate = QStringLiteral("COLLATE \"und-x-icu\" ");
        const qsizetype notAt = out.size() - 4;
        if (notAt >= 0 && out.mid(notAt).compare(QLatin1String("NOT "), Qt::CaseInsensitive) == 0 &&
            (notAt == 0 || !continuesIdentifier(out[notAt - 1])))
            out.insert(notAt, collate);
        else
            out += collate;
        out += QStringLiteral("ILIKE");
        return;
    }
    const QString known = m_names.value(foldCase(word));
    out += known.isEmpty() ? word : QLatin1Char('"') + known + QLatin1Char('"');
}

void refuseNulCharacter(const QString& sql)
{
    // SQLite reads a statement only up to a NUL, and a bound text would keep it: either
    // way the store would hold something other than what was meant.
    if (sql.contains(QChar(0)))
        throw DataError(QStringLiteral("O texto contém um caractere nulo (código 0), que o banco de dados não aceita: "
                                       "nada foi gravado."));
}

QString AccessDialect::translate(const QString& sql) const
{
    refuseNulCharacter(sql);
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
        } else if (c == QLatin1Char('"')) {
            // A name already quoted is the store's own spelling (a schema statement made
            // for the server): copied as it stands.
            const qsizetype close = sql.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close + 1;
            out += sql.mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = sql.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                out += sql.mid(i);
                break;
            }
            const QStringList parts = sql.mid(i + 1, close - i - 1).split(QLatin1Char('.'));
            QStringList quoted;
            for (const QString& part : parts)
                quoted << (m_server ? QLatin1Char('"') + spell(part) + QLatin1Char('"')
                                    : QLatin1Char('[') + spell(part) + QLatin1Char(']'));
            out += quoted.join(QLatin1Char('.'));
            i = close + 1;
        } else if (startsIdentifier(c)) {
            qsizetype j = i + 1;
            while (j < n && continuesIdentifier(sql[j])) ++j;
            const QString word = sql.mid(i, j - i);
            if (m_server)
                appendForServer(out, word);
            else
                out += spell(word);
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
    return m_folding && !m_server ? foldingSql::apply(out) : out;
}
