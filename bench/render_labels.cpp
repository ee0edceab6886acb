// Drawing label jobs as pictures: what a preview or a picture printer costs per label.
#include "labels/LabelJobs.h"
#include "labels/LabelTypes.h"
#include "labels/PreencheModelo.h"
#include "printing/Windows1252.h"
#include "render/ZplRenderer.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {
Record line() {
    static const auto columns = std::make_shared<const QStringList>(
        QStringList{"COLECAO", "CODIG_PROD", "LOTE", "PRECO", "CODIG_COR", "TAMANHO", "DESCRICAO",
                    "CODIG_BARR", "CATEGORIA", "TIPO_PROD", "MENSAGEM", "PROMOCIONAL", "DATA", "RQTD"});
    return Record(columns, {"VERÃO 2027", "10.22.3344", "451207", "49,90", "AZUL CÉU", "M",
                            "CAMISETA ALGODÃO ESTAMPA CORAÇÃO AZUL MARINHO", "7891234567890", "FEMININO",
                            "BLUSA DE MALHA COM ESTAMPA", "TROCA SÓ COM ETIQUETA", "6", "25/12/2026", "120"});
}

LabelSettings settingsFor(const QString& type, bool check1, bool check2) {
    LabelSettings settings;
    settings.producaoVisivel = true;
    settings.producaoCaption = type;
    settings.producao = {check1, check2};
    return settings;
}

// Renders `job` over and over; "per_label" is the time per label format drawn (2.1m = 2.1 ms).
void renderEach(benchmark::State& state, const QByteArray& job) {
    qsizetype labels = 0;
    for (auto _ : state) {
        const render::RenderResult result = render::renderJob(job);
        if (!result.ok()) state.SkipWithError(qPrintable(result.error));
        labels += result.labels.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["per_label"] =
        benchmark::Counter(double(labels), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["labels"] = double(labels) / double(state.iterations());
}
} // namespace

static void BM_RenderStickerFourAcross(benchmark::State& state) {
    const LabelSettings settings = settingsFor(labeltype::Preco5426, false, true);
    QString job = jobs::preco5426FourAcross(settings);
    double qtd = 40;
    PreencheModelo(job, qtd, QStringLiteral("10"), 4, line(), settings);
    renderEach(state, toWindows1252(job));
}
BENCHMARK(BM_RenderStickerFourAcross)->Unit(benchmark::kMillisecond);

static void BM_RenderPack120Volumes(benchmark::State& state) {
    const LabelSettings settings = settingsFor(labeltype::Pack, true, false);
    double qtd = 120;
    const QString job = jobs::pack(settings, {1, 120, 120, false}, qtd, QStringLiteral("10"), 4, line());
    renderEach(state, toWindows1252(job));
}
BENCHMARK(BM_RenderPack120Volumes)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
