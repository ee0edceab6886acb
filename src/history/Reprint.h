#pragma once

#include <QString>

class Operator;
struct ProgramState;

namespace history {

// "Reimprimir": the very bytes a printer received for job `id`, sent to the current
// label printer (ImpressoraSelecionada) after the printer-state check, and recorded as a
// reprint with the original's label type, production number, order, line and barcode,
// `user` and `station` (LineClaim::stationName()) being who reprints and where. The
// operator is told when the job is gone, its bytes are no longer kept, or the printer
// did not take it. Returns the reprint's row, 0 when nothing was sent.
qint64 reprint(ProgramState& state, Operator& op, qint64 id, const QString& user, const QString& station);

} // namespace history
