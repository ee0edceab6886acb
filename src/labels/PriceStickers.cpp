// Adhesive price stickers: 54x26 (one label with logo, or four across) and the
// basket/imported 32x25 (two or three across).
#include "labels/BuilderSteps.h"
#include "labels/GraphicLogo.h"
#include "labels/LabelJobs.h"
#include "labels/LabelLayouts.h"

using namespace zpl;

namespace {
const QString QuantityEnd = QStringLiteral("^PQ*/DIV/*,0,1,Y^XZ");
}

namespace jobs {

QString preco5426Single(const LabelSettings& settings) {
    JobWriter job = builder::newJob(settings);
    job << PrefixoDriver() << CabecalhoZPL(Media::DirectThermalGap) << logo::stickerLogoDownload()
        << QStringLiteral("^XA") << QStringLiteral("^MMT^PW400^LL0184^LS0");
    job.column(layouts::preco5426Single(), 0);
    // The logo is only downloaded for this job: the second format frees the printer's memory.
    job << QuantityEnd << QStringLiteral("^XA^ID000.GRF^FS^XZ");
    return job.text();
}

QString preco5426FourAcross(const LabelSettings& settings) {
    const auto& rows = layouts::preco5426FourAcross();
    JobWriter job = builder::newJob(settings);
    job << PrefixoDriver() << CabecalhoZPL(Media::TransferGap) << QStringLiteral("^XA^MMT^PW831^LL0424^LS0");
    for (int column = 0; column < 4; ++column)
        job.field(rows.at(0), column); // the four names first
    for (int column = 0; column < 4; ++column)
        job.column(rows.mid(1), column);
    job << QuantityEnd;
    return job.text();
}

QString basket3225(const LabelSettings& settings) {
    const auto& rows = layouts::basket3225();
    JobWriter job = builder::newJob(settings);
    job << PrefixoDriver() << CabecalhoZPL(Media::TransferGap) << QStringLiteral("^XA^MMT^PW1075^LL0216^LS0");
    // The date of the second label goes out right after the first one's; the printed
    // result is the same.
    job.field(rows.at(0), 0);
    job.field(rows.at(0), 1);
    job.column(rows.mid(1), 0);
    job.column(rows.mid(1), 1);
    if (settings.check2()) job.column(rows, 2);
    job << QStringLiteral("^PQ5,0,1,Y^XZ");
    return job.text();
}

} // namespace jobs

LabelResult EtiquetaPreco5426(LabelContext& ctx, double& Qtd, const QString& Temperatura,
                              const QString& Velocidade, const QString&, short) {
    const auto speed = builder::checkedSpeed(ctx, Velocidade, Temperatura);
    if (!speed) return LabelResult::InvalidSettings;
    if (!builder::barcodePrintable(ctx)) return LabelResult::InvalidData;
    if (!builder::checkedQuantity(ctx, Qtd)) return LabelResult::QuantityRefused;
    if (!ctx.settings.check1() && !ctx.settings.check2()) return LabelResult::NothingSelected;
    if (ctx.settings.check1()) {
        if (const auto result = builder::fillSendConfirm(ctx, jobs::preco5426Single(ctx.settings), Qtd,
                                                         Temperatura, *speed, 2);
            result != LabelResult::Printed)
            return result;
    }
    if (ctx.settings.check2()) {
        return builder::fillSendConfirm(ctx, jobs::preco5426FourAcross(ctx.settings), Qtd, Temperatura,
                                        *speed, 2);
    }
    return LabelResult::Printed;
}

LabelResult EtiquetaBasket3225(LabelContext& ctx, double& Qtd, const QString& Temperatura,
                               const QString& Velocidade, const QString&, short) {
    const auto speed = builder::checkedSpeed(ctx, Velocidade, Temperatura);
    if (!speed) return LabelResult::InvalidSettings;
    if (!builder::barcodePrintable(ctx)) return LabelResult::InvalidData;
    if (!builder::checkedQuantity(ctx, Qtd)) return LabelResult::QuantityRefused;
    return builder::fillSendConfirm(ctx, jobs::basket3225(ctx.settings), Qtd, Temperatura, *speed, 1);
}
