#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

// One row of a query result. Fields are found by name without regard to letter case
// (accented names too); a name written "TABLE.COLUMN" also finds the plain column.
class Record {
public:
    Record() = default;
    Record(std::shared_ptr<const QStringList> columns, QVariantList values);

    bool has(const QString& name) const;
    QVariant value(const QString& name) const;  // throws DataError for an unknown field
    QString text(const QString& name) const;    // null reads as an empty text
    bool isNull(const QString& name) const;
    void setValue(const QString& name, const QVariant& value);  // throws DataError for an unknown field

    const QStringList& columns() const;
    const QVariantList& values() const { return m_values; }

private:
    int indexOf(const QString& name) const;
    std::shared_ptr<const QStringList> m_columns;
    QVariantList m_values;
};

// A static, read-only snapshot of a query's rows with a cursor, as the windows and
// flows read it: move through it, read the fields of the current row.
class Recordset {
public:
    Recordset() = default;
    Recordset(QStringList columns, QList<QVariantList> rows);

    bool eof() const { return m_pos >= m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int recordCount() const { return int(m_rows.size()); }
    int position() const { return m_pos; }
    void moveFirst() { m_pos = 0; }
    void moveNext() { if (m_pos < m_rows.size()) ++m_pos; }
    void moveTo(int row) { m_pos = row; }

    // The current row; throws DataError at the end of the rows.
    Record current() const;
    QVariant value(const QString& name) const { return current().value(name); }
    QString text(const QString& name) const { return current().text(name); }

    const QStringList& columns() const;
    Record row(int index) const;

private:
    std::shared_ptr<const QStringList> m_columns;
    QList<QVariantList> m_rows;
    int m_pos = 0;
};
