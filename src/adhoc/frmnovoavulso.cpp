#include "adhoc/frmnovoavulso.h"

#include "labels/Darkness.h"
#include "printing/PrinterStatus.h"
#include "production/MenuSettings.h"
#include "production/frmimpressao.h"
#include "session/Guarded.h"
#include "session/Operator.h"
#include "session/ProgramState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QComboBox* combo(const char* name, const QStringList& items = {})
{
    auto* box = named(new QComboBox, name);
    box->setEditable(true);
    box->addItems(items);
    box->setCurrentText(QString());
    return box;
}

constexpr int GridColumns = 8;
} // namespace

frmnovoavulso::frmnovoavulso(ProgramState& state, Operator& op, std::function<QString()> user,
                             std::function<frmimpressao*()> productionWindow, QWidget* parent)
    : QDialog(parent), m_state(state), m_op(op), m_user(std::move(user)),
      m_productionWindow(std::move(productionWindow))
{
    setObjectName(QStringLiteral("frmnovoavulso"));
    txtnumprod = named(new QLineEdit, "txtnumprod");
    txtpedido = named(new QLineEdit, "txtpedido");
    Griid_Recebimento = named(new QTableWidget(1, GridColumns), "Griid_Recebimento");
    Griid_Recebimento->verticalHeader()->setVisible(false);
    Griid_Recebimento->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Griid_Recebimento->setSelectionMode(QAbstractItemView::SingleSelection);
    Griid_Recebimento->setWordWrap(false);
    Griid_Recebimento->installEventFilter(this);

    cbomarca = named(new QComboBox, "cbomarca");
    cbomarca->addItems(adhoc::labelTypes());
    cbomarca->setCurrentIndex(-1);
    Check1 = named(new QCheckBox, "Check1");
    Check2 = named(new QCheckBox, "Check2");
    Check1->setVisible(false);
    Check2->setVisible(false);
    cbotemp = combo("cbotemp", comboNumbers(darkness::First, darkness::Last));
    cbocoluna = combo("cbocoluna", comboNumbers(-50, 50));
    cbolargura = combo("cbolargura", comboNumbers(-100, 50));
    cbovel = combo("cbovel", comboNumbers(-10, 25));
    cbocoluna->setCurrentText(QStringLiteral("00"));
    cbolargura->setCurrentText(QStringLiteral("00"));
    Cmdimprimir = named(new QPushButton(QStringLiteral("Imprimir")), "Cmdimprimir");
    Cmdimprimir->setAutoDefault(false);
    cmdvisualizar = named(new QPushButton(QStringLiteral("Visualizar")), "cmdvisualizar");
    cmdvisualizar->setAutoDefault(false);
    lblimpsel = named(new QLabel, "lblimpsel");
    lblestado = named(new QLabel, "lblestado");

    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("Produção:")));
    entry->addWidget(txtnumprod);
    entry->addWidget(new QLabel(QStringLiteral("Pedido:")));
    entry->addWidget(txtpedido);
    entry->addStretch();

    auto* settings = new QGridLayout;
    settings->addWidget(new QLabel(QStringLiteral("Modelo:")), 0, 0);
    settings->addWidget(cbomarca, 0, 1, 1, 3);
    settings->addWidget(Check1, 1, 0, 1, 2);
    settings->addWidget(Check2, 1, 2, 1, 2);
    settings->addWidget(new QLabel(QStringLiteral("Coluna:")), 2, 0);
    settings->addWidget(cbocoluna, 2, 1);
    settings->addWidget(new QLabel(QStringLiteral("Altura")), 2, 2);
    settings->addWidget(cbolargura, 2, 3);
    settings->addWidget(new QLabel(QStringLiteral("Velocidade:")), 3, 0);
    settings->addWidget(cbovel, 3, 1);
    settings->addWidget(new QLabel(QStringLiteral("Temperatura:")), 3, 2);
    settings->addWidget(cbotemp, 3, 3);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(settings);
    bottom->addStretch();
    bottom->addWidget(cmdvisualizar, 0, Qt::AlignBottom);
    bottom->addWidget(Cmdimprimir, 0, Qt::AlignBottom);

    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(new QLabel(QStringLiteral("Impressora Selecionada:")));
    printerRow->addWidget(lblimpsel);
    printerRow->addWidget(lblestado);
    printerRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(Griid_Recebimento, 1);
    layout->addLayout(printerRow);
    layout->addLayout(bottom);
    resize(1000, 560);

    clearGrid(false);
    showPrinter();

    connect(txtnumprod, &QLineEdit::returnPressed, txtpedido, qOverload<>(&QWidget::setFocus));
    connect(txtpedido, &QLineEdit::returnPressed, this, &frmnovoavulso::txtpedido_Enter);
    connect(cbomarca, &QComboBox::activated, this, &frmnovoavulso::cbomarca_Click);
    connect(Cmdimprimir, &QPushButton::clicked, this, &frmnovoavulso::Cmdimprimir_Click);
    connect(cmdvisualizar, &QPushButton::clicked, this, &frmnovoavulso::cmdvisualizar_Click);
}

void frmnovoavulso::showPrinter()
{
    // Until the production window is loaded (on the first print, which asks for the
    // printer) the current printer is the one it will offer.
    const QString printer =
        m_state.ImpressoraSelecionada.isEmpty() ? m_state.impressoraAtual : m_state.ImpressoraSelecionada;
    const PrinterStatus status = queryPrinterStatus(printer);
    lblimpsel->setText(printer);
    lblestado->setText(printerStatusMark(status));
    lblestado->setToolTip(printerStatusText(status));
}

void frmnovoavulso::clearGrid(bool withHeader)
{
    Griid_Recebimento->clearContents();
    Griid_Recebimento->setRowCount(1);
    QStringList captions;
    if (withHeader) captions = adhoc::GridHeader.split(QLatin1Char('|'));
    else
        for (int c = 0; c < GridColumns; ++c) captions << QString();
    Griid_Recebimento->setHorizontalHeaderLabels(captions);
    if (withHeader) {
        // The blanks of each caption give its column's width, as on the old grid.
        const QFontMetrics metrics(Griid_Recebimento->font());
        for (int c = 0; c < GridColumns; ++c)
            Griid_Recebimento->setColumnWidth(c, metrics.horizontalAdvance(captions[c]) + 12);
    }
}

void frmnovoavulso::txtpedido_Enter()
{
    QString numprod = txtnumprod->text();
    QString pedido = txtpedido->text();
    const bool looksUp = !numprod.isEmpty() && !pedido.isEmpty();
    if (looksUp) clearGrid(false);
    adhoc::Lookup found;
    const bool answered = runGuarded(m_op, [&] { found = adhoc::TOMVELVORLA(m_state, m_op, numprod, pedido); });
    if (looksUp && answered) clearGrid(true);
    txtnumprod->setText(numprod);
    txtpedido->setText(pedido);
    if (found.focus == adhoc::Focus::Producao) txtnumprod->setFocus();
    if (found.focus == adhoc::Focus::Pedido) txtpedido->setFocus();
    if (found.rows.isEmpty()) return;
    Griid_Recebimento->setRowCount(int(found.rows.size()));
    for (int r = 0; r < found.rows.size(); ++r) {
        const adhoc::GridRow& row = found.rows[r];
        const QStringList cells{r == 0 ? QString() : QString::number(r + 1),
                                row.producao,
                                row.pedido,
                                row.codBarras,
                                row.descricao,
                                row.cor,
                                row.tamanho,
                                row.qtd};
        for (int c = 0; c < GridColumns; ++c)
            Griid_Recebimento->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    // Each column at least as wide as its caption's blanks say, and wide enough for what it shows.
    const QFontMetrics metrics(Griid_Recebimento->font());
    const QStringList captions = adhoc::GridHeader.split(QLatin1Char('|'));
    for (int c = 0; c < GridColumns; ++c) {
        Griid_Recebimento->resizeColumnToContents(c);
        Griid_Recebimento->setColumnWidth(
            c, std::max(metrics.horizontalAdvance(captions[c]) + 12, Griid_Recebimento->columnWidth(c)));
    }
    Griid_Recebimento->setCurrentCell(0, 0);
}

void frmnovoavulso::cbomarca_Click()
{
    const MenuSettings* defaults = menuSettings(cbomarca->currentText());
    if (!defaults) return;
    cbotemp->setCurrentText(defaults->cbotemp);
    cbovel->setCurrentText(defaults->cbovelocidade);
    // No type hides the option boxes again: after a type with a layout choice they stay,
    // with that type's captions.
    if (!defaults->check1.isEmpty()) {
        Check1->setVisible(true);
        Check2->setVisible(true);
        Check1->setText(defaults->check1);
        Check2->setText(defaults->check2);
    }
    cbocoluna->setCurrentText(QStringLiteral("00"));
    cbolargura->setCurrentText(defaults->cbolargura.isEmpty() ? QStringLiteral("00") : defaults->cbolargura);
}

bool frmnovoavulso::eventFilter(QObject* watched, QEvent* event)
{
    // The grid's own keys (arrows, Home/End, Page Up/Down, Shift+Tab) walk a long order;
    // only Enter, Tab, Backspace and typed characters follow the quantity rules.
    if (watched == Griid_Recebimento && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        return Griid_Recebimento_KeyPress(key->key(), key->text());
    }
    return QDialog::eventFilter(watched, event);
}

void frmnovoavulso::keyPressEvent(QKeyEvent* event)
{
    // Esc would close the window and lose every quantity typed.
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

bool frmnovoavulso::Griid_Recebimento_KeyPress(int key, const QString& text)
{
    const bool typed = !text.isEmpty() && text[0].unicode() >= 32 && text[0] != QChar(0x7f);
    const bool moves = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab;
    if (!moves && key != Qt::Key_Backspace && !typed) return false;
    QTableWidget* grid = Griid_Recebimento;
    const int row = std::max(0, grid->currentRow());
    const int column = std::max(0, grid->currentColumn());
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
        if (column + 1 <= GridColumns - 1) grid->setCurrentCell(row, column + 1);
        else grid->setCurrentCell(row + 1 < grid->rowCount() ? row + 1 : 0, 0);
        return true;
    }
    QTableWidgetItem* cell = grid->item(row, column);
    if (!cell) grid->setItem(row, column, cell = new QTableWidgetItem);
    const adhoc::CellEdit edit = adhoc::editCell(cell->text(), column, key, text);
    cell->setText(edit.text);
    if (edit.typed && column == adhoc::QtdColumn && key != Qt::Key_Backspace) cell->setForeground(Qt::red);
    return true;
}

QList<adhoc::GridRow> frmnovoavulso::gridRows() const
{
    QList<adhoc::GridRow> rows;
    auto text = [this](int r, int c) {
        const QTableWidgetItem* item = Griid_Recebimento->item(r, c);
        return item ? item->text() : QString();
    };
    for (int r = 0; r < Griid_Recebimento->rowCount(); ++r)
        rows << adhoc::GridRow{text(r, 1), text(r, 2), text(r, 3), text(r, 4), text(r, 5), text(r, 6), text(r, 7)};
    return rows;
}

adhoc::PrintSettings frmnovoavulso::printSettings() const
{
    return {cbomarca->currentText(), cbotemp->currentText(), cbovel->currentText(), cbocoluna->currentText(),
            cbolargura->currentText(), !Check1->isHidden(), {Check1->isChecked(), Check2->isChecked()}};
}

LabelSettings frmnovoavulso::labelSettings() const
{
    // The engine also reads the production window: its percentage and option boxes,
    // and its offsets while it is the window shown.
    const frmimpressao* production = m_productionWindow();
    LabelSettings s;
    s.producaoVisivel = production->isVisible();
    s.cbocoluna = s.producaoVisivel ? production->coluna() : cbocoluna->currentText();
    s.cbolargura = s.producaoVisivel ? production->largura() : cbolargura->currentText();
    s.producao = production->optionBoxes();
    s.avulso = {Check1->isChecked(), Check2->isChecked()};
    s.TXTPORCENTAGEM = production->percentage();
    s.producaoCaption = production->windowTitle();
    s.cbomarca = cbomarca->currentText();
    return s;
}

void frmnovoavulso::Cmdimprimir_Click()
{
    const adhoc::PrintSettings settings = printSettings();
    const QList<adhoc::GridRow> rows = gridRows();
    if (!adhoc::checkChoices(m_op, settings, rows)) {
        if (settings.cbomarca.isEmpty()) cbomarca->setFocus();
        return;
    }
    Cmdimprimir->setEnabled(false);
    bool everyRowPrinted = true;
    const bool noStoreError = runGuarded(m_op, [&] {
        for (int r = 0; r < rows.size(); ++r) {
            const int quantity = *adhoc::quantityOf(rows[r].qtd);
            if (quantity == 0) continue;
            if (!adhoc::IMPRIMIR(m_state, m_op, rows[r], quantity, settings, m_user(), [this] { return labelSettings(); })) {
                everyRowPrinted = false;
                return;
            }
            // Printed: a second "Imprimir" after a failure further down must not repeat it.
            Griid_Recebimento->item(r, adhoc::QtdColumn)->setText(QStringLiteral("0"));
        }
    });
    Cmdimprimir->setEnabled(true);
    showPrinter();
    // A row that did not print keeps the grid as it is, so nothing typed is lost.
    if (!noStoreError || !everyRowPrinted) return;
    clearGrid(false);
    txtnumprod->clear();
    txtpedido->clear();
    txtnumprod->setFocus();
}

void frmnovoavulso::cmdvisualizar_Click()
{
    const adhoc::PrintSettings settings = printSettings();
    const QList<adhoc::GridRow> rows = gridRows();
    if (!adhoc::checkChoices(m_op, settings, rows)) return;
    QList<QByteArray> jobs;
    runGuarded(m_op, [&] {
        for (const adhoc::GridRow& row : rows)
            if (const int quantity = *adhoc::quantityOf(row.qtd))
                jobs << adhoc::previewRow(m_state, m_op, row, quantity, settings, [this] { return labelSettings(); });
    });
    if (!jobs.isEmpty()) m_op.showLabels(jobs);
}
