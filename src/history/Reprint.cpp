#include "history/Reprint.h"

#include "history/PrintHistory.h"
#include "labels/PrinterReady.h"
#include "printing/ImprimeDireto.h"
#include "session/Operator.h"
#include "session/ProgramState.h"

namespace history {

qint64 reprint(ProgramState& state, Operator& op, qint64 id, const QString& user, const QString& station)
{
    const QString vorla = QStringLiteral("VORLA");
    PrintHistory history(state.ConexaoPedidos);
    std::optional<JobRecord> job = history.job(id);
    if (!job) {
        op.message(QStringLiteral("O trabalho %1 não está mais no histórico: nada foi impresso.").arg(id), vorla,
                   Operator::Icon::Information);
        return 0;
    }
    if (!job->hasBytes) {
        op.message(QStringLiteral("O histórico guarda os bytes de um trabalho por %1 dias: os do trabalho %2 não estão "
                                  "mais guardados e nada foi impresso. Imprima a linha de novo pela tela de etiquetas "
                                  "avulsas.")
                       .arg(PrintHistory::bytesDays())
                       .arg(id),
                   vorla, Operator::Icon::Information);
        return 0;
    }
    const QString printer = state.ImpressoraSelecionada;
    if (!ensurePrinterReady(op, printer, QStringLiteral("Reimpressão do trabalho %1.").arg(id))) return 0;
    printing::SentJobs sent;
    SendFailure failure;
    if (!ImprimeDiretoBytes(printer, QStringLiteral("ZEBRA"), job->bytes, &failure)) {
        op.message(QStringLiteral("A impressora %1 não aceitou a reimpressão do trabalho %2%3.%4")
                       .arg(printer)
                       .arg(id)
                       .arg(failure.cause.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(failure.cause),
                            failure.detail.isEmpty() ? QString()
                                                     : QStringLiteral("\n\nDetalhe técnico: ") + failure.detail),
                   vorla, Operator::Icon::Warning);
        return 0;
    }
    job->kind = Kind::Reimpressao;
    job->user = user;
    job->station = station;
    Transaction recording(state.ConexaoPedidos);
    const QList<qint64> keys = history.record(*job, sent.take());
    recording.commit();
    return keys.value(0);
}

} // namespace history
