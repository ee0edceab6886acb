#include "maintenance/frmcadastros.h"

#include "maintenance/MasterTables.h"
#include "maintenance/frmcadastro.h"

#include <QPushButton>
#include <QVBoxLayout>

frmcadastros::frmcadastros(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmcadastros"));
    setWindowTitle(QStringLiteral("Cadastros"));
    auto* layout = new QVBoxLayout(this);
    for (const MasterTable* table : masterTables()) {
        auto* b = new QPushButton(table->caption, this);
        b->setObjectName(QStringLiteral("cmd") + table->window);
        b->setAutoDefault(false);
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, table] {
            m_chosen = table;
            accept();
        });
    }
}

void frmcadastros::choose(ProgramState& state, Operator& op, QWidget* parent)
{
    frmcadastros chooser(parent);
    if (chooser.exec() == QDialog::Accepted && chooser.chosen())
        frmcadastro::showModal(*chooser.chosen(), state, op, parent);
}
