#include "packing/PdfFolderPrinter.h"

#include <QDir>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

QPagedPaintDevice* PdfFolderPrinter::startDocument(const QString& name)
{
    if (!QDir().mkpath(m_folder)) return nullptr;
    m_writer.reset();  // the previous document is complete once its writer is gone
    m_writer = std::make_unique<QPdfWriter>(fileOf(++m_count));
    m_writer->setTitle(name);
    m_writer->setResolution(300);
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                        QPageLayout::Millimeter));
    return m_writer.get();
}

QString PdfFolderPrinter::fileOf(int document) const
{
    return QDir(m_folder).filePath(QStringLiteral("romaneio-%1.pdf").arg(document));
}
