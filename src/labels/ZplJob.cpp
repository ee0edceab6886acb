#include "labels/ZplJob.h"

namespace zpl {

QString PrefixoDriver()
{
    return QString(QChar(16)) + QStringLiteral("CT~~CD,~CC^~CT~");
}

QString CabecalhoZPL(Media media)
{
    QString mediaCommands;
    switch (media) {
    case Media::TransferGap: mediaCommands = QStringLiteral("^MNW^MTT"); break;
    case Media::DirectThermalGap: mediaCommands = QStringLiteral("^MNW^MTD"); break;
    case Media::TransferContinuous: mediaCommands = QStringLiteral("^MNN^MTT"); break;
    }
    return QStringLiteral("^XA~TA000~JSN^LT0") + mediaCommands +
           QStringLiteral("^PON^PMN^LH0,0^JMA^PR*/VELOCIDADE/*,*/VELOCIDADE/*~SD*/TEMPERATURA/*^JUS^LRN^CI35^XZ");
}

JobWriter& JobWriter::operator<<(const QString& piece)
{
    m_text += piece;
    return *this;
}

void JobWriter::field(const FieldRow& row, int column, const QList<std::pair<QString, QString>>& marks)
{
    const QPoint at = row.at.at(column);
    QString element = row.element;
    for (const auto& [mark, value] : marks) element.replace(mark, value);
    m_text += row.leadIn + QString::number(DeslocaX(at.x())) + QStringLiteral(" ,") +
              QString::number(DeslocaY(at.y())) + element;
}

void JobWriter::column(const QList<FieldRow>& rows, int column, const QList<std::pair<QString, QString>>& marks)
{
    for (const FieldRow& row : rows) field(row, column, marks);
}

} // namespace zpl
