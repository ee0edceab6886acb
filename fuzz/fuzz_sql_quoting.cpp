// The SQL dialect adapter and the quoting function. Any statement text goes through
// the adapter without a crash; any value quoted into a statement is stored and read
// back unchanged, and found again by comparing with itself. A value holding a NUL is
// refused with a DataError (SQLite would cut the statement there).
#include "FuzzSupport.h"

#include "data/AccessDialect.h"
#include "data/Connection.h"
#include "data/DataError.h"
#include "data/FoldingSql.h"
#include "data/Home.h"
#include "data/SqlText.h"

namespace {
Connection* g_store = nullptr;
AccessDialect g_dialect;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQt();
    const QString file = fuzz::scratchFolder() + QStringLiteral("/vorla.db");
    g_store = new Connection(Connection::create(file, home::pedidosScript()));
    for (const char* name : {"VORLA", "VORLAPEDIDOS", "Identificação", "FORNECEDOR", "DESCRICAO", "IDCODIGO"})
        g_dialect.addName(QString::fromUtf8(name));
    g_dialect.setFoldingComparisons(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    try {
        (void)g_dialect.translate(text);
    } catch (const DataError&) {
        if (!text.contains(QChar(0)))
            fuzz::finding(QStringLiteral("the adapter refused a statement without a NUL"));
    }

    const QString literal = QLatin1Char('\'') + sqlText(text) + QLatin1Char('\'');
    try {
        g_store->execute(QStringLiteral("INSERT INTO VORLA (DESCRICAO) VALUES (") + literal +
                         QLatin1Char(')'));
    } catch (const DataError& e) {
        if (text.contains(QChar(0))) return 0;
        fuzz::finding(QStringLiteral("a quoted value broke its statement: ") + e.text());
    }
    if (text.contains(QChar(0))) fuzz::finding(QStringLiteral("a value with a NUL was stored"));
    const qint64 id = g_store->lastInsertId();
    const Recordset back =
        g_store->query(QStringLiteral("SELECT DESCRICAO FROM VORLA WHERE [Identificação] = %1").arg(id));
    if (back.text(QStringLiteral("DESCRICAO")) != text)
        fuzz::finding(QStringLiteral("a value came back changed"));
    const Recordset found =
        g_store->query(QStringLiteral("SELECT COUNT(*) AS N FROM VORLA WHERE DESCRICAO = ") + literal);
    if (found.value(QStringLiteral("N")).toInt() < 1)
        fuzz::finding(QStringLiteral("a value does not equal itself"));
    g_store->execute(QStringLiteral("DELETE FROM VORLA"));
    return 0;
}
