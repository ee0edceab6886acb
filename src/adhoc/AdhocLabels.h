#pragma once

#include "labels/LabelSettings.h"

#include <QList>
#include <functional>
#include <QString>
#include <QStringList>
#include <optional>

class Operator;
struct ProgramState;

// The ad-hoc labels: extra labels of chosen lines of an order, printed outside the
// production run. No print flag changes; each reprinted line records when and by whom.
namespace adhoc {

// The grid's header: the blanks inside each caption set the column widths.
extern const QString GridHeader;
constexpr int QtdColumn = 7;

// Grid columns 1 to 7 of one order line: production, order, barcode, description,
// colour, size and the quantity typed.
struct GridRow {
    QString producao, pedido, codBarras, descricao, cor, tamanho;
    QString qtd = QStringLiteral("0");
};

// Enter in txtpedido. Tells the operator what is missing or not found; `txtnumprod` is
// rewritten as ten digits, and both are emptied when nothing matches. The rows of the
// order's lines, printed or not; nothing when the operator was told why.
enum class Focus { None, Producao, Pedido };
struct Lookup {
    QList<GridRow> rows;
    Focus focus = Focus::None;
};
Lookup TOMVELVORLA(ProgramState& state, Operator& op, QString& txtnumprod, QString& txtpedido);

// A quantity cell after a key: Backspace drops the last character; a printable key
// empties a lone "0" and, in the quantity column, is typed when it is a digit (the
// quantity takes digits only). `typed` tells whether the cell was written to.
struct CellEdit {
    QString text;
    bool typed = false;
};
CellEdit editCell(const QString& cell, int column, int key, const QString& character);

// The quantity of a grid cell: 0 for "0" or empty (not printed), the number for 1 to
// 32767, none for anything else.
std::optional<int> quantityOf(const QString& cell);

// The six label types of "Modelo:", in the menu's order. Choosing one puts the menu's
// settings of that type on the window (menuSettings), with both offsets "00" unless the
// type names its own.
QStringList labelTypes();

// What the window's settings are at "Imprimir".
struct PrintSettings {
    QString cbomarca, cbotemp, cbovel, cbocoluna, cbolargura;
    bool optionBoxesVisible = false;
    LabelSettings::OptionBoxes boxes;
};

// The checks of "Imprimir" before anything prints; false after telling the operator.
bool checkChoices(Operator& op, const PrintSettings& settings, const QList<GridRow>& rows);

// Prints one row's labels: records the reprint on the first matching line, then runs
// the label type's builder. `labels` gives the label engine's settings at that moment
// (it may load the production window). False when a label did not print.
bool IMPRIMIR(ProgramState& state, Operator& op, const GridRow& row, int quantity, const PrintSettings& settings,
              const QString& user, const std::function<LabelSettings()>& labels);

// "Visualizar": the jobs IMPRIMIR would send for one row, built by the same builder with
// nothing sent, asked back or recorded.
QList<QByteArray> previewRow(ProgramState& state, Operator& op, const GridRow& row, int quantity,
                             const PrintSettings& settings, const std::function<LabelSettings()>& labels);

} // namespace adhoc
