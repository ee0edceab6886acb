#include "labels/ZplJob.h"

#include <algorithm>

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

QString hexEscaped(const QString& data)
{
    if (!holdsCommandCharacters(data)) return data;
    QString out;
    out.reserve(data.size() + 8);
    for (const QChar c : data) {
        if (c == QLatin1Char('^')) out += QStringLiteral("\\5E");
        else if (c == QLatin1Char('~')) out += QStringLiteral("\\7E");
        else if (c == QLatin1Char('\\')) out += QStringLiteral("\\5C");
        else out += c;
    }
    return out;
}

bool holdsCommandCharacters(const QString& data)
{
    for (const QChar c : data)
        if (c == QLatin1Char('^') || c == QLatin1Char('~') || c == QLatin1Char('\\')) return true;
    return false;
}

void fillData(QString& job, const QString& placeholder, const QString& value)
{
    const QString escaped = hexEscaped(value);
    if (escaped == value) {
        job.replace(placeholder, value);  // ordinary data: the same text in every field
        return;
    }
    for (qsizetype at = job.indexOf(placeholder); at >= 0; at = job.indexOf(placeholder, at)) {
        // The field around the placeholder starts after the previous "^FS".
        const qsizetype fieldStart = std::max<qsizetype>(job.lastIndexOf(QStringLiteral("^FS"), at), 0);
        const qsizetype fh = job.indexOf(QStringLiteral("^FH"), fieldStart);
        const QString& data = fh >= 0 && fh < at ? escaped : value;
        job.replace(at, placeholder.size(), data);
        at += data.size();
    }
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
    for (const auto& [mark, value] : marks) fillData(element, mark, value);
    m_text += row.leadIn + QString::number(DeslocaX(at.x())) + QStringLiteral(" ,") +
              QString::number(DeslocaY(at.y())) + element;
}

void JobWriter::column(const QList<FieldRow>& rows, int column, const QList<std::pair<QString, QString>>& marks)
{
    for (const FieldRow& row : rows) field(row, column, marks);
}

} // namespace zpl
