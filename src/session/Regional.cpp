#include "session/Regional.h"

#include <QLocale>

namespace regional {

namespace {
std::optional<QDateTime>& fixedNow()
{
    static std::optional<QDateTime> fixed;
    return fixed;
}
} // namespace

QDateTime now()
{
    return fixedNow() ? *fixedNow() : QDateTime::currentDateTime();
}

void setFixedNow(std::optional<QDateTime> when)
{
    fixedNow() = std::move(when);
}

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString timeText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString dateText()
{
    return dateText(now().date());
}

QString timeText()
{
    return timeText(now().time());
}

QString dateTimeText()
{
    const QDateTime t = now();
    return dateText(t.date()) + QLatin1Char(' ') + timeText(t.time());
}

QString numberText(double value)
{
    QString text = QString::number(value, 'f', 10);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) text.chop(1);
        if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    if (text == QLatin1String("-0")) text = QStringLiteral("0");
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

std::optional<double> numberFromText(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const double value = t.contains(QLatin1Char(','))
                             ? QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(t, &ok)
                             : QLocale::c().toDouble(t, &ok);
    if (!ok) return std::nullopt;
    return value;
}

} // namespace regional
