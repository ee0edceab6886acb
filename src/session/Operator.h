#pragma once

#include "session/PagePrinter.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// Everything the program asks or tells the operator goes through this interface:
// the program answers it with dialogs, tests with a scripted operator that records
// every text, title and icon it was shown.
class Operator {
public:
    enum class Icon { None, Information, Question, Warning, Critical };

    virtual ~Operator() = default;

    // A message box with an OK button.
    virtual void message(const QString& text, const QString& title, Icon icon) = 0;
    // A question with Yes and No buttons; true for Yes. "Não" is the default button:
    // every question of the program sends, deletes or overwrites on "Sim", so Enter
    // pressed out of habit (or by a barcode reader) answers No.
    virtual bool askYesNo(const QString& text, const QString& title, Icon icon) = 0;
    // The input box; std::nullopt when cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    // The open-file dialog; the chosen file's full path, std::nullopt when cancelled.
    virtual std::optional<QString> openFile(const QString& title, const QString& filter) = 0;
    // The label-printer chooser: one of the printers, std::nullopt when cancelled.
    virtual std::optional<QString> choosePrinter(const QStringList& printers, const QString& current) = 0;
    // The barcode read-back window: shows the prompt and the expected code and takes
    // readings until one matches (true) or the operator gives up (false).
    virtual bool readBarcode(const QString& prompt, const QString& expectedCode) = 0;
    // Progress of a long operation: `done` of `total` steps; done == total ends it.
    virtual void progress([[maybe_unused]] int done, [[maybe_unused]] int total) {}
    // The pictures of label jobs that would print ("Visualizar"), shown until closed.
    virtual void showLabels([[maybe_unused]] const QList<QByteArray>& jobs) {}
    // The page-printer dialog: the chosen page printer, nullptr when cancelled.
    virtual std::unique_ptr<PagePrinter> choosePagePrinter() { return nullptr; }
};
