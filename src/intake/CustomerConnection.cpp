#include "intake/CustomerConnection.h"

#include "data/DataError.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <initializer_list>

namespace {

QAtomicInt g_customerCounter;

// A value as a connection string carries it: between braces (a closing brace doubled)
// when it holds a separator or starts or ends with a blank, so a password such as
// "a;b" or " x" reaches the server whole.
QString attribute(const QString& key, const QString& value) {
    const bool braces = value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('{')) ||
                        value.contains(QLatin1Char('}')) ||
                        (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()));
    if (!braces) return key + QLatin1Char('=') + value + QLatin1Char(';');
    QString escaped = value;
    escaped.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return key + QStringLiteral("={") + escaped + QStringLiteral("};");
}

bool isFreeTds(const QString& driver) {
    return driver.compare(customerOdbc::kDefaultDriver, Qt::CaseInsensitive) == 0 ||
           QFileInfo(driver).fileName().contains(QLatin1String("tdsodbc"), Qt::CaseInsensitive);
}

// The native error numbers of a failure (SQL Server's own numbers come through the drivers).
bool hasCode(const QSqlError& e, std::initializer_list<int> codes) {
    for (const QString& part : e.nativeErrorCode().split(QLatin1Char(';')))
        for (const int code : codes)
            if (part.trimmed() == QString::number(code)) return true;
    return false;
}

bool says(const QSqlError& e, std::initializer_list<const char*> phrases) {
    const QString text = e.databaseText() + QLatin1Char(' ') + e.driverText();
    for (const char* phrase : phrases)
        if (text.contains(QLatin1String(phrase), Qt::CaseInsensitive)) return true;
    return false;
}

QString withDetail(const QString& cause, const QSqlError& e) {
    const QString detail = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return cause + QStringLiteral("\n\nDetalhe técnico: ") + detail.trimmed();
}

QString connectFailure(const QSqlError& e, const CustomerServer& server) {
    // The driver manager's own failures: a driver that is not installed or not registered.
    if (says(e, {"Can't open lib", "Data source name not found", "IM002", "IM003"}))
        return withDetail(QStringLiteral("O driver ODBC \"%1\" não está instalado nesta estação.")
                              .arg(customerOdbc::driverName()),
                          e);
    // Checked before the login: SQL Server ends this text with "The login failed."
    if (hasCode(e, {4060}) || says(e, {"Cannot open database", "Não é possível abrir o banco de dados"}))
        return withDetail(
            QStringLiteral("O servidor do cliente não abriu o banco de dados \"%1\" para o usuário \"%2\".")
                .arg(server.database, server.user),
            e);
    // SQL Server: login failed, untrusted domain, account disabled or locked, password expired.
    if (hasCode(e, {18456, 18452, 18470, 18486, 18487, 18488}) ||
        says(e, {"Login failed", "Falha de logon", "Falha no logon", "28000"}))
        return withDetail(
            QStringLiteral("O servidor do cliente recusou o usuário \"%1\" com a senha de conf.txt.")
                .arg(server.user),
            e);
    return withDetail(QStringLiteral("Não foi possível conectar ao servidor do cliente \"%1\". "
                                     "Verifique o nome do servidor em conf.txt e a rede.")
                          .arg(server.server),
                      e);
}

QString queryFailure(const QSqlError& e, const QString& view) {
    // SQL Server's "invalid object name"; SQLite's "no such table" where a file stands in.
    if (hasCode(e, {208}) || says(e, {"Invalid object name", "Nome de objeto", "no such table", "42S02"}))
        return withDetail(QStringLiteral("A visão %1 não existe no banco de dados do cliente.").arg(view), e);
    return withDetail(QStringLiteral("O banco de dados do cliente recusou a leitura da visão %1.").arg(view),
                      e);
}

} // namespace

namespace customerOdbc {

QString driverName() {
    const QString named = qEnvironmentVariable(kDriverVariable).trimmed();
    return named.isEmpty() ? kDefaultDriver : named;
}

QString connectionString(const CustomerServer& server, const QString& driver, const QString& whole) {
    if (!whole.trimmed().isEmpty()) return whole;
    QString text = QStringLiteral("Driver={") + driver + QStringLiteral("};") +
                   attribute(QStringLiteral("Server"), server.server) +
                   attribute(QStringLiteral("Database"), server.database) +
                   attribute(QStringLiteral("UID"), server.user) +
                   attribute(QStringLiteral("PWD"), server.password);
    if (isFreeTds(driver))
        text += attribute(QStringLiteral("TDS_Version"), kTdsVersion) +
                attribute(QStringLiteral("ClientCharset"), QStringLiteral("UTF-8"));
    return text;
}

QString connectionString(const CustomerServer& server) {
    return connectionString(server, driverName(), qEnvironmentVariable(kConnectionVariable));
}

} // namespace customerOdbc

CustomerConnection::CustomerConnection(const CustomerServer& server)
    : m_name(QStringLiteral("cliente-%1").arg(g_customerCounter.fetchAndAddRelaxed(1))) {
    QSqlError failure;
    bool driverLoaded = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_name);
        driverLoaded = db.isValid();
        if (driverLoaded) {
            db.setDatabaseName(customerOdbc::connectionString(server));
            db.setConnectOptions(
                QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(customerOdbc::kLoginTimeout));
            if (!db.open()) failure = db.lastError();
        }
    }
    if (driverLoaded && failure.type() == QSqlError::NoError) return;
    QSqlDatabase::removeDatabase(m_name);
    if (!driverLoaded)
        throw DataError(
            QStringLiteral("O acesso a bancos ODBC (driver QODBC do Qt) não está instalado nesta estação."));
    throw DataError(connectFailure(failure, server));
}

CustomerConnection::~CustomerConnection() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

Recordset CustomerConnection::query(const QString& sql, const QString& view) {
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    q.setForwardOnly(true);
    // Decimal columns arrive as numbers, written later the way the workstation writes them.
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!q.exec(sql)) throw DataError(queryFailure(q.lastError(), view));
    QStringList columns;
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    QList<QVariantList> rows;
    while (q.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row << q.value(i);
        rows << row;
    }
    if (q.lastError().type() != QSqlError::NoError) throw DataError(queryFailure(q.lastError(), view));
    return Recordset(columns, rows);
}
