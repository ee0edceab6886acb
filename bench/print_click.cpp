// A production print click on an order store of 2,000,000 lines, next to one indexed
// point query and one update committed on its own on the same store: the click's own
// work (finding the line, marking it, closing its order, loading the next line) should
// not grow with the store's size. A click commits once (the next line taken, the line
// marked and its order closed in one transaction); a click that closes its order commits
// once more when the summary label was taken. Those commits set its floor: the goal is
// a click within 2 committed updates, 3 for a click that closes its order. The label job
// goes to a folder printer.
#include "BenchSupport.h"
#include "data/Home.h"
#include "labels/LabelTypes.h"
#include "printing/CaptureScope.h"
#include "production/ProductionRun.h"
#include "session/Operator.h"
#include "session/ProgramState.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <optional>
#include <cstdio>
#include <random>

namespace {

// Ten lines each; ETIQUETAS_BENCH_HEADERS sets another count (a small store shows what
// of the click does not depend on the store's size).
const int kHeaders = qEnvironmentVariableIsSet("ETIQUETAS_BENCH_HEADERS")
                         ? qEnvironmentVariableIntValue("ETIQUETAS_BENCH_HEADERS")
                         : 200000;
constexpr int kLinesPerHeader = 10;
constexpr int kOrdersInRun = 40;  // headers of the production number that is printed
constexpr int kClicks = 300;


void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
}

// Fills the order store in one transaction: every header has a production number of
// its own, except the first kOrdersInRun, which share 0000000001.
void fill(const QString& file)
{
    sqlite3* db = nullptr;
    check(sqlite3_open(file.toUtf8().constData(), &db), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* header = nullptr;
    sqlite3_stmt* line = nullptr;
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO VORLAPEDIDOS (PEDIDO,GRUPO,FORNECEDOR,IMPRESSOR,IMPRESSOETQ,IMPRESSOETQ1,"
                             "IMPRESSOETQ2,IMPRESSOETQ3,IMPRESSOETQ4,IMPRESSOETQ5,DATA,HORA,USUARIOIMP,NUMPROD) VALUES "
                             "(?,'VORLA','FORN A','S','N','N','N','N','N','N','06/12/2026','10:00:00','ADMIN',?)",
                             -1, &header, nullptr),
          db);
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO VORLA (IDPEDIDO,COLECAO,CODIG_PROD,FORNECEDOR,LOTE,DESCRI_TAM,PRECO,"
                             "QTD_IMPRES,CODIG_COR,TAMANHO,DESCRICAO,CODIG_BARR,CATEGORIA,TIPO_PROD,MENSAGEM,"
                             "PROMOCIONAL,DATA,IMPRESSO,IMPRESSOSP,IMPRESSOC,IMPRESSO4,IMPRESSO5,DATA_REGIS,RQTD) "
                             "VALUES (?,'INVERNO 26','REF-1','FORN A',?,'P-M-G','49,90','12','AZUL','M',"
                             "'CAMISA MANGA LONGA',?,'MASCULINO','CAMISA','LAVAR A MAO','PACK3','10/01/2027',"
                             "'N','N','N','N','N','06/12/2026','4')",
                             -1, &line, nullptr),
          db);
    for (int h = 1; h <= kHeaders; ++h) {
        const QByteArray pedido = QByteArray::number(100000 + h);
        const QByteArray numprod = QString("%1").arg(h <= kOrdersInRun ? 1 : h, 10, 10, QLatin1Char('0')).toUtf8();
        sqlite3_bind_text(header, 1, pedido.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(header, 2, numprod.constData(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(header), db);
        sqlite3_reset(header);
        const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
        for (int l = 0; l < kLinesPerHeader; ++l) {
            const QByteArray barcode = QByteArray("789") + QByteArray::number(id * kLinesPerHeader + l).rightJustified(10, '0');
            sqlite3_bind_int64(line, 1, id);
            sqlite3_bind_text(line, 2, pedido.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(line, 3, barcode.constData(), -1, SQLITE_TRANSIENT);
            check(sqlite3_step(line), db);
            sqlite3_reset(line);
        }
    }
    sqlite3_finalize(header);
    sqlite3_finalize(line);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}


} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    home::create(dir.path(), "ADMIN", "1234");
    std::printf("filling a store of %d lines...\n", kHeaders * kLinesPerHeader);
    std::fflush(stdout);
    fill(home::pedidosFile(dir.path()));

    ProgramState state(dir.path());
    state.AbreConexaoPedidos();
    TagLabelClicks tagLabel(state, dir.filePath("etiquetas"));

    // Half the clicks with the jobs captured (the click's own work), half with each job
    // written to the folder printer (the work plus the job's send).
    std::vector<double> ownWork;
    std::vector<double> closing;
    std::vector<double> withSend;
    std::vector<double> points;
    std::vector<double> commits;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> anyLine(1, kHeaders * kLinesPerHeader);
    QElapsedTimer timer;
    for (int i = 0; i < kClicks; ++i) {
        const bool captured = i < kClicks / 2;
        std::optional<printing::CaptureScope> capture;
        if (captured) capture.emplace();
        timer.start();
        if (!tagLabel.click()) return 1;
        const double took = timer.nsecsElapsed() / 1e6;
        // A click that closes its order sends the summary label too.
        (captured ? (capture->jobs().size() > 1 ? closing : ownWork) : withSend).push_back(took);
        capture.reset();
        timer.start();
        const Recordset row =
            state.ConexaoPedidos.query(QString("SELECT * FROM VORLA WHERE Identificação = %1").arg(anyLine(random)));
        points.push_back(timer.nsecsElapsed() / 1e6);
        if (row.isEmpty()) return 1;
        timer.start();
        // A value that changes each time: an update that changes nothing may skip the write.
        state.ConexaoPedidos.execute(
            QString("UPDATE VORLA SET RDATA = '%1' WHERE Identificação = %2").arg(i).arg(anyLine(random)));
        commits.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double own = median(ownWork);
    const double closes = median(closing);
    const double point = median(points);
    const double commit = median(commits);
    std::printf("print click, jobs captured (its own work): %.3f ms\n", own);
    std::printf("  the same, a click that closes its order: %.3f ms\n", closes);
    std::printf("print click, job written to a folder:      %.3f ms\n", median(withSend));
    std::printf("indexed point query:                       %.3f ms\n", point);
    std::printf("one update committed on its own:           %.3f ms\n", commit);
    std::printf("ratio click / committed update:            %.2f (goal 2)\n", own / commit);
    std::printf("ratio closing click / committed update:    %.2f (goal 3)\n", closes / commit);
    std::printf("ratio click / point query:                 %.1f\n", own / point);
    // The print history's share: a click that sends records its jobs in its own
    // transaction (the captured clicks above send nothing and record nothing).
    QDir folder(dir.filePath("etiquetas"));
    QFile sent(folder.filePath(folder.entryList(QDir::Files).value(0)));
    sent.open(QIODevice::ReadOnly);
    const auto [without, with] = recordingShare(state.ConexaoPedidos, sent.readAll(), kHeaders * kLinesPerHeader);
    std::printf("a click's transaction without its history:  %.3f ms\n", without);
    std::printf("  the same recording the click's job:       %.3f ms (+%.3f ms)\n", with, with - without);
    std::printf("print click with a folder printer, without its history (estimate): %.3f ms\n",
                median(withSend) - (with - without));
    return 0;
}
