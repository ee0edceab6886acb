#pragma once

#include "data/Recordset.h"
#include "maintenance/MasterTables.h"

#include <QHash>
#include <QString>
#include <QStringList>

class Connection;
class Operator;

// What a master-data window holds between clicks: the text of each entry field by its
// object name, and under "NomeAnterior" the name of the record chosen in the grid, the
// one "Alterar" changes.
using MasterEntry = QHash<QString, QString>;

inline const QString NomeAnterior = QStringLiteral("NomeAnterior");

// How a button's click ended.
enum class MasterOutcome {
    Nothing,  // the lookup said no: nothing asked, nothing stored
    Declined, // the operator answered No: the window empties the name field
    Stored,   // the statement ran: the window closes and opens again on the new state
};

// The table's rows under the grid's column headings.
Recordset openMasterGrid(const MasterTable& table, Connection& c);
// The items of a combo box, in the order the store returns them.
QStringList masterListItems(const EntryField& field, Connection& c);

// A click on a grid row: the row becomes the grid's current record, its name becomes
// NomeAnterior, and the table's columns are copied into their entry fields.
void pickMasterRow(const MasterTable& table, Recordset& grid, int row, MasterEntry& entry);

// The name field's text as the table's typing rule leaves it.
QString typedName(const MasterTable& table, const QString& text);

MasterOutcome incluir(const MasterTable& table, const MasterEntry& entry, Operator& op, Connection& c);
MasterOutcome alterar(const MasterTable& table, const MasterEntry& entry, Operator& op, Connection& c);
MasterOutcome excluir(const MasterTable& table, const MasterEntry& entry, Operator& op, Connection& c);
