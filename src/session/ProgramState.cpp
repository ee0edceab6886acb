#include "session/ProgramState.h"

#include "data/Home.h"

void ProgramState::AbreConexaoCadastro()
{
    ConexaoCadastro = Connection();
    ConexaoCadastro = Connection::open(home::cadastroFile(home));
}

void ProgramState::AbreConexaoPedidos()
{
    ConexaoPedidos = Connection();
    ConexaoPedidos = Connection::open(home::pedidosFile(home));
}
