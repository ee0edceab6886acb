#pragma once

#include <QString>
#include <QStringList>

// The server's tables are made from the same scripts as the SQLite stores: the script
// is run in an in-memory SQLite database and its tables, columns and indexes are read
// back and written as PostgreSQL statements. Names are folded and quoted (the dialect
// adapter writes every known name that way); text columns compare through vorla_nocase,
// an ICU collation that ignores letter case only, as the SQLite connections compare;
// auto-number keys become identity columns.
namespace serverSchema {

// The collation every text column of the server's stores uses.
inline constexpr char kCollation[] = "vorla_nocase";

// The CREATE TABLE and CREATE INDEX statements, in the script's order; with `tables`,
// only those of the tables named there.
QStringList fromSqliteScript(const QString& script, const QStringList& tables = {});

// The name the server gives a table or column of the scripts.
QString serverName(const QString& name);

} // namespace serverSchema
