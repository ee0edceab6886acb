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
    QList<int> bareNumbers;    // the literals that are numbers written without quotes

    // Literal i as a value: its doubled quotes made single.
    QString value(int i) const;
};

// Which unquoted numbers a shape takes out with the quoted literals: none, or those
// compared right after an = (a line's or an order's key in a where clause, where a
// number stands for a value and never for a column's position).
enum class ShapeNumbers { Kept, AfterEquals };

// The shape of `statement`; none for one that writes markers of its own (?, :, @, $)
// outside quotes, or leaves a quote open: such a statement runs as written.
std::optional<StatementShape> shapeOf(const QString& statement, ShapeNumbers numbers = ShapeNumbers::Kept);

// True for INSERT, UPDATE and DELETE: the statements whose literals may be bound as
// parameters (in a query or a schema change a literal may stand where no parameter can).
bool isChangeStatement(QStringView sql);

// A translated shape cut at its parameters, for putting the literals back as written.
struct ShapeTemplate {
    QStringList pieces;  // one more than the parameters

    // The text with literal i in place of parameter i as it was written (between quotes,
    // or a bare number), starting at literal `first` (a tuple of a longer statement).
    void appendWith(QString& out, const StatementShape& shape, qsizetype first = 0) const;
    // The text with a ? in place of each parameter, for binding the literals as values.
    QString withMarkers() const;
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
