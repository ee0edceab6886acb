#include "app/QtOperator.h"

#include "render/LabelPreviewDialog.h"

#include "labels/FRMCONF.h"
#include "packing/QtPagePrinter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QLocale>
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
// The open-file dialog's list in the operators' language: Qt's own list writes sizes and
// dates in the machine's locale and names a folder "Folder" whatever its translation.
class PortugueseFileList : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files) return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case 1:
            if (!files->isDir(source)) return QLocale().formattedDataSize(files->size(source));
            break;
        case 2:
            if (files->isDir(source)) return QStringLiteral("Pasta");
            break;
        case 3: return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};
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
    // Qt's own dialog, not the desktop's: it speaks Portuguese whatever the machine's language.
    QFileDialog dialog(QApplication::activeWindow(), title, m_folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setProxyModel(new PortugueseFileList(&dialog));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString file = dialog.selectedFiles().constFirst();
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
