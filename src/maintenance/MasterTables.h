#pragma once

#include <QList>
#include <QString>

// The four master-data windows (users, brands, groups, label models) work the same way;
// everything that differs between them is one of these tables of texts.
//
// Questions and statements are templates: "{name}" stands for the text of the entry
// field with that object name, "{name:upper}" for it in capitals, "{NomeAnterior}" for
// the name of the record chosen in the grid and "{found.COLUMN}" for a column of the
// record the step's lookup found. In statements every value goes in through sqlText().

// One entry field above the grid: a text box, or a combo box when it has a list query.
struct EntryField {
    QString name;    // object name: txtvendedor, cbogrupo
    QString caption; // its label: "Nome:"
    QString listQuery = {};
    QString listField = {}; // the column of listQuery's rows that fills the list

    bool isCombo() const { return !listQuery.isEmpty(); }
};

// A grid column copied into an entry field when the operator clicks a row.
struct GridCopy {
    QString column;
    QString field;
};

// One button's work: find the record, ask, store.
struct MasterStep {
    QString lookup;
    QString question;
    QString statement;
};

struct MasterTable {
    QString window;           // object name of the window
    QString caption;          // window title
    QString frame;            // title of the frame around the entry fields
    QList<EntryField> fields; // the first is the name field
    QString grid;             // object name of the grid
    QString gridQuery;        // its aliases are the grid's column headings
    QString nameColumn;       // the grid column holding each record's name
    QString storedName;       // the table's column holding it, as the lookups return it
    QList<GridCopy> gridCopies;
    bool capitals = false; // letters typed in the name field become capitals
    bool limpar = false;   // the window has the "&Limpar" button
    // "&Incluir" goes on only when its lookup finds nothing (no stored name contains the
    // typed one); "Alterar" and "Excluir" only when theirs finds the record.
    MasterStep incluir;
    MasterStep alterar;
    MasterStep excluir;

    const QString& nameField() const { return fields.first().name; }
};

const MasterTable& usersTable();  // frmvendedor
const MasterTable& brandsTable(); // frmmarcas
const MasterTable& groupsTable(); // frmgrupos
const MasterTable& modelsTable(); // frmetiquetas

// The four, in the order the chooser offers them.
QList<const MasterTable*> masterTables();
