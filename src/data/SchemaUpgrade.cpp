#include "data/SchemaUpgrade.h"

#include "data/Connection.h"

namespace schemaUpgrade {

void bringUpToDate(Connection& c) {
    const Recordset version = c.query(QStringLiteral("PRAGMA user_version"));
    if (!version.isEmpty() && version.value(QStringLiteral("user_version")).toInt() >= kCurrentVersion)
        return;
    Transaction upgrade(c);
    c.execute(QStringLiteral("REINDEX"));
    c.execute(QStringLiteral("PRAGMA user_version = %1").arg(kCurrentVersion));
    upgrade.commit();
}

} // namespace schemaUpgrade
