#include "printing/PrinterBackends.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

// Raw TCP on plain sockets: Qt's socket takes a connection reset for an orderly close,
// and a printer that drops a job half read must count as a failed send.

namespace backends {

namespace {

QString systemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// A failed connection in the operator's words, the system's text kept for a technician.
SendFailure connectionFailure(int error) {
    switch (error) {
    case ECONNREFUSED:
        return {QStringLiteral("conexão recusada (a impressora não aceita trabalhos nesta porta)"), systemText(error)};
    case ETIMEDOUT:
        return {QStringLiteral("tempo esgotado (a impressora não atendeu: desligada ou fora da rede?)"),
                systemText(error)};
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EHOSTDOWN:
    case ENETDOWN:
        return {QStringLiteral("impressora fora do alcance da rede"), systemText(error)};
    default:
        return {QStringLiteral("sem conexão com a impressora"), systemText(error)};
    }
}

// A socket closed when it goes out of scope.
class Socket {
  public:
    Socket() = default;
    explicit Socket(int fd) : m_fd(fd) {}
    ~Socket() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Socket(Socket&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Socket& operator=(Socket&& other) noexcept {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    int fd() const { return m_fd; }

  private:
    int m_fd = -1;
};

class Deadline {
  public:
    explicit Deadline(std::chrono::milliseconds budget) : m_budget(budget.count()) { m_clock.start(); }
    int remainingMs() const { return int(std::max<qint64>(0, m_budget - m_clock.elapsed())); }
    bool passed() const { return remainingMs() == 0; }

  private:
    qint64 m_budget;
    QElapsedTimer m_clock;
};

// Waits for `events` on the socket until the deadline; false when it passed first.
bool waitFor(int fd, short events, const Deadline& deadline, short& revents) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, deadline.remainingMs());
        if (n > 0) {
            revents = p.revents;
            return true;
        }
        if (n == 0 || errno != EINTR) return false;
    }
}

int pendingError(int fd) {
    int error = 0;
    socklen_t len = sizeof error;
    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len);
    return error;
}

// A connected socket to host:port, or none with the reason in `problem`.
Socket connectTo(const QString& host, quint16 port, const Deadline& deadline, SendFailure& problem) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int lookup =
        ::getaddrinfo(host.toUtf8().constData(), QByteArray::number(port).constData(), &hints, &found);
    if (lookup != 0) {
        problem = {QStringLiteral("endereço inválido (a rede não conhece \"%1\")").arg(host),
                   QString::fromLocal8Bit(::gai_strerror(lookup))};
        return {};
    }
    int lastError = ETIMEDOUT;
    Socket connected;
    for (addrinfo* a = found; a && connected.fd() < 0 && !deadline.passed(); a = a->ai_next) {
        Socket s(::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol));
        if (s.fd() < 0) {
            lastError = errno;
            continue;
        }
        if (::connect(s.fd(), a->ai_addr, a->ai_addrlen) != 0) {
            if (errno != EINPROGRESS) {
                lastError = errno;
                continue;
            }
            short revents = 0;
            if (!waitFor(s.fd(), POLLOUT, deadline, revents)) {
                lastError = ETIMEDOUT;
                continue;
            }
            if (const int e = pendingError(s.fd())) {
                lastError = e;
                continue;
            }
        }
        connected = std::move(s);
    }
    ::freeaddrinfo(found);
    if (connected.fd() < 0) problem = connectionFailure(lastError);
    return connected;
}

SendFailure lateFailure(std::chrono::milliseconds budget) {
    const QString seconds =
        QString::number(double(budget.count()) / 1000.0, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
    return {QStringLiteral("tempo esgotado (a impressora não terminou de receber a etiqueta no prazo de %1 s)")
                .arg(seconds),
            QString()};
}

SendFailure droppedFailure(int error) {
    return {QStringLiteral("conexão interrompida (a impressora encerrou a conexão antes de receber a etiqueta "
                           "inteira)"),
            systemText(error)};
}

// Writes every byte before the deadline.
bool sendAll(int fd, const QByteArray& bytes, const Deadline& deadline, std::chrono::milliseconds budget,
             SendFailure& problem) {
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::send(fd, bytes.constData() + written, size_t(bytes.size() - written), MSG_NOSIGNAL);
        if (n > 0) {
            written += n;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            problem = droppedFailure(errno);
            return false;
        }
        short revents = 0;
        if (!waitFor(fd, POLLOUT, deadline, revents)) {
            problem = lateFailure(budget);
            return false;
        }
    }
    return true;
}

// After the last byte the sending side is shut down; the printer takes the end of the
// job and closes its side. A reset (the printer closed with bytes of ours unread) or
// no close before the deadline is a failed send.
bool awaitPrinterClose(int fd, const Deadline& deadline, std::chrono::milliseconds budget, SendFailure& problem) {
    if (::shutdown(fd, SHUT_WR) != 0) {
        problem = droppedFailure(errno);
        return false;
    }
    char discard[4096];
    for (;;) {
        const ssize_t n = ::recv(fd, discard, sizeof discard, 0);
        if (n == 0) {
            if (const int e = pendingError(fd)) {
                problem = droppedFailure(e);
                return false;
            }
            return true;
        }
        if (n > 0) continue; // status the printer sends back is of no use here
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            problem = droppedFailure(errno);
            return false;
        }
        short revents = 0;
        if (!waitFor(fd, POLLIN, deadline, revents)) {
            problem = lateFailure(budget);
            return false;
        }
    }
}

} // namespace

std::chrono::milliseconds socketDeadline(qint64 bytes) {
    // Ten seconds, and one more for every 16 KiB: a label printer takes a job far faster.
    return std::chrono::milliseconds(10000 + bytes * 1000 / 16384);
}

bool parseHostAndPort(QString text, QString& host, quint16& port) {
    port = 9100;
    while (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && !text.endsWith(QLatin1Char(']'))) {
        bool ok = false;
        const uint p = text.mid(colon + 1).toUInt(&ok);
        if (!ok || p == 0 || p > 65535) return false;
        port = quint16(p);
        text.truncate(colon);
    }
    if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']')))
        text = text.mid(1, text.size() - 2);
    host = text;
    return !host.isEmpty();
}

bool sendToSocket(const QString& hostAndPort, const QByteArray& bytes, SendFailure* problem,
                  std::optional<std::chrono::milliseconds> budget) {
    SendFailure why;
    QString host;
    quint16 port = 9100;
    if (!parseHostAndPort(hostAndPort, host, port)) {
        if (problem) *problem = {QStringLiteral("endereço inválido (socket://servidor[:porta])"), QString()};
        return false;
    }

    const std::chrono::milliseconds allowed = budget.value_or(socketDeadline(bytes.size()));
    const Deadline deadline(allowed);
    // A printer that is off answers no connection: five seconds at most for that.
    const Deadline connecting(std::chrono::milliseconds(std::min(5000, deadline.remainingMs())));
    const Socket socket = connectTo(host, port, connecting, why);
    const bool sent = socket.fd() >= 0 && sendAll(socket.fd(), bytes, deadline, allowed, why) &&
                      awaitPrinterClose(socket.fd(), deadline, allowed, why);
    if (!sent && problem) *problem = why;
    return sent;
}

} // namespace backends
