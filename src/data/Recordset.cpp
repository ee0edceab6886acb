#include "data/Recordset.h"

#include "data/DataError.h"
#include "data/SqlText.h"

namespace {
const QStringList& noColumns()
{
    static const QStringList none;
    return none;
}
} // namespace

Record::Record(std::shared_ptr<const QStringList> columns, QVariantList values)
    : m_columns(std::move(columns)), m_values(std::move(values))
{
}

const QStringList& Record::columns() const
{
    return m_columns ? *m_columns : noColumns();
}

int Record::indexOf(const QString& name) const
{
    const QStringList& cols = columns();
    const QString wanted = foldCase(name);
    for (int i = 0; i < cols.size(); ++i)
        if (foldCase(cols[i]) == wanted) return i;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) {
        const QString bare = foldCase(name.mid(dot + 1));
        for (int i = 0; i < cols.size(); ++i)
            if (foldCase(cols[i]) == bare) return i;
    }
    return -1;
}

bool Record::has(const QString& name) const
{
    return indexOf(name) >= 0;
}

QVariant Record::value(const QString& name) const
{
    const int i = indexOf(name);
    if (i < 0) throw DataError(QStringLiteral("O item não foi encontrado na coleção: %1").arg(name));
    return m_values.value(i);
}

QString Record::text(const QString& name) const
{
    const QVariant v = value(name);
    return v.isNull() ? QString() : v.toString();
}

bool Record::isNull(const QString& name) const
{
    return value(name).isNull();
}

void Record::setValue(const QString& name, const QVariant& value)
{
    const int i = indexOf(name);
    if (i < 0) throw DataError(QStringLiteral("O item não foi encontrado na coleção: %1").arg(name));
    m_values[i] = value;
}

Recordset::Recordset(QStringList columns, QList<QVariantList> rows)
    : m_columns(std::make_shared<const QStringList>(std::move(columns))), m_rows(std::move(rows))
{
}

const QStringList& Recordset::columns() const
{
    return m_columns ? *m_columns : noColumns();
}

Record Recordset::row(int index) const
{
    if (index < 0 || index >= m_rows.size())
        throw DataError(QStringLiteral("BOF ou EOF é verdadeiro, ou o registro atual foi excluído."));
    return Record(m_columns, m_rows[index]);
}

Record Recordset::current() const
{
    return row(m_pos);
}
