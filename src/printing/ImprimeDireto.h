#pragma once

#include <QString>
#include <QStringList>

// Sends a finished job of printer commands, unchanged, to a label printer as one job.
// The printer name picks the way out:
//   "socket://host[:port]"  raw TCP to a network printer (port 9100 when none is given);
//   "file:/some/folder"     each job written as a file in that folder (a virtual printer);
//   "png:/some/folder"      the same, with a PNG picture of each label beside the file;
//   anything else           a queue of the system spooler, sent in raw format.
// The data leaves as Windows-1252 bytes, nothing added. Returns true only when every
// byte was accepted; an unknown queue, an unreachable printer or an unwritable folder
// returns false with nothing sent. Inside a printing::CaptureScope nothing is sent: the
// job is kept there and counts as accepted. Inside a printing::SentJobs scope an accepted
// job is listed there (printer and bytes). A network printer must take the job before a
// deadline that grows with its size and close the connection without a reset;
// `failure`, when given, receives why a send failed (empty when no reason is known).
struct SendFailure {
    QString cause;   // in the operator's words: "conexão recusada", "tempo esgotado", ...
    QString detail;  // the system's own text, for a technician; often empty
};
bool ImprimeDireto(const QString& printer, const QString& documentName, const QString& data,
                   SendFailure* failure = nullptr);
// The same for a job already in printer bytes (a reprint of the very bytes a printer
// received before): sent as they are.
bool ImprimeDiretoBytes(const QString& printer, const QString& documentName, const QByteArray& bytes,
                        SendFailure* failure = nullptr);

namespace printers {
// The label printer at start: $PRINTER when set, otherwise the spooler's default queue.
QString defaultPrinter();
// The printers chosen before on this workstation, most recent first (at most ten): the
// home's "impressoras.txt", one name a line, so a socket://, file: or png: printer
// is offered again.
QStringList remembered(const QString& home);
// Puts `printer` first among the remembered ones; false when the file cannot be written.
bool remember(const QString& home, const QString& printer);
// What the printer chooser offers: `current` first, then the remembered printers, then
// the spooler's queues, each once.
QStringList available(const QString& current, const QStringList& remembered = {});
} // namespace printers
