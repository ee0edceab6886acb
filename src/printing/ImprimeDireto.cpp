#include "printing/ImprimeDireto.h"

#include "printing/CaptureScope.h"
#include "printing/PrinterBackends.h"
#include "printing/SentJobs.h"
#include "printing/Windows1252.h"

namespace {
bool send(const QString& printer, const QString& documentName, const QByteArray& bytes, SendFailure* failure)
{
    if (printer.isEmpty()) return false;
    if (printer.startsWith(QLatin1String("socket://"), Qt::CaseInsensitive))
        return backends::sendToSocket(printer.mid(9), bytes, failure);
    if (printer.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return backends::writeToFolder(printer.mid(5), documentName, bytes);
    if (printer.startsWith(QLatin1String("png:"), Qt::CaseInsensitive))
        return backends::writeToFolderWithPictures(printer.mid(4), documentName, bytes);
    return backends::sendToQueue(printer, documentName, bytes);
}
} // namespace

bool ImprimeDireto(const QString& printer, const QString& documentName, const QString& data, SendFailure* failure)
{
    return ImprimeDiretoBytes(printer, documentName, toWindows1252(data), failure);
}

bool ImprimeDiretoBytes(const QString& printer, const QString& documentName, const QByteArray& bytes,
                        SendFailure* failure)
{
    if (auto* capture = printing::CaptureScope::active()) {
        capture->append(bytes);
        return true;
    }
    if (!send(printer, documentName, bytes, failure)) return false;
    if (auto* sent = printing::SentJobs::active()) sent->append({printer, bytes});
    return true;
}
