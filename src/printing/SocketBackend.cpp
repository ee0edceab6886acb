#include "printing/PrinterBackends.h"

#include <QTcpSocket>

namespace backends {

bool sendToSocket(const QString& hostAndPort, const QByteArray& bytes)
{
    QString host = hostAndPort;
    quint16 port = 9100;
    while (host.endsWith(QLatin1Char('/'))) host.chop(1);
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && !host.endsWith(QLatin1Char(']'))) {
        bool ok = false;
        const uint p = host.mid(colon + 1).toUInt(&ok);
        if (!ok || p == 0 || p > 65535) return false;
        port = quint16(p);
        host.truncate(colon);
    }
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']'))) host = host.mid(1, host.size() - 2);
    if (host.isEmpty()) return false;

    QTcpSocket socket;
    socket.connectToHost(host, port);
    if (!socket.waitForConnected(5000)) return false;
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = socket.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) return false;
        written += n;
    }
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(10000)) return false;
    socket.disconnectFromHost();
    if (socket.state() != QAbstractSocket::UnconnectedState) socket.waitForDisconnected(3000);
    return written == bytes.size();
}

} // namespace backends
