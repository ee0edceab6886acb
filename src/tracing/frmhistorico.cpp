#include "tracing/frmhistorico.h"

#include "data/DataError.h"
#include "printing/PrinterStatus.h"
#include "render/ZplRenderer.h"
#include "session/Guarded.h"
#include "session/ProgramState.h"
#include "session/Regional.h"
#include "tracing/HistoryView.h"
#include "tracing/Reprint.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* button(const QString& caption, const char* name) {
    // Enter (typed, or sent by a barcode reader after a code) searches; it never prints.
    auto* b = named(new QPushButton(caption), name);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QTableWidget* grid(const QStringList& header, const char* name) {
    auto* g = named(new QTableWidget(0, int(header.size())), name);
    g->setHorizontalHeaderLabels(header);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->setVisible(false);
    g->horizontalHeader()->setStretchLastSection(true);
    return g;
}

void fill(QTableWidget* g, int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c)
        g->setItem(row, c, new QTableWidgetItem(cells[c]));
}
} // namespace

frmhistorico::frmhistorico(ProgramState& state, Operator& op, std::function<QString()> user, QWidget* parent)
    : QDialog(parent), m_state(state), m_op(op), m_user(std::move(user)) {
    setObjectName(QStringLiteral("frmhistorico"));
    setWindowTitle(QStringLiteral("Histórico"));
    tabhistorico = named(new QTabWidget(this), "tabhistorico");
    tabhistorico->addTab(jobsTab(), QStringLiteral("Trabalhos"));
    tabhistorico->addTab(progressTab(), QStringLiteral("Andamento"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabhistorico);
    resize(1100, 640);

    tmratualizar = named(new QTimer(this), "tmratualizar");
    tmratualizar->setInterval(RefreshMs);
    connect(tmratualizar, &QTimer::timeout, this, [this] {
        if (tabhistorico->currentIndex() == 1) refreshProgress();
    });
    tmratualizar->start();

    runGuarded(m_op, [&] {
        if (!m_state.ConexaoPedidos.isOpen()) m_state.AbreConexaoPedidos();
    });
    showPrinter();
}

QWidget* frmhistorico::jobsTab() {
    auto* tab = named(new QWidget, "tabtrabalhos");
    txtcodigobarras = named(new QLineEdit, "txtcodigobarras");
    txtpedido = named(new QLineEdit, "txtpedido");
    txtproducao = named(new QLineEdit, "txtproducao");
    txtusuario = named(new QLineEdit, "txtusuario");
    chkperiodo = named(new QCheckBox(QStringLiteral("Período de")), "chkperiodo");
    dtpinicio = named(new QDateEdit(regional::now().date()), "dtpinicio");
    dtpfim = named(new QDateEdit(regional::now().date()), "dtpfim");
    for (QDateEdit* d : {dtpinicio, dtpfim}) {
        d->setCalendarPopup(true);  // before the format: the width then counts the popup's arrow
        d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        d->setEnabled(false);
        connect(chkperiodo, &QCheckBox::toggled, d, &QWidget::setEnabled);
    }
    cmdpesquisar = button(QStringLiteral("Pesquisar"), "cmdpesquisar");

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Código de barras:")), 0, 0);
    fields->addWidget(txtcodigobarras, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Pedido:")), 0, 2);
    fields->addWidget(txtpedido, 0, 3);
    fields->addWidget(new QLabel(QStringLiteral("Produção:")), 0, 4);
    fields->addWidget(txtproducao, 0, 5);
    fields->addWidget(new QLabel(QStringLiteral("Usuário:")), 1, 0);
    fields->addWidget(txtusuario, 1, 1);
    auto* period = new QHBoxLayout;
    period->addWidget(chkperiodo);
    period->addWidget(dtpinicio);
    period->addWidget(new QLabel(QStringLiteral("até")));
    period->addWidget(dtpfim);
    period->addStretch();
    fields->addLayout(period, 1, 2, 1, 3);
    fields->addWidget(cmdpesquisar, 1, 5);

    grdhistorico = grid(tracing::jobHeader(), "grdhistorico");
    lblfigura = named(new QLabel, "lblfigura");
    lblfigura->setAlignment(Qt::AlignCenter);
    auto* scroll = new QScrollArea;
    scroll->setBackgroundRole(QPalette::Dark); // the label's white edge shows on grey
    scroll->setWidget(lblfigura);
    scroll->setWidgetResizable(true);
    lblformatos = named(new QLabel, "lblformatos");
    lblformatos->setWordWrap(true);
    auto* pictureBox = new QWidget;
    auto* pictureLayout = new QVBoxLayout(pictureBox);
    pictureLayout->setContentsMargins(0, 0, 0, 0);
    pictureLayout->addWidget(scroll, 1);
    pictureLayout->addWidget(lblformatos);
    auto* split = new QSplitter;
    split->addWidget(grdhistorico);
    split->addWidget(pictureBox);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    lblimpsel = named(new QLabel, "lblimpsel");
    lblestado = named(new QLabel, "lblestado");
    cmdvisualizar = button(QStringLiteral("Visualizar"), "cmdvisualizar");
    cmdreimprimir = button(QStringLiteral("Reimprimir"), "cmdreimprimir");
    cmdvisualizar->setEnabled(false);
    cmdreimprimir->setEnabled(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Impressora Selecionada:")));
    bottom->addWidget(lblimpsel);
    bottom->addWidget(lblestado);
    bottom->addStretch();
    bottom->addWidget(cmdvisualizar);
    bottom->addWidget(cmdreimprimir);

    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(fields);
    layout->addWidget(split, 1);
    layout->addLayout(bottom);

    for (QLineEdit* field : {txtcodigobarras, txtpedido, txtproducao, txtusuario})
        connect(field, &QLineEdit::returnPressed, this, &frmhistorico::cmdpesquisar_Click);
    connect(cmdpesquisar, &QPushButton::clicked, this, &frmhistorico::cmdpesquisar_Click);
    connect(grdhistorico, &QTableWidget::itemSelectionChanged, this, &frmhistorico::showSelectedJob);
    connect(cmdvisualizar, &QPushButton::clicked, this, &frmhistorico::cmdvisualizar_Click);
    connect(cmdreimprimir, &QPushButton::clicked, this, &frmhistorico::cmdreimprimir_Click);
    return tab;
}

QWidget* frmhistorico::progressTab() {
    auto* tab = named(new QWidget, "tabandamento");
    txtandamento = named(new QLineEdit, "txtandamento");
    lblatualizado = named(new QLabel, "lblatualizado");
    grdandamento = grid(tracing::progressHeader(), "grdandamento");
    grdretidas = grid(tracing::heldHeader(), "grdretidas");

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Número de produção:")));
    top->addWidget(txtandamento);
    top->addWidget(lblatualizado, 1);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(top);
    layout->addWidget(grdandamento, 2);
    layout->addWidget(new QLabel(QStringLiteral("Linhas em impressão (A):")));
    layout->addWidget(grdretidas, 1);

    connect(txtandamento, &QLineEdit::returnPressed, this, &frmhistorico::refreshProgress);
    return tab;
}

void frmhistorico::showPrinter() {
    const QString printer = tracing::reprintPrinter(m_state);
    const PrinterStatus status = queryPrinterStatus(printer);
    lblimpsel->setText(printer);
    lblestado->setText(printerStatusMark(status));
    lblestado->setToolTip(printerStatusText(status));
}

void frmhistorico::cmdpesquisar_Click() {
    const history::Filter filter =
        tracing::searchFilter(txtcodigobarras->text(), txtpedido->text(), txtproducao->text(),
                              txtusuario->text(), chkperiodo->isChecked() ? dtpinicio->date() : QDate(),
                              chkperiodo->isChecked() ? dtpfim->date() : QDate());
    QList<history::JobRecord> found;
    runGuarded(m_op, [&] { found = history::PrintHistory(m_state.ConexaoPedidos).find(filter); });
    m_jobs = found;
    grdhistorico->clearSelection();
    grdhistorico->setRowCount(int(m_jobs.size()));
    for (int r = 0; r < m_jobs.size(); ++r)
        fill(grdhistorico, r, tracing::jobCells(m_jobs[r]));
    grdhistorico->resizeColumnsToContents();
    if (!m_jobs.isEmpty())
        grdhistorico->selectRow(0);
    else
        showSelectedJob();
}

std::optional<history::JobRecord> frmhistorico::selectedJob() {
    const QList<QTableWidgetItem*> selected = grdhistorico->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    const int row = selected.first()->row();
    if (row < 0 || row >= m_jobs.size()) return std::nullopt;
    return m_jobs[row];
}

void frmhistorico::showSelectedJob() {
    m_shownBytes.clear();
    lblfigura->clear();
    lblformatos->clear();
    const std::optional<history::JobRecord> listed = selectedJob();
    cmdreimprimir->setEnabled(listed.has_value());
    cmdvisualizar->setEnabled(false);
    if (!listed) return;
    std::optional<history::JobRecord> job;
    if (!runGuarded(m_op, [&] { job = history::PrintHistory(m_state.ConexaoPedidos).job(listed->id); }))
        return;
    if (!job || !job->hasBytes || job->bytes.isEmpty()) {
        lblformatos->setText(
            QStringLiteral("O histórico não guarda mais as etiquetas deste trabalho (elas ficam "
                           "guardadas %1 dias).")
                .arg(history::PrintHistory::bytesDays()));
        return;
    }
    m_shownBytes = job->bytes;
    const render::RenderResult pictures = render::renderJob(job->bytes);
    if (pictures.labels.isEmpty()) {
        lblformatos->setText(pictures.ok() ? QStringLiteral("Este trabalho não desenha nenhuma etiqueta.")
                                           : QStringLiteral("Erro no trabalho: ") + pictures.error);
        return;
    }
    cmdvisualizar->setEnabled(true);
    lblfigura->setPixmap(QPixmap::fromImage(pictures.labels.first().picture));
    const int count = int(pictures.labels.size());
    lblformatos->setText(count == 1
                             ? QStringLiteral("Etiqueta 1 de 1")
                             : QStringLiteral("Etiqueta 1 de %1: \"Visualizar\" mostra todas").arg(count));
}

void frmhistorico::cmdvisualizar_Click() {
    if (!m_shownBytes.isEmpty()) m_op.showLabels({m_shownBytes});
}

void frmhistorico::cmdreimprimir_Click() {
    const std::optional<history::JobRecord> job = selectedJob();
    if (!job) return;
    cmdreimprimir->setEnabled(false);
    std::optional<qint64> again;
    runGuarded(m_op, [&] { again = tracing::reprint(m_state, m_op, job->id, m_user()); });
    showPrinter();
    // The reprint is the newest job of the same search: it shows first.
    if (again)
        cmdpesquisar_Click();
    else
        cmdreimprimir->setEnabled(true);
}

void frmhistorico::refreshProgress() {
    QList<history::TypeProgress> progress;
    try {
        progress = tracing::floorProgress(m_state.ConexaoPedidos, txtandamento->text());
    } catch (const DataError& e) {
        // Read every few seconds: a message box each time would bury the window.
        lblatualizado->setStyleSheet(QStringLiteral("color: #c00000"));
        lblatualizado->setText(e.text());
        return;
    }
    grdandamento->setRowCount(int(progress.size()));
    for (int r = 0; r < progress.size(); ++r)
        fill(grdandamento, r, tracing::progressCells(progress[r]));
    const QList<QStringList> held = tracing::heldRows(progress);
    grdretidas->setRowCount(int(held.size()));
    for (int r = 0; r < held.size(); ++r)
        fill(grdretidas, r, held[r]);
    grdandamento->resizeColumnsToContents();
    grdretidas->resizeColumnsToContents();
    lblatualizado->setStyleSheet(QString());
    lblatualizado->setText(progress.isEmpty() ? QString()
                                              : QStringLiteral("Atualizado às ") + regional::timeText());
}
