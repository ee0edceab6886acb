// The print history on a SQLite order store of 2,000,000 lines and 5,000,000 history
// rows (a year of a busy floor: each line printed for two or three label types, some
// reprinted; the bytes kept for the newest quarter, as the default 90 days keep them):
// a search by barcode and by order (goal: under 50 ms each) and the progress of one
// production number (goal: under 100 ms), through the program's own calls.
// ETIQUETAS_BENCH_LINES and ETIQUETAS_BENCH_HISTORY set other sizes.
#include "BenchSupport.h"
#include "data/Home.h"
#include "history/PrintHistory.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <random>
#include <stdexcept>

namespace {
int sized(const char* variable, int fallback)
{
    return qEnvironmentVariableIsSet(variable) ? qEnvironmentVariableIntValue(variable) : fallback;
}
const int kLines = sized("ETIQUETAS_BENCH_LINES", 2000000);
const int kHistory = sized("ETIQUETAS_BENCH_HISTORY", 5000000);
constexpr int kLinesPerOrder = 10;
constexpr int kOrdersPerProduction = 50;  // 500 lines a production number

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) throw std::runtime_error(sqlite3_errmsg(db));
}

QByteArray numprodOf(int order)
{
    return QByteArray::number(1 + (order - 1) / kOrdersPerProduction).rightJustified(10, '0');
}
QByteArray pedidoOf(int order)
{
    return QByteArray::number(100000 + order);
}
QByteArray barcodeOf(int line)
{
    return "789" + QByteArray::number(line).rightJustified(10, '0');
}

void bindText(sqlite3_stmt* s, int at, const QByteArray& text)
{
    sqlite3_bind_text(s, at, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

void fill(const QString& file)
{
    sqlite3* db = nullptr;
    check(sqlite3_open(file.toUtf8().constData(), &db), db);
    check(sqlite3_exec(db, "PRAGMA synchronous = OFF; PRAGMA cache_size = -400000; BEGIN", nullptr, nullptr, nullptr),
          db);
    sqlite3_stmt *header = nullptr, *line = nullptr, *job = nullptr;
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO VORLAPEDIDOS (IDCODIGO,PEDIDO,GRUPO,FORNECEDOR,IMPRESSOR,IMPRESSOETQ,"
                             "IMPRESSOETQ1,IMPRESSOETQ2,IMPRESSOETQ3,IMPRESSOETQ4,IMPRESSOETQ5,DATA,HORA,USUARIOIMP,"
                             "NUMPROD) VALUES (?,?,'VORLA','FORN A','S','S','N','S','N','N','N','06/12/2026',"
                             "'10:00:00','ADMIN',?)",
                             -1, &header, nullptr),
          db);
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO VORLA (Identificação,IDPEDIDO,COLECAO,CODIG_PROD,FORNECEDOR,LOTE,DESCRI_TAM,"
                             "PRECO,QTD_IMPRES,CODIG_COR,TAMANHO,DESCRICAO,CODIG_BARR,CATEGORIA,TIPO_PROD,MENSAGEM,"
                             "PROMOCIONAL,DATA,IMPRESSO,IMPRESSOSP,IMPRESSOC,IMPRESSO4,IMPRESSO5,DATA_REGIS,RQTD,"
                             "IMPRESSO_ESTACAO,IMPRESSO_DESDE) VALUES (?,?,'INVERNO 26','REF-1','FORN A',?,'P-M-G',"
                             "'49,90','12','AZUL','M','CAMISA MANGA LONGA',?,'MASCULINO','CAMISA','LAVAR A MAO',"
                             "'PACK3','10/01/2027',?,'N',?,'N','N','06/12/2026','4',?,?)",
                             -1, &line, nullptr),
          db);
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO HISTORICO (DATAUTC,DATALOCAL,ESTACAO,USUARIO,IMPRESSORA,ETIQUETA,NUMPROD,"
                             "PEDIDO,LINHA,CODIG_BARR,ETIQUETAS,TIPO,SHA256,BYTES,DATABYTES) VALUES "
                             "(?,?,?,'ADMIN','socket://10.0.0.9',?,?,?,?,?,13,?,?,?,?)",
                             -1, &job, nullptr),
          db);
    // Most lines printed; the last production numbers half done, a few lines held.
    std::mt19937 random(11);
    const int orders = kLines / kLinesPerOrder;
    for (int o = 1; o <= orders; ++o) {
        sqlite3_bind_int(header, 1, o);
        bindText(header, 2, pedidoOf(o));
        bindText(header, 3, numprodOf(o));
        check(sqlite3_step(header), db);
        sqlite3_reset(header);
        for (int l = 0; l < kLinesPerOrder; ++l) {
            const int id = (o - 1) * kLinesPerOrder + l + 1;
            const int state = id > kLines - 20000 ? int(random() % 3) : 0;  // 0 S, 1 A, 2 N
            const char* flag = state == 0 ? "S" : state == 1 ? "A" : "N";
            sqlite3_bind_int(line, 1, id);
            sqlite3_bind_int(line, 2, o);
            bindText(line, 3, pedidoOf(o));
            bindText(line, 4, barcodeOf(id));
            sqlite3_bind_text(line, 5, flag, -1, SQLITE_STATIC);
            sqlite3_bind_text(line, 6, flag, -1, SQLITE_STATIC);
            if (state == 1) {
                sqlite3_bind_text(line, 7, "EST-2", -1, SQLITE_STATIC);
                sqlite3_bind_text(line, 8, "2026-12-06T10:00:00", -1, SQLITE_STATIC);
            } else {
                sqlite3_bind_null(line, 7);
                sqlite3_bind_null(line, 8);
            }
            check(sqlite3_step(line), db);
            sqlite3_reset(line);
        }
    }
    // The jobs in the order they were printed, over a year: each line's labels for a
    // few types (a type at a time through the lines), a reprint now and then.
    const QStringList types{labeltype::Preco5426, labeltype::Tag5360, labeltype::Costura5016};
    const qint64 span = 365LL * 24 * 3600;
    const QByteArray sample = QByteArray("^XA^PW400^LL0128^FT140,125^A0N,17,16^FH\\^FD").repeated(12);
    // Stamps made by hand: QDateTime and QTime formats ask the system's time zone each time.
    const qint64 startDay = QDate(2025, 12, 7).toJulianDay();
    const auto stampAt = [&](qint64 seconds) {
        int y, m, d;
        const QDate day = QDate::fromJulianDay(startDay + seconds / 86400);
        day.getDate(&y, &m, &d);
        const int s = int(seconds % 86400);
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", y, m, d, s / 3600, s / 60 % 60, s % 60);
        return QByteArray(text);
    };
    for (int i = 0; i < kHistory; ++i) {
        const int id = i % kLines + 1;
        const int order = (id - 1) / kLinesPerOrder + 1;
        const qint64 at = 7 * 3600 + span * i / kHistory;
        const QByteArray local = stampAt(at);
        const QByteArray utc = stampAt(at + 3 * 3600);
        const QByteArray barcode = barcodeOf(id);
        const QByteArray bytes = sample + barcode + "^FS^PQ13,0,1,Y^XZ";
        bindText(job, 1, utc);
        bindText(job, 2, local);
        bindText(job, 3, "EST-" + QByteArray::number(i % 4 + 1));
        bindText(job, 4, types[(i / kLines) % types.size()].toUtf8());
        bindText(job, 5, numprodOf(order));
        bindText(job, 6, pedidoOf(order));
        sqlite3_bind_int(job, 7, id);
        bindText(job, 8, barcode);
        bindText(job, 9, i % 97 == 0 ? "reimpressão" : "produção");
        bindText(job, 10, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
        if (i >= kHistory / 4 * 3) {
            bindText(job, 11, history::PrintHistory::storedBytes(bytes));
            bindText(job, 12, local);
        } else {
            sqlite3_bind_null(job, 11);
            sqlite3_bind_null(job, 12);
        }
        check(sqlite3_step(job), db);
        sqlite3_reset(job);
        if (i % 1000000 == 999999) {
            std::printf("  %d history rows\n", i + 1);
            std::fflush(stdout);
        }
    }
    for (sqlite3_stmt* s : {header, line, job}) sqlite3_finalize(s);
    check(sqlite3_exec(db, "COMMIT; ANALYZE", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

template <typename F>
void measure(const char* what, double goal, int samples, F&& once)
{
    std::vector<double> took;
    QElapsedTimer timer;
    for (int i = 0; i < samples; ++i) {
        timer.start();
        once(i);
        took.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(took.begin(), took.end());
    std::printf("%-40s median %7.3f ms, 95%% %7.3f ms, worst %7.3f ms (goal under %.0f ms)\n", what, median(took),
                took[took.size() * 95 / 100], took.back(), goal);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    dir.setAutoRemove(!qEnvironmentVariableIsSet("ETIQUETAS_BENCH_KEEP"));  // to look at the store afterwards
    home::create(dir.path(), "ADMIN", "1234");
    std::printf("filling a store of %d lines and %d history rows...\n", kLines, kHistory);
    std::fflush(stdout);
    QElapsedTimer filling;
    filling.start();
    fill(home::pedidosFile(dir.path()));
    std::printf("filled in %.0f s (%s)\n", filling.elapsed() / 1000.0, qPrintable(dir.path()));

    ProgramState state(dir.path());
    state.AbreConexaoPedidos();
    history::PrintHistory history(state.ConexaoPedidos);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> anyLine(1, kLines);
    std::uniform_int_distribution<int> anyOrder(1, kLines / kLinesPerOrder);
    std::uniform_int_distribution<int> anyProduction(1, kLines / kLinesPerOrder / kOrdersPerProduction);
    const QList<history::TypeColumns> types = progressTypes();
    int rows = 0;
    measure("search by barcode", 50, 300, [&](int) {
        history::Filter f;
        f.barcode = QString::fromLatin1(barcodeOf(anyLine(random)));
        rows += int(history.find(f).size());
    });
    measure("search by order", 50, 300, [&](int) {
        history::Filter f;
        f.order = QString::fromLatin1(pedidoOf(anyOrder(random)));
        rows += int(history.find(f).size());
    });
    measure("progress of a production number", 100, 100, [&](int) {
        const auto p = history.progress(QString::fromLatin1(numprodOf((anyProduction(random) - 1) * kOrdersPerProduction + 1)),
                                        types);
        rows += p.value(0).linesPrinted;
    });
    measure("the newest 500 jobs, no filter", 1000, 20, [&](int) { rows += int(history.find({}).size()); });
    const auto [without, with] = recordingShare(
        state.ConexaoPedidos, QByteArray("^XA^PW400^LL0128^FT140,125^A0N,17,16^FH\\^FD").repeated(12) + "^PQ13^XZ", kLines);
    std::printf("a click's transaction without its history:  %.3f ms\n", without);
    std::printf("  the same recording one job:               %.3f ms (+%.3f ms)\n", with, with - without);
    std::printf("(%d rows read)\n", rows);
    return 0;
}
