#include "production/frmimpressao.h"

#include "printing/ImprimeDireto.h"
#include "printing/PrinterStatus.h"
#include "labels/Darkness.h"
#include "production/MenuSettings.h"
#include "session/Guarded.h"
#include "session/Operator.h"
#include "session/ProgramState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* caption(const char* name, const QString& text)
{
    return named(new QLabel(text), name);
}

QComboBox* combo(const char* name)
{
    auto* box = named(new QComboBox, name);
    box->setEditable(true);  // the menu and the load write texts into them
    return box;
}

// The six value labels of a line ("Pedido:" ... "PREÇO:") in a frame.
QGroupBox* lineFrame(const char* name, const QString& title, const QList<std::pair<QLabel*, QLabel*>>& rows)
{
    auto* frame = named(new QGroupBox(title), name);
    auto* form = new QFormLayout(frame);
    for (const auto& [label, value] : rows) {
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(label, value);
    }
    return frame;
}
} // namespace

frmimpressao::frmimpressao(ProgramState& state, Operator& op, std::function<QString()> user, QWidget* parent)
    : QDialog(parent), m_state(state), m_op(op), m_user(std::move(user))
{
    setObjectName(QStringLiteral("frmimpressao"));

    Frame1 = named(new QGroupBox(QStringLiteral("Digite o número de Produção")), "Frame1");
    txtproducao = named(new QLineEdit, "txtproducao");
    (new QVBoxLayout(Frame1))->addWidget(txtproducao);

    Label2 = caption("Label2", QStringLiteral("Número de Produção"));
    lblprod = caption("lblprod", QString());
    Label4 = caption("Label4", QStringLiteral("Fornecedor"));
    LBLFORN = caption("LBLFORN", QString());
    QFont big = lblprod->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    lblprod->setFont(big);

    Label1 = caption("Label1", QStringLiteral("Pedido:"));
    LBLPEDIDO = caption("LBLPEDIDO", QString());
    Label3 = caption("Label3", QStringLiteral("Descrição:"));
    LBLDESCRICAO = caption("LBLDESCRICAO", QString());
    Label5 = caption("Label5", QStringLiteral("Tamanho:"));
    LBLTAM = caption("LBLTAM", QString());
    Label6 = caption("Label6", QStringLiteral("Cod. Barras:"));
    LBLCODIGOBARRAS = caption("LBLCODIGOBARRAS", QString());
    Label7 = caption("Label7", QStringLiteral("QTD:"));
    LBLQTD = caption("LBLQTD", QString());
    Label8 = caption("Label8", QStringLiteral("PREÇO:"));
    LBLPRECO = caption("LBLPRECO", QString());
    Frame2 = lineFrame("Frame2", QStringLiteral("Imprimindo"),
                       {{Label1, LBLPEDIDO}, {Label3, LBLDESCRICAO}, {Label5, LBLTAM}, {Label6, LBLCODIGOBARRAS},
                        {Label7, LBLQTD}, {Label8, LBLPRECO}});
    TXTPORCENTAGEM = named(new QLineEdit, "TXTPORCENTAGEM");
    TXTPORCENTAGEM->setMaximumWidth(60);
    Label9 = caption("Label9", QStringLiteral("%"));
    auto* percentRow = new QHBoxLayout;
    percentRow->addWidget(TXTPORCENTAGEM);
    percentRow->addWidget(Label9);
    percentRow->addStretch();
    static_cast<QFormLayout*>(Frame2->layout())->addRow(percentRow);

    Label18 = caption("Label18", QStringLiteral("Pedido:"));
    lblpedido1 = caption("lblpedido1", QString());
    Label16 = caption("Label16", QStringLiteral("Descrição:"));
    lbldescricao1 = caption("lbldescricao1", QString());
    Label14 = caption("Label14", QStringLiteral("Tamanho:"));
    lbltamanho1 = caption("lbltamanho1", QString());
    Label13 = caption("Label13", QStringLiteral("Cod. Barras:"));
    lblcodigobarras1 = caption("lblcodigobarras1", QString());
    Label12 = caption("Label12", QStringLiteral("QTD:"));
    lblqtd1 = caption("lblqtd1", QString());
    Label11 = caption("Label11", QStringLiteral("PREÇO:"));
    lblpreco1 = caption("lblpreco1", QString());
    Frame3 = lineFrame("Frame3", QStringLiteral("Proximo"),
                       {{Label18, lblpedido1}, {Label16, lbldescricao1}, {Label14, lbltamanho1},
                        {Label13, lblcodigobarras1}, {Label12, lblqtd1}, {Label11, lblpreco1}});

    LBLVISOR = caption("LBLVISOR", QStringLiteral("ATENÇÃO PROXIMO PEDIDO"));
    LBLVISOR->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    lblrestantes = caption("lblrestantes", QString());

    Label19 = caption("Label19", QStringLiteral("Velocidade:"));
    cbovelocidade = combo("cbovelocidade");
    Label15 = caption("Label15", QStringLiteral("Temperatura:"));
    cbotemp = combo("cbotemp");
    Label10 = caption("Label10", QStringLiteral("Coluna:"));
    cbocoluna = combo("cbocoluna");
    Label17 = caption("Label17", QStringLiteral("Altura"));
    cbolargura = combo("cbolargura");
    Check1 = named(new QCheckBox, "Check1");
    Check2 = named(new QCheckBox, "Check2");

    Label20 = caption("Label20", QStringLiteral("Impressora Selecionada:"));
    lblimpsel = caption("lblimpsel", QString());
    lblestado = caption("lblestado", QString());
    Command1 = named(new QPushButton(QStringLiteral("Trocar Impressora")), "Command1");
    Cmdimprimir = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("Imprimir")),
                        "Cmdimprimir");
    Cmdimprimir->setMinimumHeight(48);
    cmdcalibracao = named(new QPushButton(QStringLiteral("Calibragem de Impressão")), "cmdcalibracao");
    cmdvisualizar = named(new QPushButton(QStringLiteral("Visualizar")), "cmdvisualizar");
    cmdresumo = named(new QPushButton(QStringLiteral("Reimprimir Resumo")), "cmdresumo");
    // Enter belongs to the production number and the barcode reader, never to a button.
    for (QPushButton* button : {Command1, Cmdimprimir, cmdcalibracao, cmdvisualizar, cmdresumo}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto* header = new QGridLayout;
    header->addWidget(Frame1, 0, 0, 2, 1);
    header->addWidget(Label2, 0, 1);
    header->addWidget(lblprod, 0, 2);
    header->addWidget(Label4, 1, 1);
    header->addWidget(LBLFORN, 1, 2);
    // The entry keeps its width whatever the captions beside it show.
    header->setColumnStretch(0, 1);
    lblprod->setMinimumWidth(QFontMetrics(big).horizontalAdvance(QStringLiteral("00000000000")));
    LBLFORN->setMinimumWidth(lblprod->minimumWidth());

    auto* settingsBox = new QGridLayout;
    settingsBox->addWidget(Label19, 0, 0);
    settingsBox->addWidget(cbovelocidade, 0, 1);
    settingsBox->addWidget(Label15, 0, 2);
    settingsBox->addWidget(cbotemp, 0, 3);
    settingsBox->addWidget(Label10, 1, 0);
    settingsBox->addWidget(cbocoluna, 1, 1);
    settingsBox->addWidget(Label17, 1, 2);
    settingsBox->addWidget(cbolargura, 1, 3);
    settingsBox->addWidget(Check1, 2, 0, 1, 2);
    settingsBox->addWidget(Check2, 2, 2, 1, 2);

    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(Label20);
    printerRow->addWidget(lblimpsel, 1);
    printerRow->addWidget(lblestado);
    printerRow->addWidget(Command1);

    auto* actions = new QHBoxLayout;
    actions->addWidget(cmdcalibracao);
    actions->addWidget(cmdresumo);
    actions->addStretch();
    actions->addWidget(cmdvisualizar);
    actions->addWidget(Cmdimprimir);

    auto* warning = new QHBoxLayout;
    warning->addWidget(LBLVISOR);
    warning->addStretch();
    warning->addWidget(lblrestantes);

    auto* lines = new QHBoxLayout;
    lines->addWidget(Frame2, 1);
    lines->addWidget(Frame3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addLayout(lines);
    layout->addLayout(warning);
    layout->addLayout(settingsBox);
    layout->addLayout(printerRow);
    layout->addLayout(actions);
    resize(860, 520);

    LBLVISOR->setVisible(false);
    Check1->setVisible(false);
    Check2->setVisible(false);

    connect(txtproducao, &QLineEdit::returnPressed, this, &frmimpressao::txtproducao_Enter);
    connect(Command1, &QPushButton::clicked, this, &frmimpressao::Command1_Click);
    connect(Cmdimprimir, &QPushButton::clicked, this, &frmimpressao::Cmdimprimir_Click);
    connect(cmdcalibracao, &QPushButton::clicked, this, &frmimpressao::cmdcalibracao_Click);
    connect(cmdvisualizar, &QPushButton::clicked, this, &frmimpressao::cmdvisualizar_Click);
    connect(cmdresumo, &QPushButton::clicked, this, &frmimpressao::cmdresumo_Click);

    Form_Load();
}

void frmimpressao::Form_Load()
{
    choosePrinter();
    runGuarded(m_op, [&] { m_state.AbreConexaoPedidos(); });
    cbotemp->addItems(comboNumbers(darkness::First, darkness::Last));
    cbocoluna->addItems(comboNumbers(-50, 50));
    cbolargura->addItems(comboNumbers(-100, 50));
    cbovelocidade->addItems(comboNumbers(-10, 25));
    cbocoluna->setCurrentText(QStringLiteral("00"));
    cbolargura->setCurrentText(QStringLiteral("00"));
    cbotemp->setCurrentText(QString());
    cbovelocidade->setCurrentText(QString());
    TXTPORCENTAGEM->setText(QStringLiteral("10"));
    m_display.TotalPedido = QStringLiteral("0");
}

void frmimpressao::choosePrinter()
{
    // The printer picked becomes the workstation's current one; cancelling keeps it.
    const QStringList offered = printers::available(m_state.impressoraAtual, printers::remembered(m_state.home));
    if (const auto chosen = m_op.choosePrinter(offered, m_state.impressoraAtual)) {
        m_state.impressoraAtual = *chosen;
        // A printer that cannot be remembered is still the one chosen: nothing to tell.
        printers::remember(m_state.home, *chosen);
    }
    m_state.ImpressoraSelecionada = m_state.impressoraAtual;
    lblimpsel->setText(m_state.ImpressoraSelecionada);
    showPrinterState();
}

void frmimpressao::showPrinterState()
{
    // Seen before the click: a printer out of labels, open or paused shows here.
    const PrinterStatus status = queryPrinterStatus(m_state.ImpressoraSelecionada);
    lblestado->setText(printerStatusMark(status));
    lblestado->setToolTip(printerStatusText(status));
}

void frmimpressao::applyMenuSettings(const MenuSettings& settings)
{
    setWindowTitle(settings.caption);
    cbovelocidade->setCurrentText(settings.cbovelocidade);
    cbotemp->setCurrentText(settings.cbotemp);
    if (!settings.check1.isEmpty()) {
        Check1->setVisible(true);
        Check2->setVisible(true);
        Check1->setText(settings.check1);
        Check2->setText(settings.check2);
    }
    if (!settings.cbocoluna.isEmpty()) cbocoluna->setCurrentText(settings.cbocoluna);
    if (!settings.cbolargura.isEmpty()) cbolargura->setCurrentText(settings.cbolargura);
}

QString frmimpressao::percentage() const
{
    return TXTPORCENTAGEM->text();
}

LabelSettings::OptionBoxes frmimpressao::optionBoxes() const
{
    return {Check1->isChecked(), Check2->isChecked()};
}

QString frmimpressao::coluna() const
{
    return cbocoluna->currentText();
}

QString frmimpressao::largura() const
{
    return cbolargura->currentText();
}

ProductionSettings frmimpressao::settings() const
{
    ProductionSettings s;
    s.cbotemp = cbotemp->currentText();
    s.cbovelocidade = cbovelocidade->currentText();
    s.cbocoluna = coluna();
    s.cbolargura = largura();
    s.optionBoxesVisible = !Check1->isHidden();
    // This window is the active one while it is shown; the ad-hoc window is closed then,
    // so its option boxes and label type are those it opens with: none.
    s.labels.producaoVisivel = isVisible();
    s.labels.cbocoluna = s.cbocoluna;
    s.labels.cbolargura = s.cbolargura;
    s.labels.producao = optionBoxes();
    s.labels.TXTPORCENTAGEM = percentage();
    s.labels.producaoCaption = windowTitle();
    return s;
}

void frmimpressao::showDisplay()
{
    const ProductionDisplay& d = m_display;
    const QList<std::pair<QLabel*, QString>> captions{
        {lblprod, d.lblprod},         {LBLFORN, d.LBLFORN},
        {LBLPEDIDO, d.LBLPEDIDO},     {LBLDESCRICAO, d.LBLDESCRICAO},
        {LBLTAM, d.LBLTAM},           {LBLCODIGOBARRAS, d.LBLCODIGOBARRAS},
        {LBLQTD, d.LBLQTD},           {LBLPRECO, d.LBLPRECO},
        {lblpedido1, d.lblpedido1},   {lbldescricao1, d.lbldescricao1},
        {lbltamanho1, d.lbltamanho1}, {lblcodigobarras1, d.lblcodigobarras1},
        {lblqtd1, d.lblqtd1},         {lblpreco1, d.lblpreco1}};
    for (const auto& [label, text] : captions)
        label->setText(text);
    LBLVISOR->setVisible(d.LBLVISOR);
    lblrestantes->setText(d.linesTotal > 0 ? QStringLiteral("Faltam %1 de %2").arg(d.linesLeft).arg(d.linesTotal)
                                           : QString());
}

void frmimpressao::keyPressEvent(QKeyEvent* event)
{
    // Esc belongs to the read-back window: one pressed a moment too often after giving
    // a read-back up must not close the production run.
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void frmimpressao::Command1_Click()
{
    choosePrinter();
}

void frmimpressao::txtproducao_Enter()
{
    const ProductionType* type = productionType(windowTitle());
    const QString typed = txtproducao->text();
    txtproducao->clear();
    bool found = false;
    if (type) {
        ProductionRun run(m_state, m_op, *type, m_user());
        runGuarded(m_op, [&] { found = run.enterProductionNumber(typed, m_display, settings()); });
    }
    showDisplay();
    if (!found) txtproducao->setFocus();
}

void frmimpressao::Cmdimprimir_Click()
{
    const ProductionType* type = productionType(windowTitle());
    if (!type || !Cmdimprimir->isEnabled()) return;
    // One line at a time: a second click while a line is being printed does nothing.
    Cmdimprimir->setEnabled(false);
    ProductionRun run(m_state, m_op, *type, m_user());
    runGuarded(m_op, [&] { run.Cmdimprimir(m_display, settings(), m_user()); });
    showDisplay();
    showPrinterState();
    Cmdimprimir->setEnabled(true);
}

void frmimpressao::cmdcalibracao_Click()
{
    const ProductionType* type = productionType(windowTitle());
    if (!type) return;
    ProductionRun run(m_state, m_op, *type, m_user());
    runGuarded(m_op, [&] { run.cmdcalibracao(m_display, settings()); });
    showPrinterState();
}

void frmimpressao::cmdvisualizar_Click()
{
    const ProductionType* type = productionType(windowTitle());
    if (!type) return;
    ProductionRun run(m_state, m_op, *type, m_user());
    QList<QByteArray> jobs;
    runGuarded(m_op, [&] { jobs = run.previewJobs(m_display, settings()); });
    if (!jobs.isEmpty()) m_op.showLabels(jobs);
}

void frmimpressao::cmdresumo_Click()
{
    const ProductionType* type = productionType(windowTitle());
    if (!type) return;
    const QString production = m_display.lblprod.isEmpty() ? m_display.lastProduction : m_display.lblprod;
    if (production.isEmpty()) {
        m_op.message(QStringLiteral("Digite o número de produção antes de reimprimir o resumo de um pedido."),
                     QStringLiteral("VORLA"), Operator::Icon::Information);
        return;
    }
    const std::optional<QString> pedido =
        m_op.inputBox(QStringLiteral("Pedido do número de produção %1 cujo resumo será impresso de novo:").arg(production),
                      QStringLiteral("VORLA"), m_display.lastClosedOrder);
    if (!pedido || pedido->trimmed().isEmpty()) return;
    ProductionRun run(m_state, m_op, *type, m_user());
    runGuarded(m_op, [&] { run.reprintSummary(production, pedido->trimmed(), settings()); });
    showPrinterState();
}
