#include "data/Home.h"

#include "data/Connection.h"
#include "data/DataError.h"
#include "data/ServerSchema.h"
#include "data/SqlText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace home {

QString defaultFolder(const QString& executableFolder)
{
    const bool installed =
        QFileInfo(executableFolder).fileName() == QLatin1String("bin") &&
        QFileInfo(QDir(executableFolder).filePath(QStringLiteral("../share/etiquetas-vorla"))).isDir();
    if (!installed) return executableFolder;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("etiquetas-vorla"));
}

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

QString serverFile(const QString& home)
{
    return QDir(home).filePath(QStringLiteral("bd/servidor.txt"));
}

std::optional<QString> serverUri(const QString& home)
{
    QFile f(serverFile(home));
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QString uri = line.trimmed();
        if (!uri.isEmpty() && !uri.startsWith(QLatin1Char('#'))) return uri;
    }
    throw DataError(QStringLiteral("O arquivo '%1' não indica o servidor do banco de dados.")
                        .arg(QDir::toNativeSeparators(serverFile(home))));
}

Connection openCadastro(const QString& home)
{
    if (const auto uri = serverUri(home)) return Connection::openServer(*uri, QLatin1String(kCadastroSchema));
    return Connection::open(cadastroFile(home));
}

Connection openPedidos(const QString& home)
{
    if (const auto uri = serverUri(home)) return Connection::openServer(*uri, QLatin1String(kPedidosSchema));
    return Connection::open(pedidosFile(home));
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

void createOnServer(const QString& uri, const QString& user, const QString& password)
{
    Connection c = Connection::openServer(uri, QStringLiteral("public"));
    const Recordset existing = c.query(QStringLiteral(
        "SELECT schema_name FROM information_schema.schemata WHERE schema_name IN ('cadastro', 'pedidos')"));
    if (!existing.isEmpty())
        throw DataError(QStringLiteral("O servidor já tem os bancos do programa (%1); nada foi alterado.")
                            .arg(existing.text(QStringLiteral("schema_name"))));
    Transaction t(c);
    c.execute(QStringLiteral("CREATE COLLATION IF NOT EXISTS public.%1 (provider = icu, locale = 'und-u-ks-level2', "
                             "deterministic = false)")
                  .arg(QLatin1String(serverSchema::kCollation)));
    const std::pair<const char*, QString> stores[] = {{kCadastroSchema, cadastroScript()},
                                                      {kPedidosSchema, pedidosScript()}};
    for (const auto& [schema, script] : stores) {
        c.execute(QStringLiteral("CREATE SCHEMA %1").arg(QLatin1String(schema)));
        c.execute(QStringLiteral("SET LOCAL search_path TO %1, public").arg(QLatin1String(schema)));
        for (const QString& statement : serverSchema::fromSqliteScript(script)) c.execute(statement);
    }
    c.execute(QStringLiteral("INSERT INTO cadastro.vendedor (nomevendedor, usuario, senha, nivel) VALUES ('") +
              sqlText(user) + QStringLiteral("','") + sqlText(user) + QStringLiteral("','") + sqlText(password) +
              QStringLiteral("','1')"));
    t.commit();
}

void writeServerFile(const QString& home, const QString& uri)
{
    const QString file = serverFile(home);
    if (QFileInfo::exists(file))
        throw DataError(QStringLiteral("O arquivo '%1' já existe; nada foi alterado.").arg(QDir::toNativeSeparators(file)));
    QDir().mkpath(QFileInfo(file).absolutePath());
    QUrl url(uri);
    url.setPassword(QString());
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(url.toString().toUtf8() + '\n') < 0)
        throw DataError(QStringLiteral("Não foi possível gravar '%1'.").arg(QDir::toNativeSeparators(file)));
}

} // namespace home
