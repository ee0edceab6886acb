#pragma once

#include <QString>
#include <QStringView>

// The stores compare text as the program always has: letter case ignored, accented
// letters included. The columns are declared with SQLite's own NOCASE (it folds A to Z
// only), so the files stay valid for every SQLite tool: their indexes are ordered by a
// rule the stock sqlite3 knows, and a REINDEX or VACUUM run by another tool changes
// nothing. Each connection registers the folding comparison under a name of its own,
// and the statements ask for it where NOCASE would answer differently:
//  - a literal holding a character outside ASCII, compared with =, <>, <, >, <= or >=
//    (an ASCII literal compares the same under both rules, so those lookups keep
//    using the indexes);
//  - every column named as an ORDER BY term.
namespace foldingSql {

// The name the folding comparison is registered under on every connection.
inline constexpr char kCollation[] = "VORLA_NOCASE";

// The statement with the folding comparison written in where it is needed.
QString apply(const QString& sql);

// True when `text` holds a character outside ASCII.
bool needsFolding(QStringView text);

} // namespace foldingSql
