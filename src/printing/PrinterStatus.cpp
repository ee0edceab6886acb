#include "printing/PrinterStatus.h"

#include "printing/PrinterBackends.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTcpSocket>
#include <QTemporaryFile>

#include <cups/cups.h>

namespace {

using Reason = PrinterStatus::Reason;

// The operator's words, in one place: the line of a message and the short word shown
// beside the printer's name.
struct Words {
    Reason reason;
    const char* line; // %1 is the problem's detail
    const char* word;
};
const Words kWords[] = {
    {Reason::NoPrinter, "Nenhuma impressora de etiquetas escolhida", "Sem impressora"},
    {Reason::BadAddress, "Endereço de impressora inválido: %1 (use socket://servidor[:porta])", "Endereço inválido"},
    {Reason::PaperOut, "Impressora sem etiquetas", "Sem etiquetas"},
    {Reason::HeadOpen, "Cabeça de impressão aberta", "Cabeça aberta"},
    {Reason::Paused, "Impressora em pausa", "Em pausa"},
    {Reason::RibbonOut, "Impressora sem fita", "Sem fita"},
    {Reason::PrinterFault, "Impressora em erro (código %1)", "Em erro"},
    {Reason::NoAnswer, "Impressora não responde", "Não responde"},
    {Reason::UnreadableAnswer, "Impressora deu uma resposta que não se entende", "Resposta inválida"},
    {Reason::QueueUnknown, "Fila de impressão não encontrada: %1", "Fila inexistente"},
    {Reason::QueueStopped, "Fila de impressão parada", "Fila parada"},
    {Reason::QueueRejecting, "Fila de impressão não aceita trabalhos", "Fila recusando"},
    {Reason::FolderMissing, "Pasta da impressora não existe: %1", "Sem pasta"},
    {Reason::FolderNotWritable, "Pasta da impressora não aceita arquivos: %1", "Pasta sem escrita"},
};

const Words& wordsOf(Reason reason) {
    for (const Words& w : kWords)
        if (w.reason == reason) return w;
    return kWords[0];
}

// --- socket:// printers -------------------------------------------------------------

PrinterStatus querySocket(const QString& address, int timeoutMs) {
    PrinterStatus status;
    QString host;
    quint16 port = 0;
    if (!backends::parseHostAndPort(address, host, port)) {
        status.add(Reason::BadAddress, QStringLiteral("socket://") + address);
        return status;
    }
    QElapsedTimer clock;
    clock.start();
    auto left = [&] { return int(std::max<qint64>(1, timeoutMs - clock.elapsed())); };

    QTcpSocket socket;
    socket.connectToHost(host, port);
    if (!socket.waitForConnected(left())) {
        status.add(Reason::NoAnswer, QStringLiteral("sem conexão"));
        return status;
    }
    socket.write(zebra::statusQuery());
    QByteArray answer;
    bool complete = false;
    while (!complete && clock.elapsed() < timeoutMs) {
        if (!socket.waitForReadyRead(left())) break; // time is up or the printer hung up
        answer += socket.readAll();
        zebra::readStatusAnswer(answer, &complete);
    }
    answer += socket.readAll();
    socket.abort();
    status = zebra::readStatusAnswer(answer);
    if (status.has(Reason::NoAnswer)) status.problems.first().detail = QStringLiteral("%1 ms").arg(timeoutMs);
    return status;
}

// --- spooler queues -----------------------------------------------------------------

PrinterStatus queryQueue(const QString& queue) {
    PrinterStatus status;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toLocal8Bit().constData(), nullptr);
    if (!dest) {
        status.add(Reason::QueueUnknown, queue);
        return status;
    }
    auto option = [dest](const char* name) {
        return QByteArray(cupsGetOption(name, dest->num_options, dest->options));
    };
    const bool stopped = option("printer-state") == "5";
    if (stopped) status.add(Reason::QueueStopped);
    const QByteArray accepting = option("printer-is-accepting-jobs");
    if (accepting == "false" || accepting == "0") status.add(Reason::QueueRejecting);
    for (QByteArray reason : option("printer-state-reasons").split(',')) {
        reason = reason.trimmed();
        if (reason.endsWith("-warning") || reason.endsWith("-report")) continue;
        if (reason.endsWith("-error")) reason.chop(6);
        if (reason == "media-empty" || reason == "media-needed") status.add(Reason::PaperOut);
        if (reason == "cover-open" || reason == "door-open") status.add(Reason::HeadOpen);
        if (reason == "paused" && !stopped) status.add(Reason::Paused);
    }
    cupsFreeDests(1, dest);
    return status;
}

// --- folder printers ----------------------------------------------------------------

PrinterStatus queryFolder(const QString& folder) {
    PrinterStatus status;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        status.add(Reason::FolderMissing, folder);
        return status;
    }
    // The permission bits do not tell everything (read-only mounts, full disks): a
    // file is created and removed.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".etiquetas-XXXXXX")));
    if (!probe.open()) status.add(Reason::FolderNotWritable, folder);
    return status;
}

} // namespace

bool PrinterStatus::unanswered() const {
    for (const Problem& p : problems)
        if (p.reason != Reason::NoAnswer && p.reason != Reason::UnreadableAnswer) return false;
    return !problems.isEmpty();
}

bool PrinterStatus::has(Reason reason) const {
    for (const Problem& p : problems)
        if (p.reason == reason) return true;
    return false;
}

void PrinterStatus::add(Reason reason, const QString& detail) {
    if (!has(reason)) problems << Problem{reason, detail};
}

int printerStatusTimeoutMs() {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("ETIQUETAS_STATUS_TIMEOUT_MS", &ok);
    return ok && ms > 0 ? ms : 1000;
}

PrinterStatus queryPrinterStatus(const QString& printer, int timeoutMs) {
    if (printer.isEmpty()) {
        PrinterStatus none;
        none.add(Reason::NoPrinter);
        return none;
    }
    if (printer.startsWith(QLatin1String("socket://"), Qt::CaseInsensitive))
        return querySocket(printer.mid(9), timeoutMs);
    if (printer.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) ||
        printer.startsWith(QLatin1String("png:"), Qt::CaseInsensitive))
        return queryFolder(printer.mid(printer.indexOf(QLatin1Char(':')) + 1));
    return queryQueue(printer);
}

QString printerStatusText(const PrinterStatus& status) {
    QStringList lines;
    for (const auto& p : status.problems) {
        const QString line = QString::fromUtf8(wordsOf(p.reason).line);
        lines << (line.contains(QLatin1String("%1")) ? line.arg(p.detail) : line);
    }
    return lines.join(QLatin1Char('\n'));
}

QString printerStatusWord(const PrinterStatus& status) {
    if (status.ready()) return QStringLiteral("Pronta");
    return QString::fromUtf8(wordsOf(status.problems.first().reason).word);
}

QColor printerStatusColour(const PrinterStatus& status)
{
    if (status.ready()) return QColor(0x2e, 0x9e, 0x3e);
    if (status.unanswered()) return QColor(0xe0, 0x9b, 0x00);
    return QColor(0xd0, 0x30, 0x30);
}

QString printerStatusMark(const PrinterStatus& status)
{
    return QStringLiteral("<span style=\"color:%1\">&#9679;</span> %2")
        .arg(printerStatusColour(status).name(), printerStatusWord(status).toHtmlEscaped());
}

namespace zebra {

QByteArray statusQuery() {
    // ~HQES first: a printer that knows it answers before ~HS, so once the ~HS strings
    // are in, everything that will come has come. Current printers in an error state
    // may leave ~HS unanswered; their ~HQES answer then says what is wrong.
    return QByteArrayLiteral("~HQES~HS");
}

namespace {
const char STX = '\x02';
const char ETX = '\x03';

bool isFlag(const QByteArray& field) {
    return field == "0" || field == "1";
}

// The ~HQES block: "PRINTER STATUS", then "ERRORS: f gggggggg hhhhhhhh" and
// "WARNINGS: ...". Group 1 (the last) of the errors: 1 media out, 2 ribbon out,
// 4 head open; any other bit is a fault of its own.
bool readExtendedStatus(const QByteArray& frame, PrinterStatus& status) {
    for (const QByteArray& line : frame.split('\n')) {
        const QByteArray text = line.simplified();
        if (!text.startsWith("ERRORS:")) continue;
        const QList<QByteArray> fields = text.mid(7).trimmed().split(' ');
        if (fields.size() < 3) return false;
        bool ok1 = false, ok2 = false;
        const quint32 group2 = fields[1].toUInt(&ok2, 16);
        const quint32 group1 = fields[2].toUInt(&ok1, 16);
        if (!ok1 || !ok2) return false;
        if (group1 & 0x1) status.add(Reason::PaperOut);
        if (group1 & 0x2) status.add(Reason::RibbonOut);
        if (group1 & 0x4) status.add(Reason::HeadOpen);
        if ((group1 & ~quint32(0x7)) || group2)
            status.add(Reason::PrinterFault, QString::fromLatin1(fields[1] + ' ' + fields[2]));
        return true;
    }
    return false;
}
} // namespace

PrinterStatus readStatusAnswer(const QByteArray& answer, bool* complete) {
    // Frames between STX and ETX; anything else but line ends is not the printer's talk.
    QList<QByteArray> hs;
    bool extended = false;
    bool unreadable = false;
    PrinterStatus status;
    qsizetype at = 0;
    while (at < answer.size()) {
        const char c = answer[at];
        if (c == '\r' || c == '\n' || c == ' ') {
            ++at;
            continue;
        }
        if (c != STX) {
            unreadable = true;
            ++at;
            continue;
        }
        const qsizetype end = answer.indexOf(ETX, at + 1);
        if (end < 0) break; // still arriving, or cut short
        const QByteArray frame = answer.mid(at + 1, end - at - 1);
        if (frame.contains("PRINTER STATUS")) {
            if (readExtendedStatus(frame, status))
                extended = true;
            else
                unreadable = true;
        } else {
            hs << frame;
        }
        at = end + 1;
    }
    const bool partial = at < answer.size();

    // ~HS string 1: field 2 paper out, field 3 pause; string 2: field 3 head up,
    // field 4 ribbon out.
    if (!hs.isEmpty()) {
        const QList<QByteArray> f = hs[0].split(',');
        if (f.size() >= 3 && isFlag(f[1]) && isFlag(f[2])) {
            if (f[1] == "1") status.add(Reason::PaperOut);
            if (f[2] == "1") status.add(Reason::Paused);
        } else {
            unreadable = true;
        }
    }
    if (hs.size() >= 2) {
        const QList<QByteArray> f = hs[1].split(',');
        if (f.size() >= 4 && isFlag(f[2]) && isFlag(f[3])) {
            if (f[2] == "1") status.add(Reason::HeadOpen);
            if (f[3] == "1") status.add(Reason::RibbonOut);
        } else {
            unreadable = true;
        }
    }
    const bool hsComplete = hs.size() >= 3;
    if (complete) *complete = hsComplete || (extended && !status.ready()) || unreadable;

    if (!status.ready()) return status; // what is known to be wrong says enough
    if (answer.trimmed().isEmpty()) {
        status.add(Reason::NoAnswer);
    } else if (unreadable || partial || (!hsComplete && !extended)) {
        status.add(Reason::UnreadableAnswer);
    }
    return status;
}

} // namespace zebra
