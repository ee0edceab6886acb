#include "data/Connection.h"

#include "data/DataError.h"
#include "data/SchemaUpgrade.h"
#include "data/ServerEngine.h"
#include "data/SqlText.h"
#include "data/SqliteEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Connection::Connection() = default;
Connection::~Connection() = default;
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;

Connection Connection::open(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile())
        throw DataError(QStringLiteral("Não foi possível encontrar o arquivo '%1'.").arg(QDir::toNativeSeparators(file)));
    Connection c;
    c.d = std::make_unique<SqliteEngine>(file);
    c.d->loadNames();  // also proves the file is a database
    schemaUpgrade::bringUpToDate(c);
    c.d->loadNames();  // columns an upgrade added
    return c;
}

Connection Connection::create(const QString& file, const QString& script)
{
    if (QFileInfo::exists(file))
        throw DataError(QStringLiteral("O arquivo '%1' já existe.").arg(QDir::toNativeSeparators(file)));
    auto engine = std::make_unique<SqliteEngine>(file);
    try {
        engine->beginTransaction();
        engine->runScript(script);
        engine->commit();
    } catch (const DataError&) {
        engine.reset();
        QFile::remove(file);
        throw;
    }
    engine->loadNames();
    Connection c;
    c.d = std::move(engine);
    return c;
}

Connection Connection::openServer(const QString& uri, const QString& schema)
{
    Connection c;
    c.d = std::make_unique<ServerEngine>(uri, schema);
    if (schema != QLatin1String("public") &&
        c.query(QStringLiteral("SELECT schema_name FROM information_schema.schemata WHERE schema_name = '%1'")
                    .arg(sqlText(schema)))
            .isEmpty())
        throw DataError(QStringLiteral("O servidor %1 não tem os bancos do programa: crie-os com "
                                       "etiquetas-vorla --init-server.")
                            .arg(c.d->shownName()));
    c.d->loadNames();
    schemaUpgrade::bringServerUpToDate(c);
    c.d->loadNames();  // tables an upgrade added
    return c;
}

StoreEngine& Connection::engine() const
{
    if (!d) throw DataError(QStringLiteral("A conexão com o banco de dados não está aberta."));
    return *d;
}

bool Connection::isOpen() const
{
    return d && d->isOpen();
}

bool Connection::isServer() const
{
    return d && d->isServer();
}

QString Connection::fileName() const
{
    return d ? d->shownName() : QString();
}

Recordset Connection::query(const QString& sql, int maxRows)
{
    return engine().query(sql, maxRows);
}

void Connection::lockRows(const QString& sql)
{
    if (isServer()) queryForUpdate(sql);
}

Recordset Connection::queryForUpdate(const QString& sql)
{
    return engine().queryForUpdate(sql);
}

void Connection::execute(const QString& sql)
{
    engine().execute(sql);
}

int Connection::executeCounted(const QString& sql)
{
    return engine().executeCounted(sql);
}

qint64 Connection::lastInsertId() const
{
    return d ? d->lastInsertId() : 0;
}

qint64 Connection::insertedKey(const QString& highestKeyQuery)
{
    return engine().insertedKey(highestKeyQuery);
}

QString Connection::stampSql(const QDateTime& local, int secondsBack) const
{
    return engine().stampSql(local, secondsBack);
}

void Connection::beginTransaction()
{
    engine().beginTransaction();
}

void Connection::commit()
{
    engine().commit();
}

void Connection::rollback()
{
    if (d) d->rollback();
}

Transaction::~Transaction()
{
    if (!m_done) m_c.rollback();
}

void Transaction::commit()
{
    m_c.commit();
    m_done = true;
}
