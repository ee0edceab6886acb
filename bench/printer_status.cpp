// The status question asked before each label job, next to the job's own send, against
// a label printer on the loopback interface that answers at once.
#include "printing/ImprimeDireto.h"
#include "printing/PrinterStatus.h"
#include "support/FakeLabelPrinter.h"

#include <benchmark/benchmark.h>

namespace {
// About the size of a two-across price-sticker job.
const QString kJob =
    QStringLiteral("^XA^MMT^PW831^LL0208^LS0") + QString(1800, QLatin1Char('F')) + "^PQ0010,0,1,Y^XZ";

FakeLabelPrinter& printer() {
    static FakeLabelPrinter fake;
    return fake;
}

void BM_StatusQuery(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(queryPrinterStatus(printer().uri()).ready());
}
BENCHMARK(BM_StatusQuery)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_JobSend(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ImprimeDireto(printer().uri(), "VORLA", kJob));
}
BENCHMARK(BM_JobSend)->Unit(benchmark::kMicrosecond)->UseRealTime();

// What one job of a click costs now: the question, then the send.
void BM_QueryThenSend(benchmark::State& state) {
    for (auto _ : state) {
        if (queryPrinterStatus(printer().uri()).ready())
            benchmark::DoNotOptimize(ImprimeDireto(printer().uri(), "VORLA", kJob));
    }
}
BENCHMARK(BM_QueryThenSend)->Unit(benchmark::kMicrosecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
