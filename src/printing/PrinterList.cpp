#include "printing/ImprimeDireto.h"
#include "printing/PrinterBackends.h"

#include <QDir>
#include <QSaveFile>

namespace printers {

namespace {
constexpr int RememberedMax = 10;

QString rememberedFile(const QString& home)
{
    return QDir(home).filePath(QStringLiteral("impressoras.txt"));
}
} // namespace

QString defaultPrinter()
{
    const QString fromEnvironment = qEnvironmentVariable("PRINTER");
    return fromEnvironment.isEmpty() ? backends::spoolerDefault() : fromEnvironment;
}

QStringList remembered(const QString& home)
{
    QFile file(rememberedFile(home));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList names;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString name = line.trimmed();
        if (!name.isEmpty() && !names.contains(name)) names << name;
    }
    return names.mid(0, RememberedMax);
}

bool remember(const QString& home, const QString& printer)
{
    if (printer.trimmed().isEmpty()) return true;
    QStringList names = remembered(home);
    names.removeAll(printer.trimmed());
    names.prepend(printer.trimmed());
    QSaveFile file(rememberedFile(home));
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write((names.mid(0, RememberedMax).join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return file.commit();
}

QStringList available(const QString& current, const QStringList& rememberedPrinters)
{
    QStringList names;
    if (!current.isEmpty()) names << current;
    for (const QString& name : rememberedPrinters + backends::spoolerQueues())
        if (!names.contains(name)) names << name;
    return names;
}

} // namespace printers
