#include "session/ProgramState.h"

#include "data/Home.h"

void ProgramState::AbreConexaoCadastro()
{
    ConexaoCadastro = Connection();
    ConexaoCadastro = home::openCadastro(home);
}

void ProgramState::AbreConexaoPedidos()
{
    ConexaoPedidos = Connection();
    ConexaoPedidos = home::openPedidos(home);
}
