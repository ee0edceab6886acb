#pragma once

#include "session/Operator.h"

class QProgressDialog;

// The operator at the workstation: every question and notice as a Qt dialog over the
// active window.
class QtOperator : public Operator {
public:
    QtOperator();
    ~QtOperator() override;
    void message(const QString& text, const QString& title, Icon icon) override;
    bool askYesNo(const QString& text, const QString& title, Icon icon) override;
    void showLabels(const QList<QByteArray>& jobs) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> openFile(const QString& title, const QString& filter) override;
    std::optional<QString> choosePrinter(const QStringList& printers, const QString& current) override;
    bool readBarcode(const QString& prompt, const QString& expectedCode) override;
    void progress(int done, int total) override;
    std::unique_ptr<PagePrinter> choosePagePrinter() override;

    // The folder the open-file dialog starts in; afterwards it starts where the last
    // file was chosen.
    void setStartFolder(const QString& folder) { m_folder = folder; }

private:
    QString m_folder;
    std::unique_ptr<QProgressDialog> m_progress;
};
