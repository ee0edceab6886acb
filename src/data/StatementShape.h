#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// A statement with its quoted literals taken out: the text with a parameter (?) in place
// of each literal, and the literals in order (views into the statement, doubled quotes
// still doubled). Statements that differ only in their literals share one shape, so the
// engines translate (and on SQLite prepare) each shape once.
struct StatementShape {
    QString text;
    QList<QStringView> literals;
    QList<int> doubledQuotes;  // the literals that hold a doubled quote

    // Literal i as a value: its doubled quotes made single.
    QString value(int i) const;
};

// The shape of `statement`; none for one that writes markers of its own (?, :, @, $)
// outside quotes, or leaves a quote open: such a statement runs as written.
std::optional<StatementShape> shapeOf(const QString& statement);

// True for INSERT, UPDATE and DELETE: the statements whose literals may be bound as
// parameters (in a query or a schema change a literal may stand where no parameter can).
bool isChangeStatement(QStringView sql);

// A translated shape cut at its parameters, for putting the literals back as written.
struct ShapeTemplate {
    QStringList pieces;  // one more than the parameters

    // The text with literal i between quotes in place of parameter i, starting at
    // literal `first` (a tuple of a longer statement).
    void appendWith(QString& out, const QList<QStringView>& literals, qsizetype first = 0) const;
    qsizetype parameters() const { return pieces.size() - 1; }
};

// Cuts a translated shape at each ? outside quotes.
ShapeTemplate templateOf(QStringView translated);

// For a translated shape "INSERT INTO t (...) VALUES (?, ..., ?)", one row of nothing
// but literals: the statement that stores such rows by the batch, "COPY t (...) FROM
// STDIN" (each value through its column's input, as a literal is). Empty for any other
// statement.
QString copyOfInsert(QStringView translated);

// A row of COPY's text form: the values separated by tabs, the line ended.
void appendCopyRow(QString& out, const StatementShape& shape);

// The statements of a script, one per ";" at a line's end; "--" comment lines left out.
QStringList splitScript(const QString& script);
