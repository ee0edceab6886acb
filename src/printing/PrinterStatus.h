#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>

// Whether a label printer can take a job now, asked just before the job is sent.
//   socket://  the printer itself, on its raw port: ~HQES (error and warning bits, where
//              the firmware has it) and ~HS (the three host status strings);
//   CUPS queue the spooler: the queue's state, whether it accepts jobs, its reasons;
//   file:, png: the folder exists and takes a new file.
struct PrinterStatus {
    enum class Reason {
        NoPrinter,         // no printer chosen
        BadAddress,        // a socket:// name without a host or with a bad port (detail: the name)
        PaperOut,          // out of labels
        HeadOpen,          // print head up or cover open
        Paused,            // paused on the printer's panel
        RibbonOut,         // out of ribbon
        PrinterFault,      // another error bit of ~HQES (detail: the bits)
        NoAnswer,          // no status within the time limit, or no connection
        UnreadableAnswer,  // an answer cut short or not in the printer's format
        QueueUnknown,      // no such spooler queue
        QueueStopped,      // the spooler holds the queue stopped
        QueueRejecting,    // the queue refuses new jobs
        FolderMissing,     // detail: the folder
        FolderNotWritable, // detail: the folder
    };
    struct Problem {
        Reason reason;
        QString detail;
        bool operator==(const Problem&) const = default;
    };

    QList<Problem> problems;

    bool ready() const { return problems.isEmpty(); }
    // Nothing is known to be wrong, the printer just did not say: the operator may
    // still choose to send.
    bool unanswered() const;
    bool has(Reason reason) const;
    // No printer to try again with: none chosen, or a name that cannot be one.
    bool noPrinter() const { return has(Reason::NoPrinter) || has(Reason::BadAddress); }
    void add(Reason reason, const QString& detail = QString());
};

// How long a status query may take in all (connection, question, answer): 1000 ms, or
// the milliseconds of the environment variable ETIQUETAS_STATUS_TIMEOUT_MS.
int printerStatusTimeoutMs();

// The state of `printer` (a name as ImprimeDireto takes it).
PrinterStatus queryPrinterStatus(const QString& printer, int timeoutMs = printerStatusTimeoutMs());

// The operator's words for the state: one line per problem ("Impressora sem etiquetas").
QString printerStatusText(const PrinterStatus& status);
// A word or two beside the chosen printer's name: "Pronta", "Sem etiquetas", ...
QString printerStatusWord(const PrinterStatus& status);
// The colour of the mark beside that word: green ready, amber when the printer did not
// say, red when something is known to be wrong.
QColor printerStatusColour(const PrinterStatus& status);
// The mark in its colour and the word, as rich text for a window's label.
QString printerStatusMark(const PrinterStatus& status);

namespace zebra {
// What the printer's answer to "~HQES~HS" says, or UnreadableAnswer / NoAnswer when it
// says nothing usable. `complete` is false when the answer may still grow.
PrinterStatus readStatusAnswer(const QByteArray& answer, bool* complete = nullptr);
// The bytes that ask a label printer for its state.
QByteArray statusQuery();
} // namespace zebra
