#pragma once

#include "adhoc/AdhocLabels.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QKeyEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Operator;
class frmimpressao;
struct ProgramState;

// The ad-hoc labels window: the lines of one order of a production number in a grid,
// a quantity typed for each line wanted, and "Imprimir" prints them with the chosen
// label type. No print flag changes.
class frmnovoavulso : public QDialog {
    Q_OBJECT
public:
    // `user` gives the logged-in user's name; `productionWindow` gives the production
    // window, loading it without showing it when it is not loaded: the label engine
    // reads its percentage and option boxes.
    frmnovoavulso(ProgramState& state, Operator& op, std::function<QString()> user,
                  std::function<frmimpressao*()> productionWindow, QWidget* parent = nullptr);

    QLineEdit* txtnumprod;
    QLineEdit* txtpedido;
    QTableWidget* Griid_Recebimento;
    QComboBox* cbomarca;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QComboBox* cbocoluna;
    QComboBox* cbolargura;
    QComboBox* cbovel;
    QComboBox* cbotemp;
    QPushButton* Cmdimprimir;
    QPushButton* cmdvisualizar;  // "Visualizar": the labels "Imprimir" would print
    QLabel* lblimpsel;  // the label printer "Imprimir" uses: the production window's
    QLabel* lblestado;  // its state: a coloured mark and a word

    void txtpedido_Enter();
    void cbomarca_Click();
    void Cmdimprimir_Click();
    void cmdvisualizar_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showPrinter();
    // The quantity rules of a key in the grid; false for a key they leave to the grid.
    bool Griid_Recebimento_KeyPress(int key, const QString& text);
    void clearGrid(bool withHeader);
    QList<adhoc::GridRow> gridRows() const;
    adhoc::PrintSettings printSettings() const;
    LabelSettings labelSettings() const;

    ProgramState& m_state;
    Operator& m_op;
    std::function<QString()> m_user;
    std::function<frmimpressao*()> m_productionWindow;
};
