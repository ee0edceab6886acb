#include "app/frmsenha.h"

#include "session/Guarded.h"
#include "session/Login.h"
#include "session/ProgramState.h"
#include "app/frmzepa.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmsenha::frmsenha(ProgramState& state, Operator& op, QWidget* parent)
    : QWidget(parent), m_state(state), m_op(op)
{
    setObjectName(QStringLiteral("frmsenha"));
    setWindowTitle(QStringLiteral("Programa de Impresão VORLA V.s. 1.0"));

    txtusuario = new QLineEdit(this);
    txtusuario->setObjectName(QStringLiteral("txtusuario"));
    txtsenha = new QLineEdit(this);
    txtsenha->setObjectName(QStringLiteral("txtsenha"));
    txtsenha->setEchoMode(QLineEdit::Password);
    cmdok = new QPushButton(QStringLiteral("OK"), this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    auto* title = new QLabel(QStringLiteral("VORLA"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Usuário:"), txtusuario);
    form->addRow(QStringLiteral("Senha:"), txtsenha);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdok);
    buttons->addWidget(cmdCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(360, 200);

    txtusuario->installEventFilter(this);
    txtsenha->installEventFilter(this);
    connect(cmdok, &QPushButton::clicked, this, &frmsenha::cmdok_Click);
    connect(cmdCancelar, &QPushButton::clicked, qApp, [] { QApplication::exit(0); });
}

frmsenha* frmsenha::showAtStart(ProgramState& state, Operator& op)
{
    auto* login = new frmsenha(state, op);
    login->setAttribute(Qt::WA_DeleteOnClose);
    login->show();
    return login;
}

bool frmsenha::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == txtusuario) {
                txtsenha->setFocus();
                return true;
            }
            if (watched == txtsenha) {
                cmdok_Click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmsenha::keyPressEvent(QKeyEvent* event)
{
    // Esc leaves as "Cancelar" does.
    if (event->key() == Qt::Key_Escape) {
        cmdCancelar->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmsenha::cmdok_Click()
{
    bool matched = false;
    if (!runGuarded(m_op, [&] { matched = loginMatches(m_state, txtusuario->text(), txtsenha->text()); })) return;
    if (!matched) {
        txtusuario->clear();
        txtsenha->clear();
        txtusuario->setFocus();
        m_op.message(QStringLiteral("Usuário ou senha incorreto!"), QStringLiteral("VORLA"), Operator::Icon::Information);
        return;
    }
    m_main = new frmzepa(m_state, m_op);
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    m_main->lblusuario->setText(txtusuario->text());
    m_main->show();
    // The login window is done: nothing typed into it may stay behind the main window,
    // least of all the password. setText also drops the boxes' undo history.
    txtsenha->setText(QString());
    txtusuario->setText(QString());
    hide();
    m_op.message(welcomeText(m_main->lblusuario->text()), QStringLiteral("VORLA"), Operator::Icon::None);
    close();  // the program's login window is deleted on close
}
