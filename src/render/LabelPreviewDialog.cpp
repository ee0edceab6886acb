#include "render/LabelPreviewDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

LabelPreviewDialog::LabelPreviewDialog(const QList<QByteArray>& jobs, QWidget* parent)
    : QDialog(parent), m_result(render::renderJobs(jobs)), m_caption(new QLabel(this)), m_picture(new QLabel),
      m_problem(new QLabel(this)), m_previous(new QPushButton(QStringLiteral("< Anterior"), this)),
      m_next(new QPushButton(QStringLiteral("Próxima >"), this)) {
    setObjectName(QStringLiteral("LabelPreviewDialog"));
    setWindowTitle(QStringLiteral("Visualizar"));
    m_caption->setObjectName(QStringLiteral("lblpagina"));
    m_problem->setObjectName(QStringLiteral("lblproblema"));
    m_problem->setStyleSheet(QStringLiteral("color: #c00000"));
    m_problem->setWordWrap(true);
    m_problem->setText(m_result.ok() ? QString() : QStringLiteral("Erro no trabalho: ") + m_result.error);
    m_problem->setVisible(!m_result.ok());
    m_previous->setObjectName(QStringLiteral("cmdanterior"));
    m_next->setObjectName(QStringLiteral("cmdproxima"));
    auto* close = new QPushButton(QStringLiteral("Fechar"), this);
    close->setObjectName(QStringLiteral("cmdfechar"));

    // The picture on a grey ground, so the label's own white edge shows.
    m_picture->setAlignment(Qt::AlignCenter);
    auto* scroll = new QScrollArea(this);
    scroll->setBackgroundRole(QPalette::Dark);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setWidget(m_picture);
    scroll->setWidgetResizable(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(scroll, 1);
    layout->addWidget(m_problem);
    layout->addLayout(buttons);

    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(900, 560);
    showPage(0);
}

void LabelPreviewDialog::showPage(int page) {
    const int count = pageCount();
    m_page = std::clamp(page, 0, std::max(count - 1, 0));
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
    if (count == 0) {
        m_caption->setText(QStringLiteral("Nenhuma etiqueta para mostrar."));
        m_picture->clear();
        return;
    }
    const render::RenderedLabel& label = m_result.labels.at(m_page);
    QString caption = QStringLiteral("Etiqueta %1 de %2").arg(m_page + 1).arg(count);
    if (label.copies != 1) caption += QStringLiteral(" — %1 cópias").arg(label.copies);
    m_caption->setText(caption);
    m_picture->setPixmap(QPixmap::fromImage(label.picture));
}
