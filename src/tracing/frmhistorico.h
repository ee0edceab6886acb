#pragma once

#include "history/PrintHistory.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;
class QTimer;
class Operator;
struct ProgramState;

// "Histórico": the label jobs this floor printed, found by barcode, order, production
// number, user or period, newest first, with the picture of the one selected and
// "Reimprimir" to send it again exactly; and, on its second tab, how far a production
// number is, per label type, refreshed every few seconds while the window is open.
class frmhistorico : public QDialog {
    Q_OBJECT
  public:
    // `user` gives the logged-in user's name as the main window shows it.
    frmhistorico(ProgramState& state, Operator& op, std::function<QString()> user, QWidget* parent = nullptr);

    // How often the progress tab reads the store again while it is shown.
    static constexpr int RefreshMs = 5000;

    QTabWidget* tabhistorico;
    // Trabalhos
    QLineEdit* txtcodigobarras;
    QLineEdit* txtpedido;
    QLineEdit* txtproducao;
    QLineEdit* txtusuario;
    QCheckBox* chkperiodo; // the period counts only when ticked
    QDateEdit* dtpinicio;
    QDateEdit* dtpfim;
    QPushButton* cmdpesquisar;
    QTableWidget* grdhistorico;
    QLabel* lblfigura;   // the picture of the selected job's first label
    QLabel* lblformatos; // how many labels the job draws, or why there is no picture
    QLabel* lblimpsel;   // the printer a reprint goes to, and its state
    QLabel* lblestado;
    QPushButton* cmdvisualizar;
    QPushButton* cmdreimprimir;
    // Andamento
    QLineEdit* txtandamento;
    QLabel* lblatualizado;
    QTableWidget* grdandamento;
    QTableWidget* grdretidas;
    QTimer* tmratualizar;

    void cmdpesquisar_Click();
    void showSelectedJob();
    void cmdvisualizar_Click();
    void cmdreimprimir_Click();
    // Reads the progress of the production number in txtandamento again.
    void refreshProgress();

  private:
    QWidget* jobsTab();
    QWidget* progressTab();
    void showPrinter();
    std::optional<history::JobRecord> selectedJob();

    ProgramState& m_state;
    Operator& m_op;
    std::function<QString()> m_user;
    QList<history::JobRecord> m_jobs; // the jobs listed, in the grid's order
    QByteArray m_shownBytes; // the selected job's bytes, for "Visualizar"
};
