#include "render/PreviewOperator.h"

#include "printing/CaptureScope.h"

void PreviewOperator::message(const QString& text, const QString& title, Icon icon) {
    m_real.message(text, title, icon);
}

bool PreviewOperator::askYesNo(const QString& text, const QString& title, Icon icon) {
    return m_real.askYesNo(text, title, icon);
}

std::optional<QString> PreviewOperator::inputBox(const QString& prompt, const QString& title,
                                                 const QString& defaultText) {
    return m_real.inputBox(prompt, title, defaultText);
}

std::optional<QString> PreviewOperator::openFile(const QString& title, const QString& filter) {
    return m_real.openFile(title, filter);
}

std::optional<QString> PreviewOperator::choosePrinter(const QStringList& printers, const QString& current) {
    return m_real.choosePrinter(printers, current);
}

bool PreviewOperator::readBarcode(const QString&, const QString&) {
    return true;
}

void PreviewOperator::progress(int done, int total) {
    m_real.progress(done, total);
}

std::unique_ptr<PagePrinter> PreviewOperator::choosePagePrinter() {
    return m_real.choosePagePrinter();
}

QList<QByteArray> capturedJobs(Operator& op, const std::function<void(Operator& preview)>& print) {
    PreviewOperator preview(op);
    printing::CaptureScope capture;
    print(preview);
    return capture.jobs();
}
