#include "support/LoopbackPrinter.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A ready printer's answer to "~HQES~HS": the extended status block, then the three
// host status strings.
const QByteArray kReady = QByteArrayLiteral(
    "\x02\r\n  PRINTER STATUS\r\n   ERRORS:         0 00000000 00000000\r\n"
    "   WARNINGS:       0 00000000 00000000\r\n\x03\r\n"
    "\x02" "030,0,0,1245,000,0,0,0,000,0,0,0\x03\r\n"
    "\x02" "000,0,0,0,1,2,6,0,00000000,1,000\x03\r\n"
    "\x02" "1234,0\x03\r\n");

bool isStatusQuery(const QByteArray& bytes)
{
    return bytes.startsWith("~HQES") || bytes.startsWith("~HS");
}
} // namespace

LoopbackPrinter::LoopbackPrinter()
    : m_responder([](int) { return StatusReply{kReady}; })
{
    m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(m_listen, 16) != 0)
        throw std::runtime_error("cannot listen on loopback");
    socklen_t len = sizeof addr;
    ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { serve(); });
}

LoopbackPrinter::~LoopbackPrinter()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listen);
}

QString LoopbackPrinter::uri() const
{
    return QStringLiteral("socket://127.0.0.1:%1").arg(m_port);
}

void LoopbackPrinter::serve()
{
    while (!m_stop) {
        pollfd p{m_listen, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        const int c = ::accept(m_listen, nullptr, nullptr);
        if (c < 0) continue;
        QByteArray job;
        char buffer[65536];
        bool query = false;
        for (;;) {
            pollfd q{c, POLLIN, 0};
            if (::poll(&q, 1, 10000) <= 0) break;
            const ssize_t n = ::read(c, buffer, sizeof buffer);
            if (n <= 0) break;
            if (job.isEmpty() && isStatusQuery(QByteArray(buffer, n))) {
                query = true;
                if (answer(c)) break;
                continue;
            }
            if (!query) job.append(buffer, n);
        }
        ::close(c);
        std::lock_guard lock(m_mutex);
        if (query) continue;
        m_jobs << job;
        m_arrived.notify_all();
    }
}

QList<QByteArray> LoopbackPrinter::waitForJobs(int count, int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_jobs.size() >= count; });
    return m_jobs;
}

QList<QByteArray> LoopbackPrinter::jobs()
{
    std::lock_guard lock(m_mutex);
    return m_jobs;
}

bool LoopbackPrinter::answer(int connection)
{
    StatusReply reply;
    {
        std::lock_guard lock(m_mutex);
        reply = m_responder(m_queries++);
    }
    for (qsizetype sent = 0; sent < reply.bytes.size();) {
        const ssize_t n = ::send(connection, reply.bytes.constData() + sent, reply.bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += n;
    }
    return reply.hangUp;
}

void LoopbackPrinter::setStatusResponder(std::function<StatusReply(int)> responder)
{
    std::lock_guard lock(m_mutex);
    m_responder = std::move(responder);
}

int LoopbackPrinter::statusQueries()
{
    std::lock_guard lock(m_mutex);
    return m_queries;
}
