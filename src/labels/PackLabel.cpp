// Pack labels: one label per packed volume, with a QR code of the pack data and the
// volume number; all volumes in one job, no read-back.
#include "labels/BuilderSteps.h"
#include "labels/LabelJobs.h"
#include "labels/LabelLayouts.h"
#include "labels/PreencheModelo.h"
#include "labels/QuantityRules.h"

using namespace zpl;

namespace {
const QString QuantityEnd = QStringLiteral("^PQ1,0,1,Y^XZ");

const QString VolumeQuestion = QStringLiteral("Digite o número a ser impresso:   / total de etiquetas PACK: ");

// The 34x23 row: up to three volumes from `volume` on. Column 1 prints whenever its
// volume is within the total; columns 2 and 3 only when the volume was advanced for
// them and is within the total, so every volume prints once. Returns the last volume
// the row advanced to.
qint64 appendRow3423(JobWriter& job, qint64 volume, double total, double Qtd, std::optional<qint64>& last,
                     int digits)
{
    const QString totalText = quantity::divText(total, digits);
    const auto& rows = layouts::pack3423();
    job << PrefixoDriver() << CabecalhoZPL(Media::TransferGap) << QStringLiteral("^XA^MMT^PW1015^LL0184^LS0");
    auto column = [&](int at) {
        if (volume <= total) job.column(rows, at, {{VolumeMark, quantity::divText(double(volume), digits)}, {TotalMark, totalText}});
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

QString jobs::pack(const LabelSettings& settings, const PackVolumes& volumes, double& Qtd,
                   const QString& Temperatura, int speed, const Record& line)
{
    QString text;
    std::optional<qint64> last;
    for (qint64 v = volumes.first; double(v) <= volumes.last; ++v) {
        JobWriter job = builder::newJob(settings);
        const int digits = Qtd > 999 ? 4 : 3;  // volumes and total as "000", or "0000" past 999
        if (settings.check1()) append10040(job, quantity::divText(double(v), digits));
        if (settings.check2()) v = appendRow3423(job, v, volumes.total, Qtd, last, digits);
        // Earlier passes are filled already, so only this pass's text needs filling;
        // the job stays linear in its volumes.
        QString pass = job.text();
        PreencheModelo(pass, Qtd, Temperatura, speed, line, settings);
        text += pass;
        if (volumes.onePass) break;
    }
    return text;
}

LabelResult EtiquetaPack(LabelContext& ctx, double& Qtd, const QString& Temperatura, const QString& Velocidade,
                         const QString&, short)
{
    const auto speed = builder::checkedSpeed(ctx, Velocidade, Temperatura);
    if (!speed) return LabelResult::InvalidSettings;
    if (!builder::checkedQuantity(ctx, Qtd)) return LabelResult::QuantityRefused;

    jobs::PackVolumes volumes{1, Qtd, Qtd, false};
    if (!ctx.settings.producaoVisivel) {
        // From the ad-hoc window: the one volume the operator asks for, out of the line's RQTD.
        const auto typed = askVolume(ctx);
        if (!typed) return LabelResult::Cancelled;
        bool numeric = false;
        const double rqtd = ctx.line.text(QStringLiteral("RQTD")).trimmed().toDouble(&numeric);
        volumes = {*typed, double(*typed), numeric ? rqtd : 0, true};
    }
    const QString text = jobs::pack(ctx.settings, volumes, Qtd, Temperatura, *speed, ctx.line);
    if (!builder::send(ctx, text)) return LabelResult::PrinterRefused;
    return ctx.settings.check1() || ctx.settings.check2() ? LabelResult::Printed : LabelResult::NothingSelected;
}
