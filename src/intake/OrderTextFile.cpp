#include "intake/OrderTextFile.h"

#include "printing/Windows1252.h"

#include <QStringDecoder>

namespace orderText {

QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) return fromWindows1252(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

QStringList lines(const QString& text)
{
    QStringList out;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        out << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (start < n) out << text.mid(start);
    return out;
}

QStringList fields(const QString& line)
{
    return line.split(QLatin1Char(','));
}

QString trimBlanks(const QString& value)
{
    qsizetype from = 0, to = value.size();
    while (from < to && value[from] == QLatin1Char(' ')) ++from;
    while (to > from && value[to - 1] == QLatin1Char(' ')) --to;
    return value.mid(from, to - from);
}

} // namespace orderText
