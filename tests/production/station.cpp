// One workstation's production run, as a process of its own, for the shared-store tests:
//   tst_station HOME CAPTION PRINTER NUMPROD [hold]
//   tst_station HOME romaneio FOLDER -   (prints the packing list into FOLDER)
// Works the production number to the end, clicking as fast as it can. With "hold" it
// takes the first line, says "holding" and waits to be killed. The station's name comes
// from ETIQUETAS_ESTACAO.
#include "packing/PackingList.h"
#include "production/Fixture.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // the packing list draws its pages
    const QStringList args = app.arguments();
    if (args.size() < 5) return 2;
    ProgramState state(args[1]);
    state.AbreConexaoCadastro();
    state.AbreConexaoPedidos();
    state.ImpressoraSelecionada = state.impressoraAtual = args[3];
    ScriptedOperator op;
    if (args[2] == QLatin1String("romaneio")) {
        op.pagePrinters << args[3];
        printPackingListFromMenu(state, op);
        return 0;
    }
    op.readsEveryLabel = true;
    for (int i = 0; i < 1000; ++i)
        op.inputs << QStringLiteral("1"); // labels per pack
    ProductionRun run(state, op, *productionType(args[2]));
    ProductionDisplay d;
    const QString numprod = args[4];
    const ProductionSettings settings = stationSettings();
    bool more = run.enterProductionNumber(numprod, d, settings);
    if (args.size() > 5) {
        std::printf("holding\n");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    for (int attempts = 0; more && attempts < 1000; ++attempts) {
        if (run.Cmdimprimir(d, settings, QStringLiteral("ADMIN")) && !d.lblprod.isEmpty()) continue;
        d.lblprod = numprod; // nothing left here, or the line went to the other station
        more = run.CARREGAPRODUCAO(d);
    }
    return 0;
}
