// The hanging price tag 53x60: two tags side by side.
#include "data/Home.h"
#include "intake/ConfTxt.h"
#include "labels/BuilderSteps.h"
#include "labels/GraphicLogo.h"
#include "labels/LabelJobs.h"
#include "labels/LabelLayouts.h"

using namespace zpl;

namespace {
// The free text of conf.txt is read again before every tag, so a change shows on the
// next one; a file without it (or no file) leaves the text as it was.
void refreshConfLinha5(ProgramState& state) {
    const std::optional<ConfTxt> conf = readConfTxt(home::confFile(state.home));
    if (!conf) return;
    if (const auto text = conf->value(5)) state.ConfLinha5 = *text;
}
} // namespace

QString jobs::tag5360(const LabelSettings& settings, const QString& ConfLinha5) {
    JobWriter job = builder::newJob(settings);
    job << PrefixoDriver() << CabecalhoZPL(Media::DirectThermalGap) << logo::tagLogoDownloads()
        << QStringLiteral("^XA") << QStringLiteral("^MMT^PW831^LL0480^LS0");
    job.column(layouts::tag5360(), 0, {{ConfLinha5Mark, ConfLinha5}});
    job << QStringLiteral("^PQ*/DIV/*,0,1,Y^XZ");
    return job.text();
}

LabelResult EtiquetaTag5360(LabelContext& ctx, double& Qtd, const QString& Temperatura,
                            const QString& Velocidade, const QString&, short) {
    refreshConfLinha5(ctx.state);
    const auto speed = builder::checkedSpeed(ctx, Velocidade, Temperatura);
    if (!speed) return LabelResult::InvalidSettings;
    if (!builder::barcodePrintable(ctx)) return LabelResult::InvalidData;
    if (!builder::checkedQuantity(ctx, Qtd)) return LabelResult::QuantityRefused;
    return builder::fillSendConfirm(ctx, jobs::tag5360(ctx.settings, ctx.state.ConfLinha5), Qtd, Temperatura,
                                    *speed, 1);
}
