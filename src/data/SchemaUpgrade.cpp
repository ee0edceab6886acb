#include "data/SchemaUpgrade.h"

#include "data/Connection.h"
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
} // namespace

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
}

} // namespace schemaUpgrade
