#pragma once

#include <QHash>
#include <QString>

// Rows of a data-driven test kept in a text file beside the test. One row a line: cells
// separated by "|" and trimmed, a cell in double quotes kept as written inside them
// ("|" included, a double quote itself never);
// "\n" and "\r" stand for line ends. The first cell names the row. Blank lines and
// lines starting with "#" are skipped. The first row names the columns, all QString.
// Fails the test (and adds no rows) when the file cannot be read.
void addRowsFrom(const QString& file);

// The cells of the running row of a table added by addRowsFrom, by column name.
struct DataRow {
    QHash<QString, QString> cells;
    QString operator[](const QString& column) const { return cells.value(column); }
    double number(const QString& column) const { return cells.value(column).toDouble(); }
};
DataRow dataRow();
