#include "printing/ImprimeDireto.h"
#include "printing/PrinterBackends.h"

namespace printers {

QString defaultPrinter()
{
    const QString fromEnvironment = qEnvironmentVariable("PRINTER");
    return fromEnvironment.isEmpty() ? backends::spoolerDefault() : fromEnvironment;
}

QStringList available(const QString& current)
{
    QStringList names = backends::spoolerQueues();
    if (!current.isEmpty() && !names.contains(current)) names.prepend(current);
    return names;
}

} // namespace printers
