#include "support/TempHome.h"

#include "data/Home.h"

#include <stdexcept>

TempHome::TempHome()
{
    if (!m_dir.isValid()) throw std::runtime_error("no temporary folder");
    home::create(m_dir.path(), QStringLiteral("ADMIN"), QStringLiteral("1234"));
    m_state = std::make_unique<ProgramState>(m_dir.path());
    m_state->AbreConexaoCadastro();
    m_state->AbreConexaoPedidos();
}
