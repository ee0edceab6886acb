#include "support/DataRows.h"

#include <QtTest>

namespace {
// The cells of one line: "|" separates them outside double quotes.
QStringList cellsOf(const QString& line) {
    QStringList cells{QString()};
    bool quoted = false;
    for (const QChar c : line) {
        if (c == u'"') quoted = !quoted;
        if (c == u'|' && !quoted)
            cells << QString();
        else
            cells.last() += c;
    }
    for (QString& text : cells) {
        text = text.trimmed();
        if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
            text = text.mid(1, text.size() - 2);
        text.replace(QStringLiteral("\\n"), QStringLiteral("\n"))
            .replace(QStringLiteral("\\r"), QStringLiteral("\r"));
    }
    return cells;
}
// Rows by test function and data tag.
QHash<QString, DataRow>& rows() {
    static QHash<QString, DataRow> all;
    return all;
}

QString key(const char* tag) {
    return QString::fromUtf8(QTest::currentTestFunction()).remove("_data") + '/' + QString::fromUtf8(tag);
}
} // namespace

DataRow dataRow() {
    return rows().value(key(QTest::currentDataTag()));
}

void addRowsFrom(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) QTest::qFail(qPrintable("cannot read " + file), __FILE__, __LINE__);
    QStringList columns;
    for (const QString& line : QString::fromUtf8(in.readAll()).split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#')) continue;
        const QStringList cells = cellsOf(line);
        if (columns.isEmpty()) {
            static QList<QByteArray> names; // the test table keeps the pointers
            columns = cells.mid(1);
            for (const QString& name : columns)
                QTest::addColumn<QString>((names << name.toUtf8()).last().constData());
            continue;
        }
        QTestData& row = QTest::newRow(qPrintable(cells.first()));
        DataRow& kept = rows()[key(qPrintable(cells.first()))];
        for (int i = 1; i < cells.size(); ++i) {
            row << cells[i];
            kept.cells.insert(columns.value(i - 1), cells[i]);
        }
    }
}
