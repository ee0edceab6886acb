#pragma once

#include "labels/LabelSettings.h"
#include "production/ProductionRun.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Operator;
struct MenuSettings;
struct ProgramState;

// The production window: the operator types a production number and prints its lines
// for one label type, one click per line. The label type is the window's caption.
// Creating the window is its load: the printer choice, the order store, the lists.
class frmimpressao : public QDialog {
    Q_OBJECT
public:
    // `user` gives the logged-in user's name as the main window shows it.
    frmimpressao(ProgramState& state, Operator& op, std::function<QString()> user, QWidget* parent = nullptr);

    // What a label-type item of the main menu puts on the window before showing it.
    void applyMenuSettings(const MenuSettings& settings);

    // The values the label engine reads from this window, whether it is shown or not.
    QString percentage() const;
    LabelSettings::OptionBoxes optionBoxes() const;
    QString coluna() const;
    QString largura() const;

    QGroupBox* Frame1;
    QLineEdit* txtproducao;
    QLabel* Label2;
    QLabel* lblprod;
    QLabel* Label4;
    QLabel* LBLFORN;
    QGroupBox* Frame2;
    QLabel *Label1, *LBLPEDIDO, *Label3, *LBLDESCRICAO, *Label5, *LBLTAM, *Label6, *LBLCODIGOBARRAS, *Label7, *LBLQTD,
        *Label8, *LBLPRECO;
    QLineEdit* TXTPORCENTAGEM;
    QLabel* Label9;
    QGroupBox* Frame3;
    QLabel *Label18, *lblpedido1, *Label16, *lbldescricao1, *Label14, *lbltamanho1, *Label13, *lblcodigobarras1,
        *Label12, *lblqtd1, *Label11, *lblpreco1;
    QLabel* LBLVISOR;
    QLabel* lblrestantes;  // "Faltam 3 de 7": lines of the production number still to print
    QLabel* Label19;
    QComboBox* cbovelocidade;
    QLabel* Label15;
    QComboBox* cbotemp;
    QLabel* Label10;
    QComboBox* cbocoluna;
    QLabel* Label17;
    QComboBox* cbolargura;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QLabel* Label20;
    QLabel* lblimpsel;
    QLabel* lblestado;  // the printer's state: a coloured mark and a word
    QPushButton* Command1;
    QPushButton* Cmdimprimir;
    QPushButton* cmdcalibracao;
    QPushButton* cmdvisualizar;  // "Visualizar": the labels the next click would print
    QPushButton* cmdresumo;      // "Reimprimir Resumo": an order's summary label again

    void Command1_Click();
    void txtproducao_Enter();
    void Cmdimprimir_Click();
    void cmdcalibracao_Click();
    void cmdvisualizar_Click();
    void cmdresumo_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void choosePrinter();
    void showPrinterState();
    ProductionSettings settings() const;
    void showDisplay();

    ProgramState& m_state;
    Operator& m_op;
    std::function<QString()> m_user;
    ProductionDisplay m_display;
};
