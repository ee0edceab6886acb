#include "data/Connection.h"

#include "data/DataError.h"
#include "data/FoldingSql.h"
#include "data/SchemaUpgrade.h"
#include "data/SqlText.h"
#include "data/StoreErrors.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUrlQuery>

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

QAtomicInt g_connectionCounter;

QString fromSqlite(const void* text, int bytes)
{
    return QString::fromUtf8(static_cast<const char*>(text), bytes);
}

// Text comparison of the stores ignores letter case, accented letters included
// (SQLite's own NOCASE folds only A to Z). Registered under a name of its own: the
// built-in NOCASE orders the files' indexes and stays as every SQLite tool knows it.
int compareNoCase(void*, int lenA, const void* a, int lenB, const void* b)
{
    // Plain ASCII texts (nearly all of them) are compared byte by byte, without folding
    // copies; any other text is folded whole.
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    const int n = std::min(lenA, lenB);
    bool ascii = true;
    for (int i = 0; i < lenA && ascii; ++i) ascii = pa[i] < 0x80;
    for (int i = 0; i < lenB && ascii; ++i) ascii = pb[i] < 0x80;
    if (ascii) {
        for (int i = 0; i < n; ++i) {
            const int ca = std::tolower(pa[i]), cb = std::tolower(pb[i]);
            if (ca != cb) return ca < cb ? -1 : 1;
        }
        return lenA == lenB ? 0 : (lenA < lenB ? -1 : 1);
    }
    const int r = QString::compare(foldCase(fromSqlite(a, lenA)), foldCase(fromSqlite(b, lenB)));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

// SQL LIKE with % and _ (and an optional escape character), on folded text.
bool likeMatch(const QString& pattern, const QString& text, QChar escape)
{
    const qsizetype pn = pattern.size(), tn = text.size();
    qsizetype p = 0, t = 0, starP = -1, starT = 0;
    while (t < tn) {
        if (p < pn && !escape.isNull() && pattern[p] == escape && p + 1 < pn) {
            if (pattern[p + 1] == text[t]) {
                p += 2;
                ++t;
                continue;
            }
        } else if (p < pn && pattern[p] == QLatin1Char('%')) {
            starP = p++;
            starT = t;
            continue;
        } else if (p < pn && (pattern[p] == QLatin1Char('_') || pattern[p] == text[t])) {
            ++p;
            ++t;
            continue;
        }
        if (starP < 0) return false;
        p = starP + 1;
        t = ++starT;
    }
    while (p < pn && pattern[p] == QLatin1Char('%')) ++p;
    return p == pn;
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    // like(pattern, text [, escape]); a null operand gives null, as in SQL.
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    const QString pattern = foldCase(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0]))));
    const QString text = foldCase(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[1]))));
    QChar escape;
    if (argc == 3) {
        const QString e = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[2])));
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = foldCase(e)[0];
    }
    sqlite3_result_int(ctx, likeMatch(pattern, text, escape) ? 1 : 0);
}

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) return *static_cast<sqlite3* const*>(v.constData());
    return nullptr;
}

// A change statement with its quoted literals taken out: the text with a parameter in
// place of each literal, and the literals in order (views into the statement, doubled
// quotes still doubled). Statements that differ only in their literals share one text
// and one prepared statement. Other statements (queries, schema changes, whose
// literals may not be parameters) have no shape and run as written.
struct Shape {
    QString text;
    QList<QStringView> literals;
    QList<int> doubledQuotes;  // the literals that hold a doubled quote
};

bool isChangeStatement(QStringView sql)
{
    sql = sql.trimmed();
    for (const char* verb : {"INSERT", "UPDATE", "DELETE"})
        if (sql.startsWith(QLatin1String(verb), Qt::CaseInsensitive)) return true;
    return false;
}

std::optional<Shape> shapeOf(const QString& statement)
{
    if (!isChangeStatement(statement)) return std::nullopt;
    const QStringView sql(statement);
    Shape shape;
    shape.text.reserve(sql.size());
    shape.literals.reserve(32);
    qsizetype copied = 0;  // sql up to here is in the text already
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == u'?' || c == u':' || c == u'@' || c == u'$') return std::nullopt;  // markers of its own
        if (c == u'[' || c == u'"') {
            // A quoted name is kept whole, whatever it holds.
            i = sql.indexOf(c == u'[' ? u']' : c, i + 1);
            if (i < 0) return std::nullopt;
            continue;
        }
        if (c != u'\'') continue;
        shape.text += sql.mid(copied, i - copied);
        const qsizetype start = i + 1;
        for (i = start;; i += 2) {  // to the closing quote, over doubled ones
            i = sql.indexOf(u'\'', i);
            if (i < 0) return std::nullopt;  // unterminated: the store will say so
            if (i + 1 >= sql.size() || sql[i + 1] != u'\'') break;
            if (shape.doubledQuotes.value(shape.doubledQuotes.size() - 1, -1) != shape.literals.size())
                shape.doubledQuotes << int(shape.literals.size());
        }
        shape.literals << sql.mid(start, i - start);
        shape.text += u'?';
        copied = i + 1;
    }
    shape.text += sql.mid(copied);
    return shape;
}

// Prepared statements kept by shape; a connection keeps at most this many.
constexpr int kPreparedLimit = 64;

} // namespace

struct Connection::Impl {
    QString name;
    QString file;
    AccessDialect dialect;
    // A server store: its schema, and whether the link broke since the last statement.
    bool server = false;
    QString schema;
    bool lost = false;
    int depth = 0;  // open transactions

    QSqlDatabase db() const { return QSqlDatabase::database(name, false); }

    [[noreturn]] void fail(const QSqlError& error)
    {
        if (!server) throw DataError(storeErrors::describe(file, error));
        bool gone = false;
        const QString text = storeErrors::describeServer(file, error, &gone);
        if (gone) lost = true;
        throw DataError(text);
    }

    // A server connection that broke is opened again before the next statement, unless
    // a transaction was open on it: that one is lost and its owner rolls back first.
    void reconnectIfLost()
    {
        if (!server || depth > 0 || (!lost && db().isOpen())) return;
        QSqlDatabase d = db();
        d.close();
        lost = false;
        if (!d.open()) fail(d.lastError());
        useSchema();
    }

    void useSchema()
    {
        QSqlQuery q(db());
        if (!q.exec(QStringLiteral("SET search_path TO \"%1\", public").arg(schema))) fail(q.lastError());
    }

    void loadNames()
    {
        dialect = AccessDialect();
        dialect.setFoldingComparisons(true);
        if (server) {
            dialect.setServerTarget(true);
            QSqlQuery names(db());
            if (!names.exec(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = "
                                           "current_schema() UNION SELECT column_name FROM "
                                           "information_schema.columns WHERE table_schema = current_schema()")))
                fail(names.lastError());
            while (names.next()) dialect.addName(names.value(0).toString());
            return;
        }
        QSqlQuery tables(db());
        if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table','view')"))) fail(tables.lastError());
        QStringList names;
        while (tables.next()) names << tables.value(0).toString();
        for (const QString& table : names) {
            if (table.startsWith(QLatin1String("sqlite_"))) continue;
            dialect.addName(table);
            QSqlQuery cols(db());
            if (!cols.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table))) fail(cols.lastError());
            while (cols.next()) dialect.addName(cols.value(1).toString());
        }
    }

    sqlite3* handle = nullptr;  // the open database under Qt's connection
    // Shape text -> the statement prepared from its translation.
    QHash<QString, sqlite3_stmt*> prepared;

    void finalizeAll()
    {
        if (!handle) return;
        for (sqlite3_stmt* statement : std::as_const(prepared)) sqlite3_finalize(statement);
        prepared.clear();
    }

    sqlite3_stmt* statementFor(const QString& shapeText)
    {
        if (sqlite3_stmt* statement = prepared.value(shapeText)) return statement;
        if (prepared.size() >= kPreparedLimit) finalizeAll();
        const QString sql = dialect.translate(shapeText);
        sqlite3_stmt* statement = nullptr;
        const int rc = sqlite3_prepare16_v2(handle, sql.utf16(), int(sql.size() * sizeof(char16_t)), &statement, nullptr);
        if (rc != SQLITE_OK) {
            const QString error = QString::fromUtf8(sqlite3_errmsg(handle));
            sqlite3_finalize(statement);
            throw DataError(storeErrors::describe(file, rc, error));
        }
        prepared.insert(shapeText, statement);
        return statement;
    }

    // Runs a change statement through the prepared statement of its shape, its literals
    // bound as text (what a quoted literal is).
    void run(const Shape& shape)
    {
        sqlite3_stmt* statement = statementFor(shape.text);
        QList<QString> undoubled;  // literals with doubled quotes, kept until the step
        for (int i = 0; i < shape.literals.size(); ++i) {
            QStringView value = shape.literals.at(i);
            if (shape.doubledQuotes.contains(i)) {
                undoubled << value.toString().replace(QStringLiteral("''"), QStringLiteral("'"));
                value = undoubled.last();
            }
            sqlite3_bind_text16(statement, i + 1, value.utf16(), int(value.size() * sizeof(char16_t)),
                                SQLITE_STATIC);
        }
        int rc = sqlite3_step(statement);
        while (rc == SQLITE_ROW) rc = sqlite3_step(statement);
        const QString error = rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        if (rc != SQLITE_DONE) throw DataError(storeErrors::describe(file, rc, error));
    }

    ~Impl()
    {
        finalizeAll();
        if (name.isEmpty()) return;
        {
            QSqlDatabase d = db();
            if (d.isOpen()) d.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
};

Connection::Connection() = default;
Connection::~Connection() = default;
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;

namespace {
std::unique_ptr<Connection::Impl> openImpl(const QString& file)
{
    auto impl = std::make_unique<Connection::Impl>();
    impl->file = file;
    impl->name = QStringLiteral("etiquetas-%1").arg(g_connectionCounter.fetchAndAddRelaxed(1));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), impl->name);
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open()) impl->fail(db.lastError());
    sqlite3* h = handleOf(db);
    if (!h) throw DataError(QStringLiteral("O driver do banco de dados local não está disponível."));
    impl->handle = h;
    sqlite3_create_collation_v2(h, foldingSql::kCollation, SQLITE_UTF8, nullptr, compareNoCase, nullptr);
    sqlite3_create_function_v2(h, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, likeFunction, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(h, "like", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, likeFunction, nullptr,
                               nullptr, nullptr);
    QSqlQuery fk(db);
    fk.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    return impl;
}

std::unique_ptr<Connection::Impl> openServerImpl(const QString& uri, const QString& schema)
{
    auto impl = std::make_unique<Connection::Impl>();
    const QUrl url(uri);
    QUrl shown = url;
    shown.setPassword(QString());
    impl->file = shown.toString();
    impl->server = true;
    impl->schema = schema;
    impl->name = QStringLiteral("etiquetas-%1").arg(g_connectionCounter.fetchAndAddRelaxed(1));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), impl->name);
    if (!db.isValid())
        throw DataError(QStringLiteral("O driver do PostgreSQL (QPSQL) não está instalado neste computador."));
    if (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres"))
        throw DataError(QStringLiteral("O endereço do servidor '%1' não é um URI do PostgreSQL "
                                       "(postgresql://usuário@servidor:porta/banco).")
                            .arg(impl->file));
    db.setHostName(url.host());
    if (url.port() > 0) db.setPort(url.port());
    db.setUserName(url.userName());
    if (!url.password().isEmpty()) db.setPassword(url.password());
    db.setDatabaseName(url.path().mid(1));
    // Every other libpq keyword (host=/socket/dir, service=, sslmode=, ...) as given.
    QStringList options;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("host")) db.setHostName(value);
        else if (key == QLatin1String("port")) db.setPort(value.toInt());
        else if (key == QLatin1String("dbname")) db.setDatabaseName(value);
        else if (key == QLatin1String("user")) db.setUserName(value);
        else options << key + QLatin1Char('=') + value;
    }
    options << QStringLiteral("connect_timeout=5");
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open()) impl->fail(db.lastError());
    impl->useSchema();
    return impl;
}

QStringList splitScript(const QString& script)
{
    QStringList statements;
    QString current;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("--"))) continue;
        current += line + QLatin1Char('\n');
        if (trimmed.endsWith(QLatin1Char(';'))) {
            statements << current.trimmed();
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty()) statements << current.trimmed();
    return statements;
}
} // namespace

Connection Connection::open(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile())
        throw DataError(QStringLiteral("Não foi possível encontrar o arquivo '%1'.").arg(QDir::toNativeSeparators(file)));
    Connection c;
    c.d = openImpl(file);
    c.d->loadNames();  // also proves the file is a database
    schemaUpgrade::bringUpToDate(c);
    c.d->loadNames();  // columns an upgrade added
    return c;
}

Connection Connection::create(const QString& file, const QString& script)
{
    if (QFileInfo::exists(file))
        throw DataError(QStringLiteral("O arquivo '%1' já existe.").arg(QDir::toNativeSeparators(file)));
    Connection c;
    c.d = openImpl(file);
    c.beginTransaction();
    for (const QString& statement : splitScript(script)) {
        QSqlQuery q(c.d->db());
        if (!q.exec(statement)) {
            const QSqlError e = q.lastError();
            c.rollback();
            c.d.reset();
            QFile::remove(file);
            throw DataError(e.text());
        }
    }
    c.commit();
    c.d->loadNames();
    return c;
}

Connection Connection::openServer(const QString& uri, const QString& schema)
{
    Connection c;
    c.d = openServerImpl(uri, schema);
    if (schema != QLatin1String("public") &&
        c.query(QStringLiteral("SELECT schema_name FROM information_schema.schemata WHERE schema_name = '%1'")
                    .arg(sqlText(schema)))
            .isEmpty())
        throw DataError(QStringLiteral("O servidor %1 não tem os bancos do programa: crie-os com "
                                       "etiquetas-vorla --init-server.")
                            .arg(c.d->file));
    c.d->loadNames();
    schemaUpgrade::bringServerUpToDate(c);
    c.d->loadNames();  // tables an upgrade added
    return c;
}

bool Connection::isOpen() const
{
    return d && d->db().isOpen();
}

bool Connection::isServer() const
{
    return d && d->server;
}

QString Connection::fileName() const
{
    return d ? d->file : QString();
}

Recordset Connection::query(const QString& sql, int maxRows)
{
    if (d && d->server) d->reconnectIfLost();
    if (!isOpen()) throw DataError(QStringLiteral("A conexão com o banco de dados não está aberta."));
    QSqlQuery q(d->db());
    q.setForwardOnly(true);
    if (!q.exec(d->dialect.translate(sql))) d->fail(q.lastError());
    QStringList columns;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) columns << rec.fieldName(i);
    QList<QVariantList> rows;
    while ((maxRows < 0 || rows.size() < maxRows) && q.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i) row << q.value(i);
        rows << row;
    }
    return Recordset(columns, rows);
}

Recordset Connection::queryForUpdate(const QString& sql)
{
    return query(isServer() ? sql + QStringLiteral(" FOR UPDATE") : sql);
}

void Connection::execute(const QString& sql)
{
    executeCounted(sql);
}

int Connection::executeCounted(const QString& sql)
{
    if (d && d->handle) {
        refuseNulCharacter(sql);  // the literals below are bound, not read by the adapter
        if (const std::optional<Shape> shape = shapeOf(sql)) {
            d->run(*shape);
            return sqlite3_changes(d->handle);
        }
    }
    if (d && d->server) d->reconnectIfLost();
    if (!isOpen()) throw DataError(QStringLiteral("A conexão com o banco de dados não está aberta."));
    QSqlQuery q(d->db());
    if (!q.exec(d->dialect.translate(sql))) d->fail(q.lastError());
    return q.numRowsAffected();
}

qint64 Connection::lastInsertId() const
{
    if (d && d->server) {
        // The identity column's sequence, as last advanced by this session.
        QSqlQuery q(d->db());
        return q.exec(QStringLiteral("SELECT lastval()")) && q.next() ? q.value(0).toLongLong() : 0;
    }
    return d && d->handle ? qint64(sqlite3_last_insert_rowid(d->handle)) : 0;
}

QString Connection::stampSql(const QDateTime& local, int secondsBack) const
{
    if (d && d->server)
        return QStringLiteral("to_char((now() - make_interval(secs => %1)) AT TIME ZONE 'UTC', "
                              "'YYYY-MM-DD\"T\"HH24:MI:SS')")
            .arg(secondsBack);
    return QLatin1Char('\'') + local.toUTC().addSecs(-secondsBack).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QLatin1Char('\'');
}

void Connection::beginTransaction()
{
    if (d && d->server) d->reconnectIfLost();
    if (!isOpen()) throw DataError(QStringLiteral("A conexão com o banco de dados não está aberta."));
    QSqlDatabase db = d->db();
    if (d->depth > 0) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SAVEPOINT inner%1").arg(d->depth))) d->fail(q.lastError());
    } else if (d->server) {
        if (!db.transaction()) d->fail(db.lastError());
    } else {
        // The write lock is taken at the start (waiting up to the busy timeout), so a
        // transaction that reads and then writes never meets another writer half-way.
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) d->fail(q.lastError());
    }
    ++d->depth;
}

void Connection::commit()
{
    if (!isOpen()) throw DataError(QStringLiteral("A conexão com o banco de dados não está aberta."));
    QSqlDatabase db = d->db();
    if (d->depth > 1) {
        --d->depth;
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("RELEASE SAVEPOINT inner%1").arg(d->depth))) d->fail(q.lastError());
        return;
    }
    const bool done = db.commit();
    d->depth = 0;
    if (!done) {
        if (d->server) db.rollback();
        d->fail(db.lastError());
    }
}

void Connection::rollback()
{
    if (!isOpen()) return;
    if (d->depth > 1) {
        --d->depth;
        QSqlQuery q(d->db());
        q.exec(QStringLiteral("ROLLBACK TO SAVEPOINT inner%1").arg(d->depth));
        q.exec(QStringLiteral("RELEASE SAVEPOINT inner%1").arg(d->depth));
        return;
    }
    d->db().rollback();
    d->depth = 0;
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
