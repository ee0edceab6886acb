#include "labels/FRMCONF.h"

#include "labels/ConfereEtiqueta.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}
} // namespace

FRMCONF::FRMCONF(QWidget* parent)
    : QDialog(parent)
    , Label1(namedLabel(QStringLiteral("Label1"), QStringLiteral("Leia o Código de Barras da Etiqueta:"), this))
    , LBLCOD(namedLabel(QStringLiteral("LBLCOD"), QString(), this))
    , txtleitura(new QLineEdit(this))
    , Label2(namedLabel(QStringLiteral("Label2"),
                        QString(65, QLatin1Char(' ')) + QStringLiteral("CÓDIGO INVÁLIDO") + QString(4, QLatin1Char(' ')),
                        this))
    , Label3(namedLabel(QStringLiteral("Label3"), QString(), this))
{
    setObjectName(QStringLiteral("FRMCONF"));
    setWindowTitle(QStringLiteral("CONFERENCIA DO CÓDIGO DE BARRAS"));
    txtleitura->setObjectName(QStringLiteral("txtleitura"));

    QFont big = LBLCOD->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    LBLCOD->setFont(big);
    Label2->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    Label2->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label3);
    layout->addWidget(Label1);
    layout->addWidget(LBLCOD);
    layout->addWidget(txtleitura);
    layout->addWidget(Label2);

    connect(txtleitura, &QLineEdit::returnPressed, this, &FRMCONF::txtleitura_KeyPress);
}

bool FRMCONF::confere(const QString& prompt, const QString& expectedCode)
{
    Label1->setText(prompt);
    LBLCOD->setText(expectedCode);
    txtleitura->clear();
    txtleitura->setFocus();
    return exec() == QDialog::Accepted;
}

void FRMCONF::txtleitura_KeyPress()
{
    const bool match = barcodeReadingMatches(txtleitura->text(), LBLCOD->text());
    txtleitura->clear();
    if (match) {
        Label2->hide();
        LBLCOD->clear();
        accept();
    } else {
        Label2->show();
        txtleitura->setFocus();
    }
}
