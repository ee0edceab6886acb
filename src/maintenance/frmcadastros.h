#pragma once

#include <QDialog>

class Operator;
struct MasterTable;
struct ProgramState;

// The small chooser of the four master-data windows: one button per window, named
// "cmd" followed by the window's name (cmdfrmmarcas). The main window opens it from a
// keyboard shortcut, since its menu has no item for them.
class frmcadastros : public QDialog {
    Q_OBJECT
  public:
    explicit frmcadastros(QWidget* parent = nullptr);

    // The table of the window chosen; nullptr while none is.
    const MasterTable* chosen() const { return m_chosen; }

    // Shows the chooser and then, modally, the window chosen in it.
    static void choose(ProgramState& state, Operator& op, QWidget* parent);

  private:
    const MasterTable* m_chosen = nullptr;
};
