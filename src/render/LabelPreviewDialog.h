#pragma once

#include "render/ZplRenderer.h"

#include <QDialog>

class QLabel;
class QPushButton;

// "Visualizar": the pictures of the labels a builder would print, one page per label
// format, with previous / next and a close button. How a window previews a line (the
// builder runs exactly as for printing, but nothing is sent and no read-back is asked):
//   PreviewOperator preview(op);  printing::CaptureScope capture;
//   LabelContext ctx{state, preview, line, settings};  double q = Qtd;
//   EtiquetaPreco5426(ctx, q, Temperatura, Velocidade, Coluna, Largura);
//   LabelPreviewDialog(capture.jobs(), this).exec();
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
