// The order text file through the whole import into a store of its own. Whatever the
// bytes, the import stores the order whole or not at all, every stored text is the
// file's field as read, and no statement is ever broken by a value.
#include "FuzzSupport.h"

#include "data/DataError.h"
#include "data/Home.h"
#include "intake/OrderTextFile.h"
#include "intake/TextImport.h"
#include "session/ProgramState.h"

#include <QFile>

namespace {

QString g_home;

int countOf(ProgramState& s, const QString& table) {
    return s.ConexaoPedidos.query(QStringLiteral("SELECT COUNT(*) AS N FROM ") + table)
        .value(QStringLiteral("N"))
        .toInt();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    g_home = fuzz::scratchFolder();
    home::create(g_home, QStringLiteral("FUZZ"), QStringLiteral("fuzz"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = g_home + QStringLiteral("/pedido.txt");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fuzz::finding(QStringLiteral("cannot write the order file"));
    file.write(bytes);
    file.close();

    ProgramState state(g_home);
    state.ArquivoTxt = path;
    fuzz::QuietOperator op;
    TextImportResult result;
    try {
        result = CARREGATXT(state, op, QStringLiteral("FUZZ"));
    } catch (const DataError& e) {
        fuzz::finding(QStringLiteral("the store refused an import: ") + e.text());
    }

    QStringList lines = orderText::lines(orderText::decode(bytes));
    lines.removeAll(QString());
    const int stored = countOf(state, QStringLiteral("VORLA"));
    const int headers = countOf(state, QStringLiteral("VORLAPEDIDOS"));
    if (result == TextImportResult::Imported) {
        if (stored != lines.size() || headers != (lines.isEmpty() ? 0 : 1))
            fuzz::finding(QStringLiteral("an imported order is not whole"));
        const Recordset rs = state.ConexaoPedidos.query(
            QStringLiteral("SELECT DESCRICAO, MENSAGEM FROM VORLA ORDER BY [Identificação]"));
        for (int i = 0; i < rs.recordCount(); ++i) {
            const QStringList f = orderText::fields(lines[i]);
            if (rs.row(i).text(QStringLiteral("DESCRICAO")) != orderText::trimBlanks(f[9]) ||
                rs.row(i).text(QStringLiteral("MENSAGEM")) != orderText::trimBlanks(f[14]))
                fuzz::finding(QStringLiteral("a stored text is not the file's field"));
        }
        if (QFile::exists(path)) fuzz::finding(QStringLiteral("an imported file was kept"));
    } else {
        if (stored != 0 || headers != 0) fuzz::finding(QStringLiteral("a failed import left rows behind"));
        if (!QFile::exists(path)) fuzz::finding(QStringLiteral("a failed import deleted its file"));
    }
    state.ConexaoPedidos.execute(QStringLiteral("DELETE FROM VORLA"));
    state.ConexaoPedidos.execute(QStringLiteral("DELETE FROM VORLAPEDIDOS"));
    return 0;
}
