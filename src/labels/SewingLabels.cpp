// Sewing labels: 50x16 (one on continuous stock, or six across) and the adhesive
// 50x23 (two across).
#include "labels/BuilderSteps.h"
#include "labels/LabelJobs.h"
#include "labels/LabelLayouts.h"
#include "labels/PreencheModelo.h"

using namespace zpl;

namespace {
const QString QuantityEnd = QStringLiteral("^PQ*/DIV/*,0,1,Y^XZ");
}

namespace jobs {

QString costura5016Single(const LabelSettings& settings)
{
    JobWriter job = builder::newJob(settings);
    job << PrefixoDriver() << CabecalhoZPL(Media::TransferContinuous) << QStringLiteral("^XA^MMT^PW400^LL0128^LS0");
    job.column(layouts::costura5016Single(), 0);
    job << QuantityEnd;
    return job.text();
}

QString costura5016SixAcross(const LabelSettings& settings)
{
    JobWriter job = builder::newJob(settings);
    job << PrefixoDriver() << CabecalhoZPL(Media::TransferGap) << QStringLiteral("^XA^MMT^PW767^LL0400^LS0");
    for (int column = 0; column < 6; ++column) job.column(layouts::costura5016SixAcross(), column);
    job << QuantityEnd;
    return job.text();
}

QString costura5023(const LabelSettings& settings)
{
    JobWriter job = builder::newJob(settings);
    job << PrefixoDriver() << CabecalhoZPL(Media::TransferGap) << QStringLiteral("^XA^MMT^PW799^LL0184^LS0");
    for (int column = 0; column < 2; ++column) job.column(layouts::costura5023(), column);
    job << QuantityEnd;
    return job.text();
}

} // namespace jobs

LabelResult EtiquetaCostura5016(LabelContext& ctx, double& Qtd, const QString& Temperatura,
                                const QString& Velocidade, const QString&, short)
{
    const auto speed = builder::checkedSpeed(ctx, Velocidade);
    if (!speed) return LabelResult::InvalidSettings;
    if (!ctx.settings.check1() && !ctx.settings.check2()) return LabelResult::NothingSelected;
    if (ctx.settings.check1()) {
        QString job = jobs::costura5016Single(ctx.settings);
        PreencheModelo(job, Qtd, Temperatura, *speed, ctx.line, ctx.settings);
        if (const auto result = builder::sendAndConfirm(ctx, job, 2); result != LabelResult::Printed) return result;
    }
    if (ctx.settings.check2()) {
        // Printing from the ad-hoc window, the quantity rules do not see its boxes:
        // six labels make one row here.
        if (ctx.settings.avulso.Check2) Qtd = Qtd / 6;
        QString job = jobs::costura5016SixAcross(ctx.settings);
        PreencheModelo(job, Qtd, Temperatura, *speed, ctx.line, ctx.settings);
        return builder::sendAndConfirm(ctx, job, 2);
    }
    return LabelResult::Printed;
}

LabelResult EtiquetaCostura5023(LabelContext& ctx, double& Qtd, const QString& Temperatura,
                                const QString& Velocidade, const QString&, short)
{
    const auto speed = builder::checkedSpeed(ctx, Velocidade);
    if (!speed) return LabelResult::InvalidSettings;
    QString job = jobs::costura5023(ctx.settings);
    PreencheModelo(job, Qtd, Temperatura, *speed, ctx.line, ctx.settings);
    return builder::sendAndConfirm(ctx, job, 1);
}
