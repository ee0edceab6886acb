#include "printing/PrinterBackends.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace backends {

namespace {
// Jobs are numbered so that a folder listing sorts them in the order they were sent;
// the document name stays visible after the number.
QString nextJobName(const QDir& dir, const QString& documentName)
{
    static const QRegularExpression numbered(QStringLiteral("^(\\d{6})-"));
    int last = 0;
    for (const QString& name : dir.entryList(QDir::Files)) {
        const auto m = numbered.match(name);
        if (m.hasMatch()) last = std::max(last, m.captured(1).toInt());
    }
    QString safe = documentName;
    safe.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    if (safe.isEmpty()) safe = QStringLiteral("job");
    return QStringLiteral("%1-%2.zpl").arg(last + 1, 6, 10, QLatin1Char('0')).arg(safe);
}
} // namespace

namespace {
PictureWriter pictureWriter = nullptr;
}

void setPictureWriter(PictureWriter writer)
{
    pictureWriter = writer;
}

bool writeToFolder(const QString& folder, const QString& documentName, const QByteArray& bytes, QString* written)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
    const QString path = dir.filePath(nextJobName(dir, documentName));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return false;
    if (written) *written = path;
    return true;
}

bool writeToFolderWithPictures(const QString& folder, const QString& documentName, const QByteArray& bytes)
{
    if (!pictureWriter) return false;
    QString path;
    if (!writeToFolder(folder, documentName, bytes, &path)) return false;
    // The job is sent once its file is written; its pictures only show it.
    pictureWriter(path, bytes);
    return true;
}

} // namespace backends
