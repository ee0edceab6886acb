#include "render/PngPrinter.h"

#include "printing/PrinterBackends.h"

#include <QFileInfo>
#include <QSaveFile>

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
// A job whose pictures cannot be made gets a short text file saying why in their place
// (000001-VORLA.txt beside 000001-VORLA.zpl).
void writePictures(const QString& jobFile, const QByteArray& bytes) {
    const RenderResult result = renderJob(bytes);
    const QFileInfo info(jobFile);
    const QString base = info.path() + QLatin1Char('/') + info.completeBaseName();
    QString error;
    savePictures(result.labels, base + QStringLiteral(".png"), error);
    if (!result.ok()) error = result.error;
    if (error.isEmpty()) return;
    QSaveFile why(base + QStringLiteral(".txt"));
    if (why.open(QIODevice::WriteOnly | QIODevice::Text)) {
        why.write((QStringLiteral("Etiquetas não desenhadas: ") + error + QLatin1Char('\n')).toUtf8());
        why.commit();
    }
}
} // namespace

void installPngPrinter() {
    backends::setPictureWriter(&writePictures);
}

} // namespace render
