#include "app/frmzepa.h"

#include "session/Guarded.h"
#include "session/ProgramState.h"
#include "intake/TextImport.h"
#include "packing/PackingList.h"
#include "maintenance/frmcadastros.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace {
QAction* item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}
QAction* separator(QMenu* menu, const char* name)
{
    QAction* a = menu->addSeparator();
    a->setObjectName(QLatin1String(name));
    return a;
}
} // namespace

frmzepa::frmzepa(ProgramState& state, Operator& op, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_op(op)
{
    setObjectName(QStringLiteral("frmzepa"));
    setWindowTitle(QStringLiteral("Programa de Impresão VORLA V.s. 1.0"));

    auto* central = new QWidget(this);
    lblusuario = new QLabel(central);
    lblusuario->setObjectName(QStringLiteral("lblusuario"));
    auto* banner = new QLabel(QStringLiteral("VORLA"), central);
    QFont big = banner->font();
    big.setPointSize(big.pointSize() * 3);
    big.setBold(true);
    banner->setFont(big);
    banner->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(banner, 1);
    layout->addWidget(lblusuario);
    setCentralWidget(central);
    resize(800, 560);

    mnu_prog = menuBar()->addMenu(QStringLiteral("Sistema"));
    mnu_prog->setObjectName(QStringLiteral("mnu_prog"));
    MNU_VORLA = mnu_prog->addMenu(QStringLiteral("Vorla"));
    MNU_VORLA->setObjectName(QStringLiteral("MNU_VORLA"));
    MNU_VORLA1 = item(MNU_VORLA, "MNU_VORLA1", QStringLiteral("Carregar Arquivo via Banco PACK"));
    mnu_carvorla = item(MNU_VORLA, "mnu_carvorla", QStringLiteral("Carregar Arquivo via Banco "));
    mnu_txt = item(MNU_VORLA, "mnu_txt", QStringLiteral("Carregar Arquivo via TXT"));
    mnu_imvorlar = item(MNU_VORLA, "mnu_imvorlar", QStringLiteral("Imprimir Arquivo Texto para Romaneio"));
    mnu_traco2 = separator(MNU_VORLA, "mnu_traco2");
    mnu_imprimir = item(MNU_VORLA, "mnu_imprimir", QStringLiteral("1-Etiqueta Adesiva de Preço 54x26mm"));
    mnu_c5023 = item(MNU_VORLA, "mnu_c5023", QStringLiteral("2-Etiqueta Tag de Preço 53x60mm"));
    mnu_ny5023 = item(MNU_VORLA, "mnu_ny5023", QStringLiteral("3-Etiqueta de Costura 50x16mm"));
    mnu_vorlanova = item(MNU_VORLA, "mnu_vorlanova", QStringLiteral("4-Etiqueta Adesiva de Costura 50x23mm"));
    Mnu_avl5522 = item(MNU_VORLA, "Mnu_avl5522", QStringLiteral("5/6-Etiqueta Adesiva Basket/Importado  32x25mm"));
    mnu_vorlPol = item(MNU_VORLA, "mnu_vorlPol", QStringLiteral("7-Etiqueta Adesiva para Pack "));
    mnu_tracoc = separator(MNU_VORLA, "mnu_tracoc");
    mnu_avl55x25 = item(MNU_VORLA, "mnu_avl55x25", QStringLiteral("Imprimir Etiqueta Avulsa"));
    mnu_dolmsair = item(mnu_prog, "mnu_dolmsair", QStringLiteral("Sair"));

    connect(mnu_dolmsair, &QAction::triggered, this, &QWidget::close);
    connect(mnu_txt, &QAction::triggered, this, &frmzepa::mnu_txt_Click);
    connect(mnu_imvorlar, &QAction::triggered, this, &frmzepa::mnu_imvorlar_Click);

    // Items whose work this workstation cannot do yet are shown greyed out, so a click
    // never silently does nothing. An item leaves this list when it is connected.
    for (QAction* item : {MNU_VORLA1, mnu_carvorla, mnu_imprimir, mnu_c5023, mnu_ny5023, mnu_vorlanova, Mnu_avl5522,
                          mnu_vorlPol, mnu_avl55x25})
        item->setEnabled(false);

    // The master-data windows have no menu item: Ctrl+Shift+C opens their chooser.
    auto* cadastros = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+C")), this);
    cadastros->setObjectName(QStringLiteral("shortcutCadastros"));
    connect(cadastros, &QShortcut::activated, this, [this] { frmcadastros::choose(m_state, m_op, this); });

    runGuarded(m_op, [&] { m_state.AbreConexaoCadastro(); });
}

void frmzepa::mnu_txt_Click()
{
    const bool opened = runGuarded(m_op, [&] {
        m_state.TipoCarga = 1;
        m_state.AbreConexaoPedidos();
    });
    if (opened) MENUCARREGAVORLA1();
}

void frmzepa::MENUCARREGAVORLA1()
{
    runGuarded(m_op, [&] { importTextFilesUntilDone(m_state, m_op, lblusuario->text()); });
}

void frmzepa::mnu_imvorlar_Click()
{
    runGuarded(m_op, [&] { printPackingListFromMenu(m_state, m_op); });
}

void frmzepa::closeEvent(QCloseEvent* event)
{
    // Every change is already stored: closing the main window ends the program at once.
    event->accept();
    QCoreApplication::quit();
}
