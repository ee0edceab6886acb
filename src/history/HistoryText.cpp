#include "history/HistoryText.h"

#include <algorithm>

namespace history {

namespace {
const QStringList Header{QStringLiteral("id"),        QStringLiteral("data"),      QStringLiteral("utc"),
                         QStringLiteral("estação"),   QStringLiteral("usuário"),   QStringLiteral("impressora"),
                         QStringLiteral("tipo"),      QStringLiteral("etiqueta"),  QStringLiteral("produção"),
                         QStringLiteral("pedido"),    QStringLiteral("linha"),     QStringLiteral("código de barras"),
                         QStringLiteral("etiquetas"), QStringLiteral("sha256")};

QStringList fields(const JobRecord& j)
{
    return {QString::number(j.id),
            j.local.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
            j.utc.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")),
            j.station,
            j.user,
            j.printer,
            kindName(j.kind),
            j.labelType,
            j.production,
            j.order,
            j.line ? QString::number(j.line) : QString(),
            j.barcode,
            QString::number(j.labels),
            QString::fromLatin1(j.digest)};
}

QString csvField(const QString& field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
} // namespace

QString table(const QList<JobRecord>& jobs)
{
    // The digest is left out: it is for comparing, not for reading.
    QList<QStringList> rows{Header.mid(0, Header.size() - 1)};
    for (const JobRecord& j : jobs) rows << fields(j).mid(0, Header.size() - 1);
    QList<qsizetype> width(rows.first().size(), 0);
    for (const QStringList& row : rows)
        for (qsizetype c = 0; c < row.size(); ++c) width[c] = std::max(width[c], row[c].size());
    QString out;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            QString field = row[c];
            field.replace(QLatin1Char('\n'), QLatin1Char(' '));
            line += (c ? QStringLiteral("  ") : QString()) + field.leftJustified(width[c]);
        }
        out += line.trimmed() + QLatin1Char('\n');
    }
    return out;
}

QString csv(const QList<JobRecord>& jobs)
{
    QString out = Header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (const JobRecord& j : jobs) {
        QStringList row;
        for (const QString& field : fields(j)) row << csvField(field);
        out += row.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out;
}

} // namespace history
