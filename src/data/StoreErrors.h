#pragma once

#include <QString>

class QSqlError;

// What the operator reads when a store refuses an operation: for the failures the
// operator can do something about (a read-only file, a file locked by another program,
// a full disk, a file that is not a database) a Portuguese message naming the store
// file and what to do, followed by the engine's own text; any other failure is the
// engine's text alone.
namespace storeErrors {

QString describe(const QString& file, const QSqlError& error);

// The same from SQLite's result code (the primary code; extended codes are reduced).
QString describe(const QString& file, int sqliteCode, const QString& technical);

// A failure on the PostgreSQL server holding the stores. When the server cannot be
// reached (stopped, network cut) the text says so; `lost` tells the caller.
QString describeServer(const QString& server, const QSqlError& error, bool* lost = nullptr);

} // namespace storeErrors
