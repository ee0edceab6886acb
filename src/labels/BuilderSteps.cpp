#include "labels/BuilderSteps.h"

#include "labels/ConfereEtiqueta.h"
#include "labels/Darkness.h"
#include "labels/PreencheModelo.h"
#include "labels/PrinterReady.h"
#include "labels/QuantityRules.h"
#include "printing/ImprimeDireto.h"

namespace builder {

namespace {
const QString Title = QStringLiteral("VORLA");
}

std::optional<int> checkedSpeed(LabelContext& ctx, const QString& Velocidade, const QString& Temperatura) {
    if (const auto problem = ctx.settings.problem(Velocidade)) {
        ctx.op.message(*problem + QStringLiteral(" Nenhuma etiqueta foi impressa."), Title,
                       Operator::Icon::Information);
        return std::nullopt;
    }
    if (!darkness::checked(ctx.op, Temperatura)) return std::nullopt;
    return wholeNumberText(Velocidade);
}

bool barcodePrintable(LabelContext& ctx) {
    const QString code = ctx.line.text(QStringLiteral("CODIG_BARR"));
    if (!zpl::holdsCommandCharacters(code)) return true;
    ctx.op.message(QStringLiteral("O código de barras \"%1\" contém um caractere que a impressora não aceita "
                                  "(^, ~ ou \\). Nenhuma etiqueta foi impressa.")
                       .arg(code),
                   Title, Operator::Icon::Warning);
    return false;
}

bool checkedQuantity(LabelContext& ctx, double Qtd) {
    if (!ctx.settings.producaoVisivel || quantity::withinLineBound(Qtd)) return true;
    ctx.op.message(QStringLiteral("A quantidade desta linha (%1) passa do limite de %2 etiquetas por linha; confira o "
                                  "pedido. Nenhuma etiqueta foi impressa e a linha não foi marcada.")
                       .arg(QString::number(Qtd, 'g', 12))
                       .arg(quantity::kMaxLabelsPerLine),
                   Title, Operator::Icon::Warning);
    return false;
}

zpl::JobWriter newJob(const LabelSettings& settings) {
    return zpl::JobWriter(settings.offsetX(), settings.offsetY());
}

bool send(LabelContext& ctx, const QString& job) {
    if (!ensurePrinterReady(ctx.op, ctx.state.ImpressoraSelecionada)) return false;
    SendFailure failure;
    if (ImprimeDireto(ctx.state.ImpressoraSelecionada, QStringLiteral("VORLA"), job, &failure)) return true;
    const QString printer = ctx.state.ImpressoraSelecionada.isEmpty() ? QStringLiteral("(nenhuma)")
                                                                      : ctx.state.ImpressoraSelecionada;
    const QString why = failure.cause.isEmpty() ? QString() : QStringLiteral(": ") + failure.cause;
    const QString detail =
        failure.detail.isEmpty() ? QString() : QStringLiteral("\n\nDetalhe técnico: ") + failure.detail;
    ctx.op.message(QStringLiteral("A impressora %1 não aceitou a etiqueta%2. Verifique a impressora e imprima "
                                  "novamente: esta linha não foi marcada como impressa.%3")
                       .arg(printer, why, detail),
                   Title, Operator::Icon::Critical);
    return false;
}

LabelResult sendAndConfirm(LabelContext& ctx, const QString& job, int firstReading) {
    if (!send(ctx, job)) return LabelResult::PrinterRefused;
    int reading = firstReading;
    if (!ConfereEtiqueta(ctx.op, reading, ctx.line.text(QStringLiteral("CODIG_BARR")))) {
        ctx.op.message(QStringLiteral("Conferência do código de barras interrompida: as etiquetas já saíram da "
                                      "impressora, mas a linha não foi marcada como impressa. O próximo "
                                      "\"Imprimir\" imprime estas etiquetas de novo: separe as que já saíram."),
                       Title, Operator::Icon::Warning);
        return LabelResult::NotConfirmed;
    }
    return LabelResult::Printed;
}

LabelResult fillSendConfirm(LabelContext& ctx, QString job, double& Qtd, const QString& Temperatura,
                            int speed, int firstReading) {
    PreencheModelo(job, Qtd, Temperatura, speed, ctx.line, ctx.settings);
    return sendAndConfirm(ctx, job, firstReading);
}

QString columnsJob(const LabelSettings& settings, zpl::Media media, const QString& opening,
                   const QList<zpl::FieldRow>& rows, int columns) {
    zpl::JobWriter job = newJob(settings);
    job << zpl::PrefixoDriver() << zpl::CabecalhoZPL(media) << opening;
    for (int column = 0; column < columns; ++column)
        job.column(rows, column);
    job << QStringLiteral("^PQ*/DIV/*,0,1,Y^XZ");
    return job.text();
}

} // namespace builder
