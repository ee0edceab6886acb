#include "render/StoredGraphic.h"

namespace render {

QString graphicName(const QByteArray& name) {
    QString text = QString::fromLatin1(name).trimmed().toUpper();
    if (text.size() > 2 && text.at(1) == QLatin1Char(':')) text = text.mid(2);
    if (!text.contains(QLatin1Char('.'))) text += QStringLiteral(".GRF");
    return text;
}

QByteArray decodeGraphicData(const QByteArray& data, int bytesPerRow, int totalBytes) {
    if (bytesPerRow <= 0 || totalBytes <= 0 || totalBytes % bytesPerRow != 0) return {};
    const qsizetype rowChars = qsizetype(bytesPerRow) * 2;
    const qsizetype wanted = qsizetype(totalBytes) * 2;
    QByteArray hex;
    hex.reserve(wanted);
    int count = 0;
    for (const char c : data) {
        if (c >= 'G' && c <= 'Y') {
            count += c - 'F';
        } else if (c >= 'g' && c <= 'z') {
            count += 20 * (c - 'f');
        } else if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) {
            hex.append(std::max(count, 1), char(std::toupper(c)));
            count = 0;
        } else if (c == ',' || c == '!') {
            if (count != 0) return {};
            hex.append(rowChars - hex.size() % rowChars, c == ',' ? '0' : 'F');
        } else if (c == ':') {
            if (count != 0 || hex.size() % rowChars != 0 || hex.size() < rowChars) return {};
            hex.append(hex.right(rowChars));
        } else if (c == '\r' || c == '\n') {
            continue;
        } else {
            return {};
        }
        if (hex.size() > wanted) return {};
    }
    if (count != 0 || hex.size() != wanted) return {};
    return QByteArray::fromHex(hex);
}

QByteArray decodeGraphicField(const QByteArray& data, int bytesPerRow, int totalBytes) {
    const QByteArray trimmed = data.trimmed();
    const bool zipped = trimmed.startsWith(":Z64:");
    if (!zipped && !trimmed.startsWith(":B64:")) return decodeGraphicData(data, bytesPerRow, totalBytes);
    if (bytesPerRow <= 0 || totalBytes <= 0 || totalBytes % bytesPerRow != 0) return {};
    const qsizetype end = trimmed.indexOf(':', 5);
    const auto decoded = QByteArray::fromBase64Encoding(trimmed.mid(5, end < 0 ? -1 : end - 5));
    if (!decoded) return {};
    QByteArray bytes = *decoded;
    if (zipped) {
        // qUncompress wants the expected size first, four bytes big-endian.
        QByteArray sized(4, '\0');
        for (int i = 0; i < 4; ++i)
            sized[i] = char((quint32(totalBytes) >> (24 - 8 * i)) & 0xFF);
        bytes = qUncompress(sized + bytes);
    }
    if (bytes.size() < totalBytes) return {};
    return bytes.left(totalBytes);
}

QImage graphicImage(const QByteArray& bits, int bytesPerRow) {
    const int height = int(bits.size() / bytesPerRow);
    QImage image(bytesPerRow * 8, height, QImage::Format_Mono);
    image.setColorTable({qRgba(255, 255, 255, 0), qRgba(0, 0, 0, 255)});
    for (int row = 0; row < height; ++row)
        std::memcpy(image.scanLine(row), bits.constData() + qsizetype(row) * bytesPerRow,
                    size_t(bytesPerRow));
    return image;
}

} // namespace render
