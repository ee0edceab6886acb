#pragma once

#include "printing/ImprimeDireto.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

// The three ways a job leaves the program; each returns true only when every byte
// was accepted.
namespace backends {
// Raw TCP: done only when every byte went out and the printer closed the connection
// without a reset, all before a deadline that grows with the job (socketDeadline()
// unless one is given). `failure` receives the reason of a failure.
bool sendToSocket(const QString& hostAndPort, const QByteArray& bytes, SendFailure* failure = nullptr,
                  std::optional<std::chrono::milliseconds> deadline = std::nullopt);
std::chrono::milliseconds socketDeadline(qint64 bytes);
// "host[:port]" of a socket:// printer (an IPv6 address in brackets), port 9100 when none
// is given; false when the text names no host or no valid port.
bool parseHostAndPort(QString text, QString& host, quint16& port);

// `written` receives the path of the new file.
bool writeToFolder(const QString& folder, const QString& documentName, const QByteArray& bytes,
                   QString* written = nullptr);
bool writeToFolderWithPictures(const QString& folder, const QString& documentName, const QByteArray& bytes);
bool sendToQueue(const QString& queue, const QString& documentName, const QByteArray& bytes);

// The picture printer ("png:") writes each job as the folder printer does, then hands the
// file's path and the bytes to the picture writer, which draws the labels beside it. A job
// counts as sent once its file is written, whatever becomes of its pictures. The
// renderer sits above this layer, so it installs the writer at start-up; without one a
// "png:" printer takes nothing.
using PictureWriter = void (*)(const QString& jobFile, const QByteArray& bytes);
void setPictureWriter(PictureWriter writer);

QStringList spoolerQueues();
QString spoolerDefault();
} // namespace backends
