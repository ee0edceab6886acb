// The shared store next to the embedded one, in one run: a production print click and a
// 10,000-line text import, on SQLite and on the PostgreSQL server named by
// ETIQUETAS_BENCH_PG (a maintenance database's URI; its database vorla_modelo holds the
// stores --init-server made). bench/server_store.sh starts a loopback server for it.
#include "BenchSupport.h"
#include "data/Connection.h"
#include "data/Home.h"
#include "intake/TextImport.h"
#include "labels/LabelTypes.h"
#include "production/ProductionRun.h"
#include "production/ProductionTypes.h"
#include "session/Operator.h"
#include "session/ProgramState.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kImportLines = 10000;
constexpr int kOrders = 40; // of ten lines, under one production number
constexpr int kClicks = 200;



// A home on SQLite, or on a fresh database of the server copied from vorla_modelo.
void makeHome(const QString& dir, const QString& serverUri, int n) {
    if (serverUri.isEmpty()) {
        home::create(dir, "ADMIN", "1234");
        return;
    }
    const QString db = QStringLiteral("bench_%1_%2").arg(QCoreApplication::applicationPid()).arg(n);
    Connection::openServer(serverUri, "public").execute("CREATE DATABASE " + db + " TEMPLATE vorla_modelo");
    QUrl url(serverUri);
    url.setPath("/" + db);
    home::writeServerFile(dir, url.toString());
}

double importMs(const QString& serverUri) {
    QTemporaryDir dir;
    makeHome(dir.path(), serverUri, 0);
    ProgramState state(dir.path());
    state.ArquivoTxt = dir.filePath("pedido.txt");
    QFile file(state.ArquivoTxt);
    file.open(QIODevice::WriteOnly);
    for (int n = 0; n < kImportLines; ++n)
        file.write(
            QStringLiteral("INVERNO 26,FORN A,90210,REF-%1,49.90,12,P-M-G,AZUL,M,CAMISA MANGA LONGA,789%2,"
                           "MASCULINO,CAMISA,10/01/2027,LAVAR A MAO,x,PACK3,4\r\n")
                .arg(n)
                .arg(n, 10, 10, QLatin1Char('0'))
                .toUtf8());
    file.close();
    SilentOperator op;
    QElapsedTimer timer;
    timer.start();
    if (CARREGATXT(state, op, "ADMIN") != TextImportResult::Imported)
        throw std::runtime_error("import failed");
    return timer.nsecsElapsed() / 1e6;
}

double clickMs(const QString& serverUri) {
    QTemporaryDir dir;
    makeHome(dir.path(), serverUri, 1);
    ProgramState state(dir.path());
    state.AbreConexaoPedidos();
    Connection& store = state.ConexaoPedidos;
    for (int o = 0; o < kOrders; ++o) {
        store.execute(
            QStringLiteral("INSERT INTO VORLAPEDIDOS (PEDIDO,GRUPO,FORNECEDOR,IMPRESSOR,IMPRESSOETQ,"
                           "IMPRESSOETQ1,IMPRESSOETQ2,IMPRESSOETQ3,IMPRESSOETQ4,IMPRESSOETQ5,NUMPROD) VALUES "
                           "('%1','VORLA','FORN A','S','N','N','N','N','N','N','0000000001')")
                .arg(5000 + o));
        const qint64 id = store.lastInsertId();
        for (int l = 0; l < 10; ++l)
            store.execute(
                QStringLiteral(
                    "INSERT INTO VORLA (IDPEDIDO,LOTE,FORNECEDOR,PRECO,QTD_IMPRES,TAMANHO,DESCRICAO,"
                    "CODIG_BARR,IMPRESSO,IMPRESSOC,IMPRESSOSP,IMPRESSO4,IMPRESSO5,RQTD) VALUES "
                    "(%1,'%2','FORN A','49,90','2','M','CAMISA','789%3','N','N','N','N','N','1')")
                    .arg(id)
                    .arg(5000 + o)
                    .arg(o * 10 + l, 10, 10, QLatin1Char('0')));
    }
    TagLabelClicks tagLabel(state, dir.filePath("etiquetas"));
    std::vector<double> clicks;
    QElapsedTimer timer;
    for (int i = 0; i < kClicks && i < kOrders * 10; ++i) {
        timer.start();
        if (!tagLabel.click()) throw std::runtime_error("click failed");
        clicks.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(clicks);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString server = qEnvironmentVariable("ETIQUETAS_BENCH_PG");
    if (server.isEmpty()) {
        std::fprintf(stderr, "ETIQUETAS_BENCH_PG is not set: run bench/server_store.sh\n");
        return 2;
    }
    try {
        const double clickLite = clickMs({}), clickServer = clickMs(server);
        const double importLite = importMs({}), importServer = importMs(server);
        std::printf("%-44s %10s %10s %7s\n", "", "SQLite", "server", "ratio");
        std::printf("%-44s %8.2fms %8.2fms %7.2f\n", "print click (tag label, folder printer), median",
                    clickLite, clickServer, clickServer / clickLite);
        std::printf("%-44s %8.0fms %8.0fms %7.2f\n", "text import, 10,000 lines", importLite, importServer,
                    importServer / importLite);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
