#include "data/SqlText.h"

QString sqlText(const QString& value)
{
    QString out = value;
    out.replace(QLatin1Char('\''), QStringLiteral("''"));
    return out;
}

QString foldCase(const QString& text)
{
    return text.toCaseFolded();
}
