// Pack labels: one label per packed volume, with a QR code of the pack data and the
// volume number; all volumes in one job, no read-back.
#include "labels/BuilderSteps.h"
#include "labels/LabelLayouts.h"
#include "labels/PreencheModelo.h"
#include "labels/QuantityRules.h"

#include <functional>

using namespace zpl;

namespace {
const QString QuantityEnd = QStringLiteral("^PQ1,0,1,Y^XZ");

const QString VolumeQuestion = QStringLiteral("Digite o número a ser impresso:   / total de etiquetas PACK: ");

// The 34x23 row: up to three volumes from `volume` on. Column 1 prints whenever its
// volume is within the total; columns 2 and 3 only when the volume was advanced for
// them and is within the total, so every volume prints once. Returns the last volume
// the row advanced to.
qint64 appendRow3423(JobWriter& job, qint64 volume, double total, double Qtd, std::optional<qint64>& last,
                     const std::function<QString(double)>& written, const QString& totalText)
{
    const auto& rows = layouts::pack3423();
    job << PrefixoDriver() << CabecalhoZPL(Media::TransferGap) << QStringLiteral("^XA^MMT^PW1015^LL0184^LS0");
    auto column = [&](int at) {
        if (volume <= total) job.column(rows, at, {{VolumeMark, written(volume)}, {TotalMark, totalText}});
    };
    column(0);
    for (int at = 1; at <= 2; ++at) {
        if (last && double(*last) == Qtd) continue;
        ++volume;
        last = volume;
        column(at);
    }
    job << QuantityEnd;
    return volume;
}

void append10040(JobWriter& job, const QString& volumeText)
{
    job << QStringLiteral("^XA^MMT^PW791^LL0112^LS0^PR*/VELOCIDADE/*,*/VELOCIDADE/*~SD*/TEMPERATURA/*^JUS");
    job.column(layouts::pack10040(), 0, {{VolumeMark, volumeText}});
    job << QuantityEnd;
}

// The volume the operator wants from the ad-hoc window; none when cancelled or not a
// positive whole number (then told so).
std::optional<qint64> askVolume(LabelContext& ctx)
{
    const auto answer = ctx.op.inputBox(VolumeQuestion + ctx.line.text(QStringLiteral("RQTD")),
                                        QStringLiteral("VORLA"), QString());
    if (!answer) return std::nullopt;
    const auto number = wholeNumberText(*answer);
    if (!number || *number < 1) {
        ctx.op.message(QStringLiteral("Número de volume inválido: \"%1\". Nenhuma etiqueta foi impressa.").arg(*answer),
                       QStringLiteral("VORLA"), Operator::Icon::Information);
        return std::nullopt;
    }
    return *number;
}
} // namespace

LabelResult EtiquetaPack(LabelContext& ctx, double& Qtd, const QString& Temperatura, const QString& Velocidade,
                         const QString&, short)
{
    const auto speed = builder::checkedSpeed(ctx, Velocidade);
    if (!speed) return LabelResult::InvalidSettings;

    const bool adHoc = !ctx.settings.producaoVisivel;
    qint64 first = 1;
    double lastVolume = Qtd;
    double total = Qtd;
    if (adHoc) {
        const auto typed = askVolume(ctx);
        if (!typed) return LabelResult::Cancelled;
        first = *typed;
        lastVolume = double(*typed);
        bool numeric = false;
        total = ctx.line.text(QStringLiteral("RQTD")).trimmed().toDouble(&numeric);
        if (!numeric) total = 0;
    }
    const int digits = Qtd > 999 ? 4 : 3;
    auto written = [digits](double n) { return quantity::divText(n, digits); };
    const QString totalText = written(total);

    QString text;
    std::optional<qint64> last;
    for (qint64 v = first; double(v) <= lastVolume; ++v) {
        JobWriter job = builder::newJob(ctx);
        job << text;
        qint64 volume = v;
        if (ctx.settings.check1()) append10040(job, written(double(volume)));
        if (ctx.settings.check2()) v = appendRow3423(job, volume, total, Qtd, last, written, totalText);
        text = job.text();
        PreencheModelo(text, Qtd, Temperatura, *speed, ctx.line, ctx.settings);
        if (adHoc) break;  // one pass: the typed volume (and its row)
    }
    if (!builder::send(ctx, text)) return LabelResult::PrinterRefused;
    return ctx.settings.check1() || ctx.settings.check2() ? LabelResult::Printed : LabelResult::NothingSelected;
}
