#include "render/PngPrinter.h"

#include "printing/PrinterBackends.h"

#include <QFileInfo>

namespace render {

QStringList pictureFiles(const QString& pngPath, int count) {
    if (count == 1) return {pngPath};
    const QFileInfo info(pngPath);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("png") : info.suffix();
    const QString base = info.path() + QLatin1Char('/') + info.completeBaseName();
    QStringList files;
    for (int i = 1; i <= count; ++i)
        files << QStringLiteral("%1-%2.%3").arg(base).arg(i).arg(suffix);
    return files;
}

QStringList savePictures(const QList<RenderedLabel>& labels, const QString& pngPath, QString& error) {
    const QStringList files = pictureFiles(pngPath, int(labels.size()));
    QStringList written;
    for (int i = 0; i < labels.size(); ++i) {
        if (!labels[i].picture.save(files[i], "PNG")) {
            error = QStringLiteral("Não foi possível gravar %1.").arg(files[i]);
            return written;
        }
        written << files[i];
    }
    return written;
}

namespace {
bool writePictures(const QString& jobFile, const QByteArray& bytes) {
    const RenderResult result = renderJob(bytes);
    const QFileInfo info(jobFile);
    QString error;
    const QStringList written = savePictures(
        result.labels, info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".png"),
        error);
    return result.ok() && error.isEmpty() && written.size() == result.labels.size();
}
} // namespace

void installPngPrinter() {
    backends::setPictureWriter(&writePictures);
}

} // namespace render
