#pragma once

#include "session/Operator.h"

#include <QString>
#include <QStringList>

// What every fuzz target shares.
namespace fuzz {

// Starts the Qt application object once (file names, plugins, resources need it).
void startQt();

// A fresh folder for the run, under $ETIQUETAS_FUZZ_SCRATCH (run.sh points it at a
// folder in memory and removes it at the end), otherwise /dev/shm or the temporary
// folder. Left in place when the process ends.
QString scratchFolder();

// Stops the run with a finding: prints `what` and aborts, so libFuzzer keeps the input.
[[noreturn]] void finding(const QString& what);

// The operator of a fuzz run: says yes to every question, gives up every input and
// every read-back, and keeps the messages.
class QuietOperator : public Operator {
  public:
    QStringList messages;
    void message(const QString& text, const QString&, Icon) override { messages << text; }
    bool askYesNo(const QString&, const QString&, Icon) override { return true; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> openFile(const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> choosePrinter(const QStringList&, const QString&) override { return std::nullopt; }
    bool readBarcode(const QString&, const QString&) override { return false; }
};

} // namespace fuzz
