#include "support/ScriptedOperator.h"

#include "labels/ConfereEtiqueta.h"
#include "packing/PdfFolderPrinter.h"

#include <stdexcept>

namespace {
template <class T> T next(QQueue<T>& queue, const QString& what) {
    if (queue.isEmpty()) throw std::logic_error(("unexpected " + what).toStdString());
    return queue.dequeue();
}
} // namespace

bool ScriptedOperator::askYesNo(const QString& text, const QString& title, Icon icon) {
    shown << Shown{QStringLiteral("question"), text, title, icon};
    return next(yesNo, QStringLiteral("question: ") + text);
}

std::optional<QString> ScriptedOperator::inputBox(const QString& prompt, const QString& title,
                                                  const QString&) {
    shown << Shown{QStringLiteral("input"), prompt, title, Icon::None};
    return next(inputs, QStringLiteral("input box: ") + prompt);
}

std::optional<QString> ScriptedOperator::openFile(const QString& title, const QString& filter) {
    shown << Shown{QStringLiteral("file"), filter, title, Icon::None};
    return next(files, QStringLiteral("open-file dialog: ") + title);
}

std::optional<QString> ScriptedOperator::choosePrinter(const QStringList& list, const QString& current) {
    shown << Shown{QStringLiteral("printer"), list.join(QLatin1Char('|')), current, Icon::None};
    return next(printers, QStringLiteral("printer chooser"));
}

bool ScriptedOperator::readBarcode(const QString& prompt, const QString& expectedCode) {
    shown << Shown{QStringLiteral("barcode"), prompt, expectedCode, Icon::None};
    for (;;) {
        if (readsEveryLabel && readings.isEmpty()) readings << expectedCode;
        const std::optional<QString> reading =
            next(readings, QStringLiteral("barcode reading for ") + expectedCode);
        if (!reading) return false;
        const bool match = barcodeReadingMatches(*reading, expectedCode);
        readLog << std::make_pair(*reading, match);
        if (match) return true;
    }
}

std::unique_ptr<PagePrinter> ScriptedOperator::choosePagePrinter() {
    shown << Shown{QStringLiteral("pageprinter"), QString(), QString(), Icon::None};
    const std::optional<QString> folder = next(pagePrinters, QStringLiteral("page-printer dialog"));
    if (!folder) return nullptr;
    return std::make_unique<PdfFolderPrinter>(*folder);
}

QStringList ScriptedOperator::messages() const {
    QStringList texts;
    for (const Shown& s : shown)
        if (s.kind == QLatin1String("message")) texts << s.text;
    return texts;
}

QString ScriptedOperator::kinds() const {
    QString out;
    for (const Shown& s : shown) // each kind's initial, but D for the page-printer dialog
        out += s.kind == QLatin1String("pageprinter") ? QLatin1Char('D') : s.kind.front().toUpper();
    return out;
}
