#pragma once

#include <QString>
#include <optional>

class Operator;
struct ProgramState;

// A label job sent again from the print history: the very bytes the printer received the
// first time, to this workstation's label printer, after the same printer check as every
// label job, and recorded as a reprint.
namespace tracing {

// The printer a reprint goes to: the one the label windows print on, or, before one of
// them chose it in this run, the workstation's current printer.
QString reprintPrinter(const ProgramState& state);

// Sends the job of history row `id` again. The operator is asked first (what the job is
// and where it goes, "Não" by default), then the printer's state is checked as before
// every label job. Once the printer accepts the job, a row of kind reimpressão records
// it with the first job's type, production number, order, line and barcode, and this
// workstation, `user` and the printer. Returns that row's key; none when nothing was sent
// (the operator was told why, or gave up) or the row could not be written (told too).
// Throws DataError when the history cannot be read.
std::optional<qint64> reprint(ProgramState& state, Operator& op, qint64 id, const QString& user);

} // namespace tracing
