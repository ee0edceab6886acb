#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The three ways a job leaves the program; each returns true only when every byte
// was accepted.
namespace backends {
bool sendToSocket(const QString& hostAndPort, const QByteArray& bytes);
bool writeToFolder(const QString& folder, const QString& documentName, const QByteArray& bytes);
bool sendToQueue(const QString& queue, const QString& documentName, const QByteArray& bytes);

QStringList spoolerQueues();
QString spoolerDefault();
} // namespace backends
