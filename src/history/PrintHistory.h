#pragma once

#include "printing/SentJobs.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class Connection;

// The print history: one row of the order store's HISTORICO table for every label job a
// printer accepted (production click, order summary, calibration, ad-hoc print, reprint),
// with who, where, what and the job's bytes, so a wrong label found in a store can be
// traced to its line, station, user and printer, and printed again exactly.
namespace history {

enum class Kind { Producao, Resumo, Calibracao, Avulsa, Reimpressao };

// The name the operator sees: "produção", "resumo", "calibração", "avulsa", "reimpressão".
QString kindName(Kind kind);
// The kind of a name kindName gives; none for any other text.
std::optional<Kind> kindFromName(const QString& name);

// One recorded job.
struct JobRecord {
    qint64 id = 0;           // the row's key (0 before it is recorded)
    QDateTime utc;           // when the printer accepted it, in UTC
    QDateTime local;         // the same moment on the recording workstation's clock
    QString station;         // LineClaim::stationName() of the recording workstation
    QString user;            // the logged-in user (lblusuario)
    QString printer;         // the printer that accepted it, as ImprimeDireto was given it
    QString labelType;       // the label type's caption (labeltype::...); empty when none
    QString production;      // NUMPROD, ten digits; empty when none
    QString order;           // PEDIDO; empty when none
    qint64 line = 0;         // VORLA's Identificação; 0 when the job is not of one line
    QString barcode;         // CODIG_BARR of the line; empty when none
    int labels = 0;          // the job's ^PQ total (the labels the printer was told to print)
    Kind kind = Kind::Producao;
    // The job as the printer received it: Windows-1252 bytes, exactly. Filled by job()
    // while the store still keeps them (see bytesDays()); always empty from find().
    QByteArray bytes;
    QByteArray digest;       // SHA-256 of the bytes, 64 lower-case hex digits; kept with the row
    bool hasBytes = false;   // whether the store still keeps the bytes (find() says it too)
};

// What a search asks for; an empty field (or a null date) matches any row. Dates are the
// local dates of the jobs, both ends included. Texts match exactly (letter case aside);
// the production number is compared as given (the caller writes its ten digits,
// formatProductionNumber).
struct Filter {
    QString barcode;
    QString order;
    QString production;
    QString user;
    QDate from;
    QDate to;
};

// A line another workstation (or this one) holds marked 'A'.
struct HeldLine {
    qint64 line = 0;         // Identificação
    QString order;           // PEDIDO
    QString station;         // the holder (<flag>_ESTACAO); empty when marked before claims
    QDateTime since;         // UTC (<flag>_DESDE); null when unknown
};

// How far one label type is in one production number.
struct TypeProgress {
    QString labelType;       // the caption; types that share their flags show the same lines
    int linesPrinted = 0;    // lines 'S'
    int linesHeld = 0;       // lines 'A'
    int linesWaiting = 0;    // lines 'N'
    QList<HeldLine> held;    // the lines 'A', oldest claim first
    int labelsPrinted = 0;   // sum of the ^PQ totals recorded as produção for the type
    QDateTime firstPrint;    // UTC of the first and last produção job; null when none
    QDateTime lastPrint;
    int labelsLastHour = 0;  // labels printed in the hour before `at` (the rate per hour)
};

// A label type's line flag, as the production window knows it (ProductionType::lineFlag;
// progressTypes() lists every type's): the progress reads the lines through it.
struct TypeColumns {
    QString labelType;
    QString lineFlag;        // "IMPRESSOC"
};

class PrintHistory {
public:
    explicit PrintHistory(Connection& store);

    // Writes one row per job with `context`'s fields (id, utc, local, printer, labels,
    // bytes and digest are taken from each job and the clock), inside the caller's open
    // transaction when there is one. Returns the new rows' keys. Throws DataError.
    QList<qint64> record(const JobRecord& context, const QList<printing::SentJob>& jobs);

    // The rows matching `filter`, newest first (in the order they were recorded), at most
    // `limit`, without their bytes.
    QList<JobRecord> find(const Filter& filter, int limit = 500);
    // One row with its bytes (when still kept); none when there is no such row.
    std::optional<JobRecord> job(qint64 id);

    // Each label type's progress in production number `production` (ten digits), with
    // the rate over the hour before `at` (UTC; null: now).
    QList<TypeProgress> progress(const QString& production, const QList<TypeColumns>& types,
                                 const QDateTime& at = {});

    // Deletes rows older than keepDays() and drops the bytes of rows older than
    // bytesDays(), in small batches (each its own short transaction), so a station that
    // starts never holds the store for long. Returns the rows deleted.
    int prune(const QDateTime& at = {});

    // How long rows and their bytes are kept, in days: ETIQUETAS_HISTORICO_DIAS
    // (365 when unset) and ETIQUETAS_HISTORICO_BYTES_DIAS (90 when unset; never more
    // than the rows).
    static int keepDays();
    static int bytesDays();

    // What the BYTES column keeps of a job: its bytes compressed (qCompress's format),
    // in base64.
    static QByteArray storedBytes(const QByteArray& bytes);

    // The ^PQ total of a job's bytes: the label count of each ^PQ command, added up
    // (a label format that places something prints once without ^PQ; a set-up format
    // prints nothing).
    static int labelCount(const QByteArray& bytes);

private:
    Connection& m_store;
};

} // namespace history
