#include "intake/ConfTxt.h"

#include "printing/Windows1252.h"

#include <QFile>
#include <QStringDecoder>

namespace {
QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return fromWindows1252(bytes);
}
} // namespace

std::optional<ConfTxt> readConfTxt(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;

    ConfTxt conf;
    const QStringList lines = decodeText(bytes).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.isEmpty()) continue;
        const int key = line.at(0).unicode() - u'0';
        if (key >= 1 && key <= 5) conf.values.at(key - 1) = line.mid(1, 50);
    }
    return conf;
}

CustomerServer customerServer(const ConfTxt& conf) {
    return {conf.value(1).value_or(QString()), conf.value(2).value_or(QString()),
            conf.value(3).value_or(QString()), conf.value(4).value_or(QString())};
}
