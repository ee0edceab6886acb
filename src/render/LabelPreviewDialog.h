#pragma once

#include "render/ZplRenderer.h"

#include <QDialog>

class QLabel;
class QPushButton;

// "Visualizar": the pictures of the labels a builder would print, one page per label
// format, with previous / next and a close button. A window previews a line by running
// the builder as for printing, but captured (nothing is sent, no read-back is asked):
//   const auto jobs = capturedJobs(op, [&](Operator& preview) {  // render/PreviewOperator.h
//       LabelContext ctx{state, preview, line, settings};  double q = Qtd;
//       EtiquetaPreco5426(ctx, q, Temperatura, Velocidade, Coluna, Largura); });
//   LabelPreviewDialog(jobs, this).exec();
class LabelPreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit LabelPreviewDialog(const QList<QByteArray>& jobs, QWidget* parent = nullptr);

    int page() const { return m_page; }
    int pageCount() const { return int(m_result.labels.size()); }

private:
    void showPage(int page);

    render::RenderResult m_result;
    int m_page = 0;
    QLabel* m_caption;
    QLabel* m_picture;
    QLabel* m_problem;
    QPushButton* m_previous;
    QPushButton* m_next;
};
