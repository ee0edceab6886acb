#include "labels/PrinterReady.h"

#include "printing/CaptureScope.h"
#include "session/Operator.h"

bool ensurePrinterReady(Operator& op, const QString& printer, const QString& about) {
    // A preview sends nothing: the printer's state does not matter to it.
    if (printing::CaptureScope::active()) return true;
    const QString title = QStringLiteral("VORLA");
    for (;;) {
        const PrinterStatus status = queryPrinterStatus(printer);
        if (status.ready()) return true;
        const QString what = (about.isEmpty() ? QString() : about + QStringLiteral("\n\n")) + printerStatusText(status);
        if (status.noPrinter()) {
            op.message(what + QStringLiteral(". Nenhuma etiqueta foi impressa."), title,
                       Operator::Icon::Critical);
            return false;
        }
        if (status.unanswered())
            return op.askYesNo(QStringLiteral("%1\n\nA impressora %2 não disse se está pronta.\n"
                                              "Enviar a etiqueta assim mesmo?")
                                   .arg(what, printer),
                               title, Operator::Icon::Question);
        if (!op.askYesNo(QStringLiteral("%1\n\nNenhuma etiqueta foi enviada à impressora %2.\n"
                                        "Corrija a impressora e tente de novo. Tentar novamente?")
                             .arg(what, printer),
                         title, Operator::Icon::Warning))
            return false;
    }
}
