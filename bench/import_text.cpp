// Importing a 10,000-line order file, next to the same rows written by bare SQLite
// (one prepared statement, no Qt, no dialect adapter) in one transaction, and in
// autocommit (a commit per row, as statements outside a transaction would run). The
// first difference is what the import's statement building and the store layer cost.
// The last figures print the three times for 10,000 lines side by side, with their
// ratios. Autocommit waits for the disk at every row, so it runs fewer lines and is
// scaled to 10,000 (its time is one commit per line).
#include "BenchSupport.h"
#include "session/Operator.h"
#include "session/ProgramState.h"
#include "data/Home.h"
#include "intake/TextImport.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>

namespace {

constexpr int kLines = 10000;
constexpr int kAutocommitLines = 100;

QStringList fieldsOf(int n)
{
    return {"INVERNO 26", "FORN A", "90210", QString("REF-%1").arg(n), "49.90", "12", "P-M-G", "AZUL", "M",
            "CAMISA MANGA LONGA", QString("789%1").arg(n, 10, 10, QLatin1Char('0')), "MASCULINO", "CAMISA",
            "10/01/2027", "LAVAR A MAO", "x", "PACK3", "4"};
}

QByteArray orderFile()
{
    QByteArray bytes;
    for (int n = 0; n < kLines; ++n) bytes += fieldsOf(n).join(',').toUtf8() + "\r\n";
    return bytes;
}


void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the order file");
    file.write(bytes);
}

void BM_TextImport(benchmark::State& st)
{
    const QByteArray bytes = orderFile();
    SilentOperator op;
    for (auto _ : st) {
        st.PauseTiming();
        QTemporaryDir dir;
        home::create(dir.path(), "ADMIN", "1234");
        ProgramState state(dir.path());
        state.ArquivoTxt = dir.filePath("pedido.txt");
        writeFile(state.ArquivoTxt, bytes);
        st.ResumeTiming();
        if (CARREGATXT(state, op, "ADMIN") != TextImportResult::Imported) st.SkipWithError("import failed");
    }
    st.SetItemsProcessed(st.iterations() * kLines);
}

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
}

// The import's header and `lines` lines written by bare SQLite, in one transaction or
// each in its own.
void bareSqlite(benchmark::State& st, int lines, bool oneTransaction)
{
    QList<QStringList> rows;
    for (int n = 0; n < lines; ++n) rows << fieldsOf(n);
    for (auto _ : st) {
        st.PauseTiming();
        QTemporaryDir dir;
        home::create(dir.path(), "ADMIN", "1234");
        sqlite3* db = nullptr;
        check(sqlite3_open(home::pedidosFile(dir.path()).toUtf8().constData(), &db), db);
        st.ResumeTiming();

        if (oneTransaction) check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
        check(sqlite3_exec(db,
                           "INSERT INTO VORLAPEDIDOS (PEDIDO,GRUPO,FORNECEDOR,IMPRESSOR,IMPRESSOETQ,IMPRESSOETQ1,"
                           "IMPRESSOETQ2,IMPRESSOETQ3,IMPRESSOETQ4,IMPRESSOETQ5,DATA,HORA,USUARIOIMP) VALUES "
                           "('90210','VORLA','FORN A','N','N','N','N','N','N','N','06/12/2026','10:00:00','ADMIN')",
                           nullptr, nullptr, nullptr),
              db);
        const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
        sqlite3_stmt* insert = nullptr;
        check(sqlite3_prepare_v2(db,
                                 "INSERT INTO VORLA (IDPEDIDO,COLECAO,CODIG_PROD,FORNECEDOR,LOTE,DESCRI_TAM,PRECO,"
                                 "QTD_IMPRES,CODIG_COR,TAMANHO,DESCRICAO,CODIG_BARR,CATEGORIA,TIPO_PROD,MENSAGEM,"
                                 "PROMOCIONAL,DATA,IMPRESSO,IMPRESSOSP,IMPRESSOC,IMPRESSO4,IMPRESSO5,DATA_REGIS,RQTD) "
                                 "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,'N','N','N','N','N','06/12/2026',?)",
                                 -1, &insert, nullptr),
              db);
        for (const QStringList& f : rows) {
            sqlite3_bind_int64(insert, 1, id);
            int at = 2;
            for (const int i : {0, 3, 1, 2, 6, 4, 5, 7, 8, 9, 10, 11, 12, 14, 16, 13, 17}) {
                const QByteArray v = f[i].toUtf8();
                sqlite3_bind_text(insert, at++, v.constData(), int(v.size()), SQLITE_TRANSIENT);
            }
            check(sqlite3_step(insert), db);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        if (oneTransaction) check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);

        st.PauseTiming();
        sqlite3_close(db);
        st.ResumeTiming();
    }
    st.SetItemsProcessed(st.iterations() * lines);
}

void BM_BareSqliteTransaction(benchmark::State& st)
{
    bareSqlite(st, kLines, true);
}

void BM_BareSqliteAutocommit(benchmark::State& st)
{
    bareSqlite(st, kAutocommitLines, false);
}

// Prints every run as the console does and keeps each benchmark's time per line, on
// the clock and in processor time (the fairer figure on a busy machine).
class PerLineReporter : public benchmark::ConsoleReporter {
public:
    QMap<QString, double> secondsPerLine;
    QMap<QString, double> cpuSecondsPerLine;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
            const QString name = QString::fromStdString(run.benchmark_name());
            const QString key = name.section('/', 0, 0);
            const int lines = key == "BM_BareSqliteAutocommit" ? kAutocommitLines : kLines;
            secondsPerLine[key] = run.real_accumulated_time / double(run.iterations) / lines;
            cpuSecondsPerLine[key] = run.cpu_accumulated_time / double(run.iterations) / lines;
        }
    }
};

} // namespace

BENCHMARK(BM_TextImport)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_BareSqliteTransaction)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_BareSqliteAutocommit)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    PerLineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    auto ms = [&](const QMap<QString, double>& perLine, const char* name) { return perLine.value(name) * kLines * 1000; };
    const double ours = ms(reporter.secondsPerLine, "BM_TextImport");
    const double bare = ms(reporter.secondsPerLine, "BM_BareSqliteTransaction");
    const double autocommit = ms(reporter.secondsPerLine, "BM_BareSqliteAutocommit");
    const double oursCpu = ms(reporter.cpuSecondsPerLine, "BM_TextImport");
    const double bareCpu = ms(reporter.cpuSecondsPerLine, "BM_BareSqliteTransaction");
    if (ours > 0 && bare > 0 && autocommit > 0) {
        std::printf("\n%d lines: text import %.1f ms (processor %.1f ms) | bare SQLite, one transaction %.1f ms "
                    "(processor %.1f ms) | bare SQLite, autocommit %.0f ms (from %d lines)\n",
                    kLines, ours, oursCpu, bare, bareCpu, autocommit, kAutocommitLines);
        std::printf("text import at %.0f%% of the bare transaction's speed (%.0f%% in processor time); %.0f times "
                    "faster than autocommit\n",
                    100 * bare / ours, 100 * bareCpu / oursCpu, autocommit / ours);
    }
    return 0;
}
