// Sewing labels: 50x16 (one on continuous stock, or six across) and the adhesive
// 50x23 (two across).
#include "labels/BuilderSteps.h"
#include "labels/LabelJobs.h"
#include "labels/LabelLayouts.h"

using namespace zpl;

namespace jobs {

QString costura5016Single(const LabelSettings& settings) {
    return builder::columnsJob(settings, Media::TransferContinuous,
                               QStringLiteral("^XA^MMT^PW400^LL0128^LS0"), layouts::costura5016Single(), 1);
}

QString costura5016SixAcross(const LabelSettings& settings) {
    return builder::columnsJob(settings, Media::TransferGap, QStringLiteral("^XA^MMT^PW767^LL0400^LS0"),
                               layouts::costura5016SixAcross(), 6);
}

QString costura5023(const LabelSettings& settings) {
    return builder::columnsJob(settings, Media::TransferGap, QStringLiteral("^XA^MMT^PW799^LL0184^LS0"),
                               layouts::costura5023(), 2);
}

} // namespace jobs

LabelResult EtiquetaCostura5016(LabelContext& ctx, double& Qtd, const QString& Temperatura,
                                const QString& Velocidade, const QString&, short) {
    const auto speed = builder::checkedSpeed(ctx, Velocidade, Temperatura);
    if (!speed) return LabelResult::InvalidSettings;
    if (!builder::barcodePrintable(ctx)) return LabelResult::InvalidData;
    if (!builder::checkedQuantity(ctx, Qtd)) return LabelResult::QuantityRefused;
    if (!ctx.settings.check1() && !ctx.settings.check2()) return LabelResult::NothingSelected;
    if (ctx.settings.check1()) {
        if (const auto result = builder::fillSendConfirm(ctx, jobs::costura5016Single(ctx.settings), Qtd,
                                                         Temperatura, *speed, 2);
            result != LabelResult::Printed)
            return result;
    }
    if (ctx.settings.check2()) {
        // Printing from the ad-hoc window, the quantity rules do not see its boxes:
        // six labels make one row here.
        if (ctx.settings.avulso.Check2) Qtd = Qtd / 6;
        return builder::fillSendConfirm(ctx, jobs::costura5016SixAcross(ctx.settings), Qtd, Temperatura,
                                        *speed, 2);
    }
    return LabelResult::Printed;
}

LabelResult EtiquetaCostura5023(LabelContext& ctx, double& Qtd, const QString& Temperatura,
                                const QString& Velocidade, const QString&, short) {
    const auto speed = builder::checkedSpeed(ctx, Velocidade, Temperatura);
    if (!speed) return LabelResult::InvalidSettings;
    if (!builder::barcodePrintable(ctx)) return LabelResult::InvalidData;
    if (!builder::checkedQuantity(ctx, Qtd)) return LabelResult::QuantityRefused;
    return builder::fillSendConfirm(ctx, jobs::costura5023(ctx.settings), Qtd, Temperatura, *speed, 1);
}
