#pragma once

#include "session/ProgramState.h"

#include <QTemporaryDir>
#include <memory>

// A fresh home folder with both stores and the user ADMIN / 1234, removed at the end.
// With ETIQUETAS_TEST_ENGINE=server the stores live on the test PostgreSQL server
// (ETIQUETAS_TEST_PG, its maintenance database's URI): a database of its own, copied
// from vorla_modelo (made by --init-server), named in bd/servidor.txt, dropped at the end.
class TempHome {
  public:
    TempHome();
    ~TempHome();
    QString path() const { return m_dir.path(); }
    // A program state on this home with both connections open.
    ProgramState& state() { return *m_state; }

    static bool onServer();
    // The URI of this home's server database (empty on SQLite).
    QString serverUri() const { return m_serverUri; }

  private:
    QTemporaryDir m_dir;
    QString m_database;
    QString m_serverUri;
    std::unique_ptr<ProgramState> m_state;
};
