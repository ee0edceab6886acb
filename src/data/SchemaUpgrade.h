#pragma once

class Connection;

// Stores carry their schema's version in SQLite's user_version.
//  0  the first schema: its indexes were ordered while the program's folding
//     comparison stood in for SQLite's NOCASE, so the stock sqlite3 tool finds them
//     out of order;
//  1  the same tables and indexes, ordered by the real NOCASE.
namespace schemaUpgrade {

inline constexpr int kCurrentVersion = 1;

// Brings an older store to the current version, once, in one transaction (rows are
// never touched, only index order). Throws DataError when the store cannot be written.
void bringUpToDate(Connection& c);

} // namespace schemaUpgrade
