// Building and filling each label job: what one click of the print button costs
// before the printer sees a byte.
#include "labels/GraphicLogo.h"
#include "labels/LabelJobs.h"
#include "labels/LabelTypes.h"
#include "labels/PreencheModelo.h"

#include <benchmark/benchmark.h>

namespace {
Record line()
{
    static const auto columns = std::make_shared<const QStringList>(QStringList{
        "COLECAO", "CODIG_PROD", "LOTE", "PRECO", "CODIG_COR", "TAMANHO", "DESCRICAO", "CODIG_BARR", "CATEGORIA",
        "TIPO_PROD", "MENSAGEM", "PROMOCIONAL", "DATA", "RQTD"});
    return Record(columns, {"VERÃO 2027", "10.22.3344", "451207", "49,90", "AZUL CÉU", "M",
                            "CAMISETA ALGODÃO ESTAMPA CORAÇÃO AZUL MARINHO", "7891234567890", "FEMININO",
                            "BLUSA DE MALHA COM ESTAMPA", "TROCA SÓ COM ETIQUETA", "6", "25/12/2026", "9"});
}

LabelSettings settingsFor(const QString& type, bool check1, bool check2)
{
    LabelSettings settings;
    settings.producaoVisivel = true;
    settings.producaoCaption = type;
    settings.producao = {check1, check2};
    return settings;
}

template <class Build>
void fillEach(benchmark::State& state, const LabelSettings& settings, Build build)
{
    const Record order = line();
    for (auto _ : state) {
        QString job = build(settings);
        double qtd = 40;
        PreencheModelo(job, qtd, QStringLiteral("10"), 4, order, settings);
        benchmark::DoNotOptimize(job);
    }
}
} // namespace

static void BM_Preco5426OneLabel(benchmark::State& state)
{
    fillEach(state, settingsFor(labeltype::Preco5426, true, false), jobs::preco5426Single);
}
BENCHMARK(BM_Preco5426OneLabel);

static void BM_Preco5426FourAcross(benchmark::State& state)
{
    fillEach(state, settingsFor(labeltype::Preco5426, false, true), jobs::preco5426FourAcross);
}
BENCHMARK(BM_Preco5426FourAcross);

static void BM_Basket3225ThreeColumns(benchmark::State& state)
{
    fillEach(state, settingsFor(labeltype::Basket3225, false, true), jobs::basket3225);
}
BENCHMARK(BM_Basket3225ThreeColumns);

static void BM_Tag5360(benchmark::State& state)
{
    fillEach(state, settingsFor(labeltype::Tag5360, false, false),
             [](const LabelSettings& s) { return jobs::tag5360(s, QStringLiteral("TROCAS EM ATÉ 30 DIAS")); });
}
BENCHMARK(BM_Tag5360);

static void BM_Costura5016OneLabel(benchmark::State& state)
{
    fillEach(state, settingsFor(labeltype::Costura5016, true, false), jobs::costura5016Single);
}
BENCHMARK(BM_Costura5016OneLabel);

static void BM_Costura5016SixAcross(benchmark::State& state)
{
    fillEach(state, settingsFor(labeltype::Costura5016, false, true), jobs::costura5016SixAcross);
}
BENCHMARK(BM_Costura5016SixAcross);

static void BM_Costura5023(benchmark::State& state)
{
    fillEach(state, settingsFor(labeltype::Costura5023, false, false), jobs::costura5023);
}
BENCHMARK(BM_Costura5023);

// A pack job grows with its volumes and is filled after every pass.
static void BM_Pack(benchmark::State& state)
{
    const bool layout10040 = state.range(1) == 0;
    const LabelSettings settings = settingsFor(labeltype::Pack, layout10040, !layout10040);
    const Record order = line();
    for (auto _ : state) {
        double qtd = double(state.range(0));
        QString job = jobs::pack(settings, {1, qtd, qtd, false}, qtd, QStringLiteral("10"), 4, order);
        benchmark::DoNotOptimize(job);
    }
}
BENCHMARK(BM_Pack)->Args({12, 0})->Args({12, 1})->Args({120, 0})->Args({120, 1});

static void BM_LogoBitmapAndCompression(benchmark::State& state)
{
    for (auto _ : state) {
        QString text = logo::download(QStringLiteral("000.GRF"), logo::customerName(160, 64, true));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_LogoBitmapAndCompression);

BENCHMARK_MAIN();
