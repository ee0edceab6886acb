#include "history/PrintHistory.h"

#include "data/Connection.h"
#include "data/SqlText.h"
#include "session/Regional.h"

#include <QCryptographicHash>
#include <QHash>

#include <cctype>
#include <zlib.h>

namespace history {

namespace {
const QString StampFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QString stamp(const QDateTime& when)
{
    return when.toString(StampFormat);
}

QDateTime utcStamp(const QString& text)
{
    QDateTime when = QDateTime::fromString(text, StampFormat);
    when.setTimeSpec(Qt::UTC);
    return when;
}

QString quoted(const QString& text)
{
    return QLatin1Char('\'') + sqlText(text) + QLatin1Char('\'');
}

int daysFrom(const char* variable, int fallback)
{
    bool ok = false;
    const int days = qEnvironmentVariableIntValue(variable, &ok);
    return ok && days > 0 ? days : fallback;
}

const QString Columns = QStringLiteral(
    "IDHISTORICO, DATAUTC, DATALOCAL, ESTACAO, USUARIO, IMPRESSORA, ETIQUETA, NUMPROD, PEDIDO, LINHA, CODIG_BARR, "
    "ETIQUETAS, TIPO, SHA256, DATABYTES");

JobRecord fromRow(const Record& r)
{
    JobRecord j;
    j.id = r.value(QStringLiteral("IDHISTORICO")).toLongLong();
    j.utc = utcStamp(r.text(QStringLiteral("DATAUTC")));
    j.local = QDateTime::fromString(r.text(QStringLiteral("DATALOCAL")), StampFormat);
    j.station = r.text(QStringLiteral("ESTACAO"));
    j.user = r.text(QStringLiteral("USUARIO"));
    j.printer = r.text(QStringLiteral("IMPRESSORA"));
    j.labelType = r.text(QStringLiteral("ETIQUETA"));
    j.production = r.text(QStringLiteral("NUMPROD"));
    j.order = r.text(QStringLiteral("PEDIDO"));
    j.line = r.value(QStringLiteral("LINHA")).toLongLong();
    j.barcode = r.text(QStringLiteral("CODIG_BARR"));
    j.labels = r.value(QStringLiteral("ETIQUETAS")).toInt();
    j.kind = kindFromName(r.text(QStringLiteral("TIPO"))).value_or(Kind::Producao);
    j.digest = r.text(QStringLiteral("SHA256")).toLatin1();
    j.hasBytes = !r.isNull(QStringLiteral("DATABYTES"));
    return j;
}

// qCompress's format (the length, big-endian, then a zlib stream), from one deflate
// state kept per thread: a fresh state per job would ask the system for a quarter of a
// megabyte, and give it back, at every click.
QByteArray compressed(const QByteArray& bytes)
{
    struct Deflater {
        z_stream z{};
        bool ok = deflateInit(&z, Z_DEFAULT_COMPRESSION) == Z_OK;
        ~Deflater() { deflateEnd(&z); }
    };
    thread_local Deflater d;
    if (!d.ok || deflateReset(&d.z) != Z_OK) return qCompress(bytes);
    QByteArray out(4 + qsizetype(deflateBound(&d.z, uLong(bytes.size()))), Qt::Uninitialized);
    const quint32 size = quint32(bytes.size());
    for (int i = 0; i < 4; ++i) out[i] = char(size >> (24 - 8 * i));
    d.z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    d.z.avail_in = uInt(bytes.size());
    d.z.next_out = reinterpret_cast<Bytef*>(out.data() + 4);
    d.z.avail_out = uInt(out.size() - 4);
    if (deflate(&d.z, Z_FINISH) != Z_STREAM_END) return qCompress(bytes);
    out.truncate(4 + qsizetype(d.z.total_out));
    return out;
}

// Runs `statement` (a batch of at most `batch` rows) until a run changes fewer rows.
int inBatches(Connection& store, const QString& statement, int batch)
{
    int total = 0;
    for (;;) {
        const int changed = store.executeCounted(statement);
        total += changed;
        if (changed < batch) return total;
    }
}
} // namespace

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Producao: return QStringLiteral("produção");
    case Kind::Resumo: return QStringLiteral("resumo");
    case Kind::Calibracao: return QStringLiteral("calibração");
    case Kind::Avulsa: return QStringLiteral("avulsa");
    case Kind::Reimpressao: return QStringLiteral("reimpressão");
    }
    return {};
}

std::optional<Kind> kindFromName(const QString& name)
{
    for (Kind k : {Kind::Producao, Kind::Resumo, Kind::Calibracao, Kind::Avulsa, Kind::Reimpressao})
        if (kindName(k) == name) return k;
    return std::nullopt;
}

PrintHistory::PrintHistory(Connection& store) : m_store(store) {}

QList<qint64> PrintHistory::record(const JobRecord& c, const QList<printing::SentJob>& jobs)
{
    QList<qint64> keys;
    if (jobs.isEmpty()) return keys;
    const QDateTime now = regional::now();
    const QString local = quoted(stamp(now));
    const QString utc = quoted(stamp(now.toUTC()));
    for (const printing::SentJob& job : jobs) {
        const QString digest = QString::fromLatin1(QCryptographicHash::hash(job.bytes, QCryptographicHash::Sha256).toHex());
        const QString bytes = QString::fromLatin1(storedBytes(job.bytes));
        m_store.execute(
            QStringLiteral("INSERT INTO HISTORICO (DATAUTC, DATALOCAL, ESTACAO, USUARIO, IMPRESSORA, ETIQUETA, NUMPROD, "
                           "PEDIDO, LINHA, CODIG_BARR, ETIQUETAS, TIPO, SHA256, BYTES, DATABYTES) VALUES (")
            + QStringList{utc, local, quoted(c.station), quoted(c.user), quoted(job.printer), quoted(c.labelType),
                          quoted(c.production), quoted(c.order), QString::number(c.line), quoted(c.barcode),
                          QString::number(labelCount(job.bytes)), quoted(kindName(c.kind)), quoted(digest),
                          quoted(bytes), local}
                  .join(QStringLiteral(", "))
            + QLatin1Char(')'));
        keys << m_store.lastInsertId();  // the row just inserted, read without a query on a store file
    }
    return keys;
}

QList<JobRecord> PrintHistory::find(const Filter& f, int limit)
{
    QStringList where;
    auto equal = [&](const char* column, const QString& value) {
        if (!value.trimmed().isEmpty())
            where << QStringLiteral("%1 = %2").arg(QLatin1String(column), quoted(value.trimmed()));
    };
    equal("CODIG_BARR", f.barcode);
    equal("PEDIDO", f.order);
    equal("NUMPROD", f.production);
    equal("USUARIO", f.user);
    if (f.from.isValid()) where << QStringLiteral("DATALOCAL >= ") + quoted(f.from.toString(Qt::ISODate));
    if (f.to.isValid()) where << QStringLiteral("DATALOCAL < ") + quoted(f.to.addDays(1).toString(Qt::ISODate));
    const QString sql = QStringLiteral("SELECT %1 FROM HISTORICO%2 ORDER BY IDHISTORICO DESC LIMIT %3")
                            .arg(Columns,
                                 where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND ")),
                                 QString::number(qMax(limit, 0)));
    const Recordset rows = m_store.query(sql);
    QList<JobRecord> found;
    found.reserve(rows.recordCount());
    for (int i = 0; i < rows.recordCount(); ++i) found << fromRow(rows.row(i));
    return found;
}

std::optional<JobRecord> PrintHistory::job(qint64 id)
{
    const Recordset rows = m_store.query(
        QStringLiteral("SELECT %1, BYTES FROM HISTORICO WHERE IDHISTORICO = %2").arg(Columns, QString::number(id)));
    if (rows.isEmpty()) return std::nullopt;
    JobRecord j = fromRow(rows.current());
    if (j.hasBytes) j.bytes = qUncompress(QByteArray::fromBase64(rows.text(QStringLiteral("BYTES")).toLatin1()));
    return j;
}

QList<TypeProgress> PrintHistory::progress(const QString& production, const QList<TypeColumns>& types,
                                           const QDateTime& at)
{
    QList<TypeProgress> result;
    if (types.isEmpty()) return result;
    const QString lines = QStringLiteral(" FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO "
                                         "WHERE VORLAPEDIDOS.NUMPROD = %1 AND VORLAPEDIDOS.GRUPO = 'VORLA'")
                              .arg(quoted(production));
    // One pass over the number's lines counts every flag; a second reads the held ones.
    QStringList flags, counts, anyHeld, heldColumns;
    for (const TypeColumns& t : types) {
        if (flags.contains(t.lineFlag)) continue;
        const int n = int(flags.size());
        flags << t.lineFlag;
        for (const char* v : {"S", "A", "N"})
            counts << QStringLiteral("SUM(CASE WHEN VORLA.%1 = '%2' THEN 1 ELSE 0 END) AS F%3%2")
                          .arg(t.lineFlag, QLatin1String(v))
                          .arg(n);
        anyHeld << QStringLiteral("VORLA.%1 = 'A'").arg(t.lineFlag);
        heldColumns << QStringLiteral("VORLA.%1 AS F%2, VORLA.%1_ESTACAO AS E%2, VORLA.%1_DESDE AS D%2")
                           .arg(t.lineFlag)
                           .arg(n);
    }
    const Recordset count = m_store.query(QStringLiteral("SELECT ") + counts.join(QStringLiteral(", ")) + lines);
    const Recordset held = m_store.query(QStringLiteral("SELECT VORLA.Identificação AS LINHA, VORLAPEDIDOS.PEDIDO, ") +
                                         heldColumns.join(QStringLiteral(", ")) + lines + QStringLiteral(" AND (") +
                                         anyHeld.join(QStringLiteral(" OR ")) + QStringLiteral(")"));
    const QDateTime when = (at.isValid() ? at : regional::now()).toUTC();
    const Recordset printed = m_store.query(
        // Grouped by kind too, rather than asking for one: a literal beyond ASCII would
        // compare each row by the folding rule.
        QStringLiteral("SELECT ETIQUETA, TIPO, SUM(ETIQUETAS) AS ETIQUETAS, MIN(DATAUTC) AS PRIMEIRA, MAX(DATAUTC) AS "
                       "ULTIMA, SUM(CASE WHEN DATAUTC > %1 AND DATAUTC <= %2 THEN ETIQUETAS ELSE 0 END) AS ULTIMAHORA "
                       "FROM HISTORICO WHERE NUMPROD = %3 GROUP BY ETIQUETA, TIPO")
            .arg(quoted(stamp(when.addSecs(-3600))), quoted(stamp(when)), quoted(production)));
    // The held lines of each flag, oldest claim first (a claim older than the claim
    // columns has no time and comes last).
    QHash<QString, QList<HeldLine>> heldByFlag;
    for (int n = 0; n < flags.size(); ++n) {
        const QString flag = QStringLiteral("F%1").arg(n), holder = QStringLiteral("E%1").arg(n),
                      since = QStringLiteral("D%1").arg(n);
        QList<HeldLine>& list = heldByFlag[flags[n]];
        for (int i = 0; i < held.recordCount(); ++i) {
            const Record r = held.row(i);
            if (r.text(flag) != QLatin1String("A")) continue;
            const QString stamp = r.text(since);
            list << HeldLine{r.value(QStringLiteral("LINHA")).toLongLong(), r.text(QStringLiteral("PEDIDO")),
                             r.text(holder), stamp.isEmpty() ? QDateTime() : utcStamp(stamp)};
        }
        std::stable_sort(list.begin(), list.end(), [](const HeldLine& a, const HeldLine& b) {
            return a.since.isValid() && (!b.since.isValid() || a.since < b.since);
        });
    }
    QHash<QString, Record> byType;
    for (int i = 0; i < printed.recordCount(); ++i)
        if (kindFromName(printed.row(i).text(QStringLiteral("TIPO"))) == Kind::Producao)
            byType.insert(printed.row(i).text(QStringLiteral("ETIQUETA")), printed.row(i));

    for (const TypeColumns& t : types) {
        TypeProgress p;
        p.labelType = t.labelType;
        const QString n = QString::number(flags.indexOf(t.lineFlag));
        p.linesPrinted = count.value(QStringLiteral("F") + n + QStringLiteral("S")).toInt();
        p.linesHeld = count.value(QStringLiteral("F") + n + QStringLiteral("A")).toInt();
        p.linesWaiting = count.value(QStringLiteral("F") + n + QStringLiteral("N")).toInt();
        p.held = heldByFlag.value(t.lineFlag);
        if (const auto it = byType.constFind(t.labelType); it != byType.constEnd()) {
            p.labelsPrinted = it->value(QStringLiteral("ETIQUETAS")).toInt();
            p.firstPrint = utcStamp(it->text(QStringLiteral("PRIMEIRA")));
            p.lastPrint = utcStamp(it->text(QStringLiteral("ULTIMA")));
            p.labelsLastHour = it->value(QStringLiteral("ULTIMAHORA")).toInt();
        }
        result << p;
    }
    return result;
}

int PrintHistory::prune(const QDateTime& at)
{
    // Small batches, each its own statement: a station that starts holds the store only
    // for moments, and one stopped halfway goes on at its next start.
    constexpr int kBatch = 500;
    const QDateTime now = at.isValid() ? at : regional::now();
    const QString rowsBefore = quoted(stamp(now.addDays(-keepDays())));
    const QString bytesBefore = quoted(stamp(now.addDays(-qMin(bytesDays(), keepDays()))));
    const int deleted = inBatches(
        m_store,
        QStringLiteral("DELETE FROM HISTORICO WHERE IDHISTORICO IN (SELECT IDHISTORICO FROM HISTORICO WHERE DATALOCAL < "
                       "%1 LIMIT %2)")
            .arg(rowsBefore)
            .arg(kBatch),
        kBatch);
    inBatches(m_store,
              QStringLiteral("UPDATE HISTORICO SET BYTES = NULL, DATABYTES = NULL WHERE IDHISTORICO IN (SELECT "
                             "IDHISTORICO FROM HISTORICO WHERE DATABYTES < %1 LIMIT %2)")
                  .arg(bytesBefore)
                  .arg(kBatch),
              kBatch);
    return deleted;
}

QByteArray PrintHistory::storedBytes(const QByteArray& bytes)
{
    return compressed(bytes).toBase64();
}

int PrintHistory::keepDays()
{
    return daysFrom("ETIQUETAS_HISTORICO_DIAS", 365);
}

int PrintHistory::bytesDays()
{
    return daysFrom("ETIQUETAS_HISTORICO_BYTES_DIAS", 90);
}

int PrintHistory::labelCount(const QByteArray& bytes)
{
    // Each label format (^XA ... ^XZ) that places something (^FO or ^FT) prints its ^PQ
    // count: once without ^PQ, or when the count is 0 or not a number, as a printer does.
    // A set-up format places nothing and prints nothing.
    int total = 0;
    qsizetype at = 0;
    while ((at = bytes.indexOf("^XA", at)) >= 0) {
        qsizetype end = bytes.indexOf("^XZ", at);
        if (end < 0) end = bytes.size();
        const QByteArray format = bytes.mid(at, end - at);
        at = end;
        if (!format.contains("^FO") && !format.contains("^FT")) continue;
        const qsizetype pq = format.lastIndexOf("^PQ");
        int count = 0;
        for (qsizetype i = pq + 3; pq >= 0 && i < format.size() && std::isdigit(uchar(format[i])); ++i)
            count = qMin(count * 10 + (format[i] - '0'), 99999999);
        total += qMax(count, 1);
    }
    return total;
}

} // namespace history
