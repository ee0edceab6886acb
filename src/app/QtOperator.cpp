#include "app/QtOperator.h"

#include "render/LabelPreviewDialog.h"

#include "labels/FRMCONF.h"
#include "packing/QtPagePrinter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>

namespace {
QMessageBox::Icon boxIcon(Operator::Icon icon)
{
    switch (icon) {
    case Operator::Icon::Information: return QMessageBox::Information;
    case Operator::Icon::Question: return QMessageBox::Question;
    case Operator::Icon::Warning: return QMessageBox::Warning;
    case Operator::Icon::Critical: return QMessageBox::Critical;
    case Operator::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QtOperator::QtOperator() = default;
QtOperator::~QtOperator() = default;

void QtOperator::message(const QString& text, const QString& title, Icon icon)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtOperator::askYesNo(const QString& text, const QString& title, Icon icon)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    // A habitual Enter, or a barcode reader's, must not send, delete or overwrite.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtOperator::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<QString> QtOperator::openFile(const QString& title, const QString& filter)
{
    const QString file = QFileDialog::getOpenFileName(QApplication::activeWindow(), title, m_folder, filter);
    if (file.isEmpty()) return std::nullopt;
    m_folder = QFileInfo(file).absolutePath();
    return file;
}

std::optional<QString> QtOperator::choosePrinter(const QStringList& printers, const QString& current)
{
    bool ok = false;
    const int at = std::max(0, int(printers.indexOf(current)));
    const QString chosen = QInputDialog::getItem(QApplication::activeWindow(), QStringLiteral("Impressora"),
                                                 QStringLiteral("Impressora:"), printers, at, true, &ok);
    if (!ok || chosen.isEmpty()) return std::nullopt;
    return chosen;
}

bool QtOperator::readBarcode(const QString& prompt, const QString& expectedCode)
{
    FRMCONF window(QApplication::activeWindow());
    return window.confere(prompt, expectedCode);
}

void QtOperator::progress(int done, int total)
{
    if (!m_progress) {
        m_progress = std::make_unique<QProgressDialog>(QStringLiteral("Aguarde..."), QString(), 0, total,
                                                       QApplication::activeWindow());
        m_progress->setWindowTitle(QStringLiteral("VORLA"));
        m_progress->setWindowModality(Qt::WindowModal);
    }
    m_progress->setMaximum(total);
    m_progress->setValue(done);
    if (done >= total) m_progress.reset();
}

std::unique_ptr<PagePrinter> QtOperator::choosePagePrinter()
{
    return chooseSystemPagePrinter();
}

void QtOperator::showLabels(const QList<QByteArray>& jobs)
{
    LabelPreviewDialog(jobs, QApplication::activeWindow()).exec();
}
