#include "maintenance/frmcadastro.h"

#include "session/Guarded.h"
#include "session/ProgramState.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QPushButton* button(const char* name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

frmcadastro::frmcadastro(const MasterTable& table, ProgramState& state, Operator& op, QWidget* parent)
    : QDialog(parent), m_table(table), m_state(state), m_op(op)
{
    setObjectName(table.window);
    setWindowTitle(table.caption);

    auto* frame = new QGroupBox(table.frame, this);
    auto* form = new QFormLayout;
    for (const EntryField& f : table.fields) {
        QWidget* w;
        if (f.isCombo()) {
            auto* combo = new QComboBox(frame);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            w = combo;
        } else {
            w = new QLineEdit(frame);
        }
        w->setObjectName(f.name);
        form->addRow(f.caption, w);
        m_fields.insert(f.name, w);
    }
    cmdIncluir = button("cmdIncluir", QStringLiteral("&Incluir"), frame);
    cmdAlterar = button("cmdAlterar", QStringLiteral("Alterar"), frame);
    cmdExcluir = button("cmdExcluir", QStringLiteral("Excluir"), frame);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdIncluir);
    buttons->addWidget(cmdAlterar);
    buttons->addWidget(cmdExcluir);
    if (table.limpar) {
        cmdlimpar = button("cmdlimpar", QStringLiteral("&Limpar"), frame);
        buttons->addWidget(cmdlimpar);
        connect(cmdlimpar, &QPushButton::clicked, this, [this] {
            LIMPAR();
            field(m_table.nameField())->setFocus();
        });
    }
    buttons->addStretch();
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addLayout(form);
    frameLayout->addLayout(buttons);

    auto* gridFrame = new QGroupBox(this);
    grid = new QTableWidget(gridFrame);
    grid->setObjectName(table.grid);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    (new QVBoxLayout(gridFrame))->addWidget(grid);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(gridFrame, 1);
    resize(760, 520);

    connect(cmdIncluir, &QPushButton::clicked, this, [this] { run(&incluir); });
    connect(cmdAlterar, &QPushButton::clicked, this, [this] { run(&alterar); });
    connect(cmdExcluir, &QPushButton::clicked, this, [this] { run(&excluir); });
    connect(grid, &QTableWidget::cellClicked, this, [this](int row, int) { grid_Click(row); });
    connect(qobject_cast<QLineEdit*>(field(table.nameField())), &QLineEdit::textEdited, this,
            &frmcadastro::name_Change);

    load();
}

void frmcadastro::showModal(const MasterTable& table, ProgramState& state, Operator& op, QWidget* parent)
{
    int result;
    do {
        frmcadastro window(table, state, op, parent);
        result = window.exec();
    } while (result == Reopen);
}

void frmcadastro::load()
{
    runGuarded(m_op, [&] {
        m_state.AbreConexaoCadastro();
        for (const EntryField& f : m_table.fields)
            if (f.isCombo())
                qobject_cast<QComboBox*>(field(f.name))
                    ->addItems(masterListItems(f, m_state.ConexaoCadastro));
        LIMPAR();
        m_state.SqlGeral = m_table.gridQuery;
        m_rs = openMasterGrid(m_table, m_state.ConexaoCadastro);
    });
    const QStringList& columns = m_rs.columns();
    grid->setColumnCount(int(columns.size()));
    grid->setHorizontalHeaderLabels(columns);
    grid->setRowCount(m_rs.recordCount());
    for (int r = 0; r < m_rs.recordCount(); ++r) {
        const Record row = m_rs.row(r);
        for (int c = 0; c < columns.size(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(row.text(columns[c])));
    }
}

void frmcadastro::LIMPAR()
{
    for (const EntryField& f : m_table.fields)
        setText(f.name, QString());
}

void frmcadastro::grid_Click(int row)
{
    runGuarded(m_op, [&] {
        MasterEntry e = entry();
        pickMasterRow(m_table, m_rs, row, e);
        m_nomeAnterior = e.value(NomeAnterior);
        for (const GridCopy& copy : m_table.gridCopies)
            setText(copy.field, e.value(copy.field));
    });
    grid->selectRow(row);
}

void frmcadastro::run(MasterOutcome (*step)(const MasterTable&, const MasterEntry&, Operator&, Connection&))
{
    MasterOutcome outcome = MasterOutcome::Nothing;
    runGuarded(m_op, [&] { outcome = step(m_table, entry(), m_op, m_state.ConexaoCadastro); });
    if (outcome == MasterOutcome::Declined) {
        setText(m_table.nameField(), QString());
        field(m_table.nameField())->setFocus();
    } else if (outcome == MasterOutcome::Stored) {
        done(Reopen);
    }
}

MasterEntry frmcadastro::entry() const
{
    MasterEntry e;
    for (const EntryField& f : m_table.fields)
        e.insert(f.name, text(f.name));
    e.insert(NomeAnterior, m_nomeAnterior);
    return e;
}

QString frmcadastro::text(const QString& name) const
{
    QWidget* w = field(name);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
    return qobject_cast<QLineEdit*>(w)->text();
}

void frmcadastro::setText(const QString& name, const QString& text)
{
    QWidget* w = field(name);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setEditText(text);
    else
        qobject_cast<QLineEdit*>(w)->setText(text);
}

void frmcadastro::name_Change(const QString& text)
{
    auto* box = qobject_cast<QLineEdit*>(field(m_table.nameField()));
    const QString typed = typedName(m_table, text);
    if (typed == text) return;
    const int cursor = box->cursorPosition();
    box->setText(typed);
    box->setCursorPosition(cursor);
}
