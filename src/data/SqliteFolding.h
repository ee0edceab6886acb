#pragma once

struct sqlite3;

// Registers on a SQLite connection the text comparison the stores use (data/FoldingSql.h):
// the collation VORLA_NOCASE and a LIKE that ignore letter case, accented letters included.
void registerFolding(sqlite3* handle);
