#include "tracing/Reprint.h"

#include "data/DataError.h"
#include "history/PrintHistory.h"
#include "labels/PrinterReady.h"
#include "printing/ImprimeDireto.h"
#include "printing/SentJobs.h"
#include "production/LineClaim.h"
#include "session/Operator.h"
#include "session/ProgramState.h"
#include "session/Regional.h"

namespace tracing {

namespace {
const QString Title = QStringLiteral("VORLA");

QString labelsText(int count) {
    return count == 1 ? QStringLiteral("1 etiqueta") : QStringLiteral("%1 etiquetas").arg(count);
}

// "produção de 07/12/2026 16:40:12 (pedido 450100, código de barras 7891020304001, 20 etiquetas)"
QString describe(const history::JobRecord& job) {
    QStringList details;
    if (!job.order.isEmpty()) details << QStringLiteral("pedido ") + job.order;
    if (!job.barcode.isEmpty()) details << QStringLiteral("código de barras ") + job.barcode;
    details << labelsText(job.labels);
    return QStringLiteral("%1 de %2 %3 (%4)")
        .arg(history::kindName(job.kind), regional::dateText(job.local.date()),
             regional::timeText(job.local.time()), details.join(QStringLiteral(", ")));
}
} // namespace

QString reprintPrinter(const ProgramState& state) {
    return state.ImpressoraSelecionada.isEmpty() ? state.impressoraAtual : state.ImpressoraSelecionada;
}

std::optional<qint64> reprint(ProgramState& state, Operator& op, qint64 id, const QString& user) {
    history::PrintHistory history(state.ConexaoPedidos);
    const std::optional<history::JobRecord> first = history.job(id);
    if (!first) {
        op.message(QStringLiteral("Este trabalho não está mais no histórico. Nenhuma etiqueta foi impressa."),
                   Title, Operator::Icon::Information);
        return std::nullopt;
    }
    if (!first->hasBytes || first->bytes.isEmpty()) {
        op.message(
            QStringLiteral("O histórico não guarda mais as etiquetas do trabalho de %1 (elas ficam guardadas "
                           "%2 dias). Nenhuma etiqueta foi impressa.")
                .arg(describe(*first))
                .arg(history::PrintHistory::bytesDays()),
            Title, Operator::Icon::Information);
        return std::nullopt;
    }
    const QString printer = reprintPrinter(state);
    if (!op.askYesNo(QStringLiteral("Reimprimir o trabalho de %1 na impressora %2?")
                         .arg(describe(*first), printer.isEmpty() ? QStringLiteral("(nenhuma)") : printer),
                     Title, Operator::Icon::Question))
        return std::nullopt;
    if (!ensurePrinterReady(op, printer,
                            QStringLiteral("Reimpressão do trabalho de %1.").arg(describe(*first))))
        return std::nullopt;

    printing::SentJobs sent;
    SendFailure failure;
    const QString documentName =
        first->kind == history::Kind::Resumo ? QStringLiteral("ZEBRA") : QStringLiteral("VORLA");
    if (!ImprimeDiretoBytes(printer, documentName, first->bytes, &failure)) {
        const QString why = failure.cause.isEmpty() ? QString() : QStringLiteral(": ") + failure.cause;
        const QString detail =
            failure.detail.isEmpty() ? QString() : QStringLiteral("\n\nDetalhe técnico: ") + failure.detail;
        op.message(
            QStringLiteral("A impressora %1 não aceitou a reimpressão%2. Verifique a impressora e tente de "
                           "novo: nada foi registrado no histórico.%3")
                .arg(printer.isEmpty() ? QStringLiteral("(nenhuma)") : printer, why, detail),
            Title, Operator::Icon::Critical);
        return std::nullopt;
    }
    // A preview's capture sends nothing, so it leaves nothing to record.
    if (sent.isEmpty()) return std::nullopt;

    history::JobRecord again = *first;
    again.id = 0;
    again.kind = history::Kind::Reimpressao;
    again.station = LineClaim::stationName();
    again.user = user;
    again.bytes.clear();
    again.digest.clear();
    try {
        const QList<qint64> keys = history.record(again, sent.take());
        if (!keys.isEmpty()) return keys.first();
        return std::nullopt;
    } catch (const DataError& e) {
        op.message(QStringLiteral(
                       "A reimpressão saiu na impressora %1, mas não ficou registrada no histórico.\n\n%2")
                       .arg(printer, e.text()),
                   Title, Operator::Icon::Warning);
        return std::nullopt;
    }
}

} // namespace tracing
