#pragma once

#include "data/Recordset.h"
#include "maintenance/MasterData.h"

#include <QDialog>
#include <QHash>

class QPushButton;
class QTableWidget;
class Operator;
struct ProgramState;

// One master-data window (users, brands, groups or label models, as its table says):
// entry fields, the buttons, and a grid listing the table. After each stored change the
// window closes and a fresh copy opens on the new state.
class frmcadastro : public QDialog {
    Q_OBJECT
  public:
    // The result of a window closed to be opened again.
    static constexpr int Reopen = 2;

    frmcadastro(const MasterTable& table, ProgramState& state, Operator& op, QWidget* parent = nullptr);

    // Shows the window modally, and a fresh copy after each stored change, until the
    // operator closes it.
    static void showModal(const MasterTable& table, ProgramState& state, Operator& op, QWidget* parent);

    // Entry fields (QLineEdit or QComboBox) by object name.
    QWidget* field(const QString& name) const { return m_fields.value(name); }
    QTableWidget* grid;
    QPushButton* cmdIncluir;
    QPushButton* cmdAlterar;
    QPushButton* cmdExcluir;
    QPushButton* cmdlimpar = nullptr; // brands only

    const QString& nomeAnterior() const { return m_nomeAnterior; }

  private:
    void load();
    void LIMPAR();
    void grid_Click(int row);
    void run(MasterOutcome (*step)(const MasterTable&, const MasterEntry&, Operator&, Connection&));
    MasterEntry entry() const;
    QString text(const QString& name) const;
    void setText(const QString& name, const QString& text);
    void name_Change(const QString& text);

    const MasterTable& m_table;
    ProgramState& m_state;
    Operator& m_op;
    Recordset m_rs; // the grid's rows; a click moves its current record
    QString m_nomeAnterior;
    QHash<QString, QWidget*> m_fields;
};
