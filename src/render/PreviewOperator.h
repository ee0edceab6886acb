#pragma once

#include "session/Operator.h"

#include <QByteArray>
#include <QList>
#include <functional>

// The operator of a preview: the real operator answers every question and sees every
// message (a pack label still asks its volume), but nothing was printed, so there is no
// barcode to read back: every read-back counts as confirmed without a window.
class PreviewOperator : public Operator {
public:
    explicit PreviewOperator(Operator& real) : m_real(real) {}

    void message(const QString& text, const QString& title, Icon icon) override;
    bool askYesNo(const QString& text, const QString& title, Icon icon) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFile(const QString& title, const QString& filter) override;
    std::optional<QString> choosePrinter(const QStringList& printers, const QString& current) override;
    bool readBarcode(const QString& prompt, const QString& expectedCode) override;
    void progress(int done, int total) override;
    std::unique_ptr<PagePrinter> choosePagePrinter() override;
    void showLabels(const QList<QByteArray>& jobs) override { m_real.showLabels(jobs); }

private:
    Operator& m_real;
};

// Runs `print` (a builder call whose LabelContext uses the operator it is given) with the
// label output captured and every read-back confirmed: the jobs it would have sent, byte
// for byte, and nothing sent.
QList<QByteArray> capturedJobs(Operator& op, const std::function<void(Operator& preview)>& print);
