#pragma once

#include "session/PagePrinter.h"

#include <QPdfWriter>
#include <QString>
#include <memory>

// A page printer that writes each document as a PDF file in a folder: romaneio-1.pdf,
// romaneio-2.pdf, ... in the order the documents were started. A4, 10 mm margins.
class PdfFolderPrinter : public PagePrinter {
public:
    explicit PdfFolderPrinter(QString folder) : m_folder(std::move(folder)) {}
    QPagedPaintDevice* startDocument(const QString& name) override;

    QString fileOf(int document) const;  // 1 = the first document started

private:
    QString m_folder;
    int m_count = 0;
    std::unique_ptr<QPdfWriter> m_writer;
};
