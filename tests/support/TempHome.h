#pragma once

#include "session/ProgramState.h"

#include <QTemporaryDir>
#include <memory>

// A fresh home folder with both stores and the user ADMIN / 1234, removed at the end.
class TempHome {
public:
    TempHome();
    QString path() const { return m_dir.path(); }
    // A program state on this home with both connections open.
    ProgramState& state() { return *m_state; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ProgramState> m_state;
};
