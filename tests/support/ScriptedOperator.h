#pragma once

#include "session/Operator.h"

#include <QList>
#include <QQueue>
#include <optional>

// The operator of the tests: answers every question from a script, in order, and
// records everything it was shown. A question the script did not expect throws, so
// the test fails at the place it went wrong.
class ScriptedOperator : public Operator {
  public:
    struct Shown {
        QString kind; // "message", "question", "input", "file", "printer", "barcode", "pageprinter"
        QString text;
        QString title;
        Icon icon = Icon::None;
    };

    QList<Shown> shown;

    QQueue<bool> yesNo;
    QQueue<std::optional<QString>> inputs;
    QQueue<std::optional<QString>> files;
    QQueue<std::optional<QString>> printers;
    // Readings of the barcode reader; std::nullopt gives the read-back up.
    QQueue<std::optional<QString>> readings;
    // With no reading queued, the reader reads the expected code at once.
    bool readsEveryLabel = false;
    // Every reading offered to the read-back, with whether it matched.
    QList<std::pair<QString, bool>> readLog;
    // Answers of the page-printer dialog: a folder that receives each document as a PDF
    // (romaneio-1.pdf, ...), std::nullopt cancels.
    QQueue<std::optional<QString>> pagePrinters;
    // The jobs of every preview shown, one list per preview.
    QList<QList<QByteArray>> previews;
    void showLabels(const QList<QByteArray>& jobs) override { previews << jobs; }
    // Every progress report, as (done, total).
    QList<std::pair<int, int>> progressLog;

    void message(const QString& text, const QString& title, Icon icon) override {
        shown << Shown{QStringLiteral("message"), text, title, icon};
    }
    bool askYesNo(const QString& text, const QString& title, Icon icon) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFile(const QString& title, const QString& filter) override;
    std::optional<QString> choosePrinter(const QStringList& printers, const QString& current) override;
    bool readBarcode(const QString& prompt, const QString& expectedCode) override;
    void progress(int done, int total) override { progressLog << std::make_pair(done, total); }
    std::unique_ptr<PagePrinter> choosePagePrinter() override;

    // Texts of the message boxes shown, in order.
    QStringList messages() const;
    // What was shown, one letter each in order: M message, Q question, I input box,
    // F open-file dialog, P printer chooser, B barcode read-back, D page-printer dialog.
    QString kinds() const;
};
