#include "data/SchemaUpgrade.h"

#include "data/Connection.h"
#include "data/Home.h"
#include "data/ServerSchema.h"
#include "data/SqlText.h"

#include <QSet>

namespace schemaUpgrade {

QStringList claimColumns()
{
    QStringList columns;
    for (const char* flag : {"IMPRESSO", "IMPRESSOC", "IMPRESSOSP", "IMPRESSO4", "IMPRESSO5"})
        columns << QLatin1String(flag) + QLatin1String("_ESTACAO") << QLatin1String(flag) + QLatin1String("_DESDE");
    return columns;
}

namespace {
void addClaimColumns(Connection& c)
{
    const Recordset columns = c.query(QStringLiteral("PRAGMA table_info(VORLA)"));
    if (columns.isEmpty()) return;  // the master data store has no lines
    QSet<QString> present;
    for (int i = 0; i < columns.recordCount(); ++i) present << foldCase(columns.row(i).text(QStringLiteral("name")));
    QStringList missing;
    for (const QString& column : claimColumns())
        if (!present.contains(foldCase(column))) missing << column;
    if (missing.isEmpty()) return;
    Transaction add(c);
    for (const QString& column : missing)
        c.execute(QStringLiteral("ALTER TABLE VORLA ADD COLUMN %1 TEXT COLLATE NOCASE").arg(column));
    add.commit();
}
// Tables of the order store's script that a store made by an older version lacks.
QStringList missingTables(Connection& c, const QString& listTables)
{
    QSet<QString> present;
    const Recordset tables = c.query(listTables);
    for (int i = 0; i < tables.recordCount(); ++i) present << foldCase(tables.row(i).text(QStringLiteral("name")));
    if (!present.contains(QStringLiteral("vorla"))) return {};  // the master data store
    Connection model = Connection::create(QStringLiteral(":memory:"), home::pedidosScript());
    const Recordset wanted = model.query(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY rowid"));
    QStringList missing;
    for (int i = 0; i < wanted.recordCount(); ++i) {
        const QString table = wanted.row(i).text(QStringLiteral("name"));
        if (!present.contains(foldCase(table))) missing << table;
    }
    return missing;
}

void addMissingTables(Connection& c)
{
    const QStringList missing =
        missingTables(c, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    if (missing.isEmpty()) return;
    Connection model = Connection::create(QStringLiteral(":memory:"), home::pedidosScript());
    Transaction add(c);
    for (const QString& table : missing) {
        const Recordset statements = model.query(
            QStringLiteral("SELECT sql FROM sqlite_master WHERE tbl_name = '%1' AND sql IS NOT NULL ORDER BY rowid")
                .arg(sqlText(table)));
        for (int i = 0; i < statements.recordCount(); ++i) c.execute(statements.row(i).text(QStringLiteral("sql")));
    }
    add.commit();
}
} // namespace

void bringServerUpToDate(Connection& c)
{
    const QStringList missing = missingTables(
        c, QStringLiteral("SELECT table_name AS name FROM information_schema.tables WHERE table_schema = "
                          "current_schema()"));
    if (missing.isEmpty()) return;
    Transaction add(c);
    for (const QString& statement : serverSchema::fromSqliteScript(home::pedidosScript(), missing))
        c.execute(statement);
    add.commit();
}

void bringUpToDate(Connection& c)
{
    const Recordset version = c.query(QStringLiteral("PRAGMA user_version"));
    if (version.isEmpty() || version.value(QStringLiteral("user_version")).toInt() < kCurrentVersion) {
        Transaction upgrade(c);
        c.execute(QStringLiteral("REINDEX"));
        c.execute(QStringLiteral("PRAGMA user_version = %1").arg(kCurrentVersion));
        upgrade.commit();
    }
    addClaimColumns(c);
    addMissingTables(c);
}

} // namespace schemaUpgrade
