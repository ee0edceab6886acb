#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class Operator;
class frmimpressao;
struct ProgramState;

// The main window: the logged-in user and the menu. Closing it ends the program.
class frmzepa : public QMainWindow {
    Q_OBJECT
public:
    frmzepa(ProgramState& state, Operator& op, QWidget* parent = nullptr);

    QLabel* lblusuario;

    QMenu* mnu_prog;
    QMenu* MNU_VORLA;
    QAction* MNU_VORLA1;
    QAction* mnu_carvorla;
    QAction* mnu_txt;
    QAction* mnu_imvorlar;
    QAction* mnu_traco2;
    QAction* mnu_imprimir;
    QAction* mnu_c5023;
    QAction* mnu_ny5023;
    QAction* mnu_vorlanova;
    QAction* Mnu_avl5522;
    QAction* mnu_vorlPol;
    QAction* mnu_tracoc;
    QAction* mnu_avl55x25;
    QAction* mnu_dolmsair;

    // The open-file dialog and the text import of each chosen file, until cancelled.
    void MENUCARREGAVORLA1();

    // The production window, loaded (without showing it) when it is not: the label engine
    // reads its percentage and option boxes also while the ad-hoc window prints.
    frmimpressao* productionWindow();
    // A label-type item: the production window with that type's settings, shown modally
    // and unloaded when the operator closes it.
    void openProductionWindow(const QString& caption);

    // "Histórico" (Ctrl+Shift+H): the print history and a production number's progress,
    // shown modally.
    void openHistoryWindow();

    ProgramState& state() { return m_state; }
    Operator& op() { return m_op; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void MNU_VORLA1_Click();
    void mnu_carvorla_Click();
    void mnu_txt_Click();
    void mnu_imvorlar_Click();
    void mnu_avl55x25_Click();

    ProgramState& m_state;
    Operator& m_op;
    frmimpressao* m_producao = nullptr;
};
