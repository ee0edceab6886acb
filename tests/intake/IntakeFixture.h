#pragma once

// What the intake tests share, and the packing, session and app tests with them: the
// data files beside a test and the order store's rows.
#include "data/Recordset.h"
#include "session/ProgramState.h"

#include <QFile>
#include <QTest>

// The lines of data/<file>, less blank lines and "#" or "--" comments.
inline QStringList dataLines(const QString& file) {
    QFile in(DATA_DIR "/" + file);
    if (!in.open(QIODevice::ReadOnly)) return {"<cannot read " + file + ">"};
    QStringList lines = QString::fromUtf8(in.readAll()).split('\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& l) { return l.startsWith('#') || l.startsWith("--"); });
    return lines;
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline int countOf(ProgramState& s, const QString& table) {
    return s.ConexaoPedidos.query("SELECT COUNT(*) AS N FROM " + table).value("N").toInt();
}

// The rows of `table` in the order stored, as "TABLE|value|value...".
inline QStringList rowsIn(ProgramState& s, const QString& table, const QString& columns = "*") {
    QStringList rows;
    const QString key = table == "VORLA" ? "Identificação" : "IDCODIGO"; // both engines' order of insertion
    const Recordset rs = s.ConexaoPedidos.query("SELECT " + columns + " FROM " + table + " ORDER BY " + key);
    for (int i = 0; i < rs.recordCount(); ++i) {
        QStringList values{table};
        for (const QVariant& v : rs.row(i).values())
            values << v.toString();
        rows << values.join('|');
    }
    return rows;
}

// Every row of both order tables: what "the store" holds.
inline QStringList storeDump(ProgramState& s) {
    return rowsIn(s, "VORLAPEDIDOS") + rowsIn(s, "VORLA");
}

// data/<name>.rows: "TABLE: COLUMNS" lines name what to compare, the other lines are
// the rows expected, "TABLE|value|value..." in the order stored. Returns (expected, stored).
inline std::pair<QStringList, QStringList> rowsOf(ProgramState& s, const QString& name) {
    QStringList expected, stored;
    for (const QString& line : dataLines(name + ".rows")) {
        const qsizetype colon = line.indexOf(": ");
        if (colon > 0 && !line.left(colon).contains('|'))
            stored << rowsIn(s, line.left(colon), line.mid(colon + 2));
        else
            expected << line;
    }
    return {expected, stored};
}
