#pragma once

#include <QString>

struct ProgramState;

// The login check against the user table: true when a row matches the typed name
// and password (letter case ignored, as the store compares text). The recordset is
// left in RsGeral. Throws DataError when the store cannot be read.
bool loginMatches(ProgramState& state, const QString& user, const QString& password);

// The greeting shown after a successful login.
QString welcomeText(const QString& user);
