#include "session/Login.h"

#include "session/ProgramState.h"
#include "data/SqlText.h"

bool loginMatches(ProgramState& state, const QString& user, const QString& password)
{
    const QString sql = QStringLiteral("SELECT Vendedor.USUARIO, Vendedor.SENHA From vendedor WHERE (((Vendedor.USUARIO)='") +
                        sqlText(user) + QStringLiteral("') AND ((Vendedor.SENHA)='") + sqlText(password) +
                        QStringLiteral("'));");
    state.RsGeral = state.ConexaoCadastro.query(sql);
    return !state.RsGeral.eof();
}

QString welcomeText(const QString& user)
{
    return QStringLiteral("OLÁ  ") + user + QStringLiteral(", SEJA BEM VINDO!");
}
