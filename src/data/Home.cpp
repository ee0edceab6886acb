#include "data/Home.h"

#include "data/Connection.h"
#include "data/DataError.h"
#include "data/SqlText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace home {

QString cadastroFile(const QString& home)
{
    return QDir(home).filePath(QStringLiteral("bd/TOMVEL.db"));
}

QString pedidosFile(const QString& home)
{
    return QDir(home).filePath(QStringLiteral("bd/vorla.db"));
}

QString confFile(const QString& home)
{
    return QDir(home).filePath(QStringLiteral("conf.txt"));
}

namespace {
QString resourceText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw DataError(QStringLiteral("Script do banco ausente: %1").arg(path));
    return QString::fromUtf8(f.readAll());
}
} // namespace

QString cadastroScript()
{
    return resourceText(QStringLiteral(":/schema/cadastro.sql"));
}

QString pedidosScript()
{
    return resourceText(QStringLiteral(":/schema/pedidos.sql"));
}

void create(const QString& home, const QString& user, const QString& password)
{
    const QString cadastro = cadastroFile(home);
    const QString pedidos = pedidosFile(home);
    for (const QString& file : {cadastro, pedidos})
        if (QFileInfo::exists(file))
            throw DataError(QStringLiteral("O banco '%1' já existe; nada foi alterado.").arg(QDir::toNativeSeparators(file)));
    if (!QDir().mkpath(QFileInfo(cadastro).absolutePath()))
        throw DataError(QStringLiteral("Não foi possível criar a pasta '%1'.").arg(QFileInfo(cadastro).absolutePath()));

    try {
        Connection c = Connection::create(cadastro, cadastroScript());
        c.execute(QStringLiteral("INSERT INTO Vendedor (NomeVendedor, USUARIO, SENHA, NIVEL) VALUES ('") + sqlText(user) +
                  QStringLiteral("','") + sqlText(user) + QStringLiteral("','") + sqlText(password) +
                  QStringLiteral("','1')"));
        Connection::create(pedidos, pedidosScript());
    } catch (const DataError&) {
        QFile::remove(cadastro);
        QFile::remove(pedidos);
        throw;
    }
}

} // namespace home
