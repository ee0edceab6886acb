#include "printing/PrinterBackends.h"

#include <cups/cups.h>

namespace backends {

bool sendToQueue(const QString& queue, const QString& documentName, const QByteArray& bytes)
{
    const QByteArray name = queue.toLocal8Bit();
    const QByteArray title = documentName.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest) return false;
    cupsFreeDests(1, dest);
    // The spooler refuses a document without bytes; zero bytes asked are zero bytes
    // accepted, so an empty job on a known queue succeeds without queueing anything.
    if (bytes.isEmpty()) return true;

    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), title.constData(), 0, nullptr);
    if (job <= 0) return false;
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job, title.constData(), CUPS_FORMAT_RAW, 1) !=
        HTTP_STATUS_CONTINUE) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
        return false;
    }
    const bool written =
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, bytes.constData(), size_t(bytes.size())) == HTTP_STATUS_CONTINUE;
    const bool finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) == IPP_STATUS_OK;
    return written && finished;
}

QStringList spoolerQueues()
{
    cups_dest_t* dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QStringList names;
    for (int i = 0; i < n; ++i)
        if (!dests[i].instance) names << QString::fromLocal8Bit(dests[i].name);
    cupsFreeDests(n, dests);
    return names;
}

QString spoolerDefault()
{
    cups_dest_t* dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    const cups_dest_t* d = cupsGetDest(nullptr, nullptr, n, dests);
    const QString name = d ? QString::fromLocal8Bit(d->name) : QString();
    cupsFreeDests(n, dests);
    return name;
}

} // namespace backends
