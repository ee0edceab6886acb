#pragma once

#include <QWidget>

class QKeyEvent;
class QLineEdit;
class QPushButton;
class Operator;
struct ProgramState;
class frmzepa;

// The login window: the start-up window of the program.
class frmsenha : public QWidget {
    Q_OBJECT
public:
    frmsenha(ProgramState& state, Operator& op, QWidget* parent = nullptr);

    // The start-up window as the program shows it: deleted once it closes, which a
    // successful login does after the main window shows.
    static frmsenha* showAtStart(ProgramState& state, Operator& op);

    QLineEdit* txtusuario;
    QLineEdit* txtsenha;
    QPushButton* cmdok;
    QPushButton* cmdCancelar;

    // The main window opened by a successful login (null until then).
    frmzepa* mainWindow() const { return m_main; }

    void cmdok_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ProgramState& m_state;
    Operator& m_op;
    frmzepa* m_main = nullptr;
};
