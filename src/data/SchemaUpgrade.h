#pragma once

#include <QStringList>

class Connection;

// Stores carry their schema's version in SQLite's user_version.
//  0  the first schema: its indexes were ordered while the program's folding
//     comparison stood in for SQLite's NOCASE, so the stock sqlite3 tool finds them
//     out of order;
//  1  the same tables and indexes, ordered by the real NOCASE.
// Columns added since (the line claims of VORLA) and tables added since (the owed order
// summaries) are added to a store that lacks them each time it is opened, whatever its
// version: adding a column or a table never touches a row.
namespace schemaUpgrade {

inline constexpr int kCurrentVersion = 1;

// The columns that say which workstation holds a line marked 'A' for a label type and
// since when: <flag>_ESTACAO and <flag>_DESDE for each line flag.
QStringList claimColumns();

// Brings an older store to the current version, once, in one transaction (rows are
// never touched, only index order and new columns). Throws DataError when the store
// cannot be written.
void bringUpToDate(Connection& c);

// The same for an order store on the server: the tables of the order store's script
// that it lacks are created. A master-data store is left as it is.
void bringServerUpToDate(Connection& c);

} // namespace schemaUpgrade
