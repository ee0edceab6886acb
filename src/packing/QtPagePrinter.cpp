#include "packing/QtPagePrinter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

namespace {
// The printer picked in the dialog; each document is one print job on it.
class SystemPagePrinter : public PagePrinter {
public:
    QPrinter printer{QPrinter::HighResolution};

    QPagedPaintDevice* startDocument(const QString& name) override
    {
        printer.setDocName(name);
        return &printer;
    }
};
} // namespace

std::unique_ptr<PagePrinter> chooseSystemPagePrinter()
{
    auto chosen = std::make_unique<SystemPagePrinter>();
    QPrintDialog dialog(&chosen->printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return chosen;
}
