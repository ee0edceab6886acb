// One workstation importing order text files, as a process of its own, for the test of
// two stations importing at once:
//   tst_importer HOME FIRST COUNT
// imports the orders FIRST, FIRST+1, ... (COUNT of them), each of two lines whose LOTE is
// the order's number, one file after another as fast as it can. Exits 1 at the first
// import that does not go through.
#include "intake/TextImport.h"
#include "session/ProgramState.h"
#include "support/ScriptedOperator.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) return 2;
    ProgramState state(args[1]);
    const int first = args[2].toInt(), count = args[3].toInt();
    try {
        for (int order = first; order < first + count; ++order) {
            state.ArquivoTxt = QStringLiteral("%1/pedido-%2.txt").arg(args[1]).arg(order);
            QFile file(state.ArquivoTxt);
            if (!file.open(QIODevice::WriteOnly)) return 1;
            for (const char* product : {"A", "B"})
                file.write(QStringLiteral("INVERNO 26,FORN A,%1,%2,49.90,12,P-M-G,AZUL,M,CAMISA,7891234567890,"
                                          "MASCULINO,CAMISA,10/01/2027,LAVAR A MAO,x,PACK3,4\r\n")
                               .arg(order)
                               .arg(QLatin1String(product))
                               .toUtf8());
            file.close();
            ScriptedOperator op;
            if (CARREGATXT(state, op, QStringLiteral("ADMIN")) != TextImportResult::Imported) return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
