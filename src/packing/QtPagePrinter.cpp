#include "packing/QtPagePrinter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace {
// The printer picked in the dialog; each document is one print job on it. When the
// dialog chose a PDF file, the second and later documents go to numbered files beside
// it (name-2.pdf, ...) instead of overwriting the first.
class SystemPagePrinter : public PagePrinter {
public:
    QPrinter printer{QPrinter::HighResolution};

    QPagedPaintDevice* startDocument(const QString& name) override
    {
        printer.setDocName(name);
        if (++m_documents == 1) {
            m_firstFile = printer.outputFileName();
        } else if (!m_firstFile.isEmpty()) {
            QString base = m_firstFile;
            if (base.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) base.chop(4);
            printer.setOutputFileName(base + QStringLiteral("-%1.pdf").arg(m_documents));
        }
        return &printer;
    }

private:
    int m_documents = 0;
    QString m_firstFile;
};
} // namespace

std::unique_ptr<PagePrinter> chooseSystemPagePrinter()
{
    auto chosen = std::make_unique<SystemPagePrinter>();
    QPrintDialog dialog(&chosen->printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return chosen;
}
