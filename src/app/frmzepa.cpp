#include "app/frmzepa.h"

#include "session/Guarded.h"
#include "session/ProgramState.h"
#include "intake/CustomerImport.h"
#include "intake/TextImport.h"
#include "labels/LabelTypes.h"
#include "packing/PackingList.h"
#include "adhoc/frmnovoavulso.h"
#include "production/MenuSettings.h"
#include "production/frmimpressao.h"
#include "maintenance/frmcadastros.h"
#include "tracing/frmhistorico.h"

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
    connect(MNU_VORLA1, &QAction::triggered, this, &frmzepa::MNU_VORLA1_Click);
    connect(mnu_carvorla, &QAction::triggered, this, &frmzepa::mnu_carvorla_Click);
    connect(mnu_txt, &QAction::triggered, this, &frmzepa::mnu_txt_Click);
    connect(mnu_imvorlar, &QAction::triggered, this, &frmzepa::mnu_imvorlar_Click);

    const QList<std::pair<QAction*, QString>> labelTypes{
        {mnu_imprimir, labeltype::Preco5426}, {mnu_c5023, labeltype::Tag5360},
        {mnu_ny5023, labeltype::Costura5016}, {mnu_vorlanova, labeltype::Costura5023},
        {Mnu_avl5522, labeltype::Basket3225}, {mnu_vorlPol, labeltype::Pack}};
    for (const auto& [action, caption] : labelTypes)
        connect(action, &QAction::triggered, this, [this, caption = caption] { openProductionWindow(caption); });

    connect(mnu_avl55x25, &QAction::triggered, this, &frmzepa::mnu_avl55x25_Click);

    // The master-data windows have no menu item: Ctrl+Shift+C opens their chooser.
    auto* cadastros = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+C")), this);
    cadastros->setObjectName(QStringLiteral("shortcutCadastros"));
    connect(cadastros, &QShortcut::activated, this, [this] { frmcadastros::choose(m_state, m_op, this); });
    // Nor has the print history: Ctrl+Shift+H opens it.
    auto* historico = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+H")), this);
    historico->setObjectName(QStringLiteral("shortcutHistorico"));
    connect(historico, &QShortcut::activated, this, &frmzepa::openHistoryWindow);

    runGuarded(m_op, [&] { m_state.AbreConexaoCadastro(); });
}

void frmzepa::MNU_VORLA1_Click()
{
    m_state.TipoCarga = 1;
    runGuarded(m_op, [&] { CARREGABANCO(m_state, m_op, lblusuario->text()); });
}

void frmzepa::mnu_carvorla_Click()
{
    m_state.TipoCarga = 2;
    runGuarded(m_op, [&] { CARREGABANCO(m_state, m_op, lblusuario->text()); });
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

frmimpressao* frmzepa::productionWindow()
{
    if (!m_producao) m_producao = new frmimpressao(m_state, m_op, [this] { return lblusuario->text(); }, this);
    return m_producao;
}

void frmzepa::openProductionWindow(const QString& caption)
{
    const MenuSettings* settings = menuSettings(caption);
    if (!settings) return;
    frmimpressao* window = productionWindow();
    window->applyMenuSettings(*settings);
    window->exec();
    // Closing the window unloads it: the next opening loads it anew.
    delete m_producao;
    m_producao = nullptr;
}

void frmzepa::mnu_avl55x25_Click()
{
    frmnovoavulso window(m_state, m_op, [this] { return lblusuario->text(); }, [this] { return productionWindow(); },
                         this);
    window.setWindowTitle(QStringLiteral("VORLA"));
    window.exec();
}

void frmzepa::openHistoryWindow()
{
    frmhistorico window(m_state, m_op, [this] { return lblusuario->text(); }, this);
    window.exec();
}

void frmzepa::closeEvent(QCloseEvent* event)
{
    // Every change is already stored: closing the main window ends the program at once.
    event->accept();
    QCoreApplication::quit();
}
