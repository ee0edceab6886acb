#include "support/LoopbackPrinter.h"

#include "support/FakeLabelPrinter.h"

#include <arpa/inet.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

LoopbackPrinter::LoopbackPrinter()
    : m_responder([](int) { return FakeLabelPrinter::reply(FakeLabelPrinter::Answer::Ready); }) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
        ::listen(m_listen, 16) != 0 || ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("cannot listen on loopback");
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { serve(); });
}

LoopbackPrinter::~LoopbackPrinter() {
    m_stop = true;
    m_thread.join();
    ::close(m_listen);
}

QString LoopbackPrinter::uri() const {
    return QStringLiteral("socket://127.0.0.1:%1").arg(m_port);
}

// One connection at a time, read until the client hangs up or is silent for 10 s.
void LoopbackPrinter::serve() {
    while (!m_stop) {
        pollfd listening{m_listen, POLLIN, 0};
        const int c = ::poll(&listening, 1, 50) > 0 ? ::accept(m_listen, nullptr, nullptr) : -1;
        if (c < 0) continue;
        QByteArray job;
        bool query = false;
        char buffer[65536];
        for (pollfd p{c, POLLIN, 0}; ::poll(&p, 1, 10000) > 0;) {
            const ssize_t n = ::read(c, buffer, sizeof buffer);
            if (n <= 0) break;
            const QByteArray bytes(buffer, n);
            if (job.isEmpty() && (bytes.startsWith("~HQES") || bytes.startsWith("~HS"))) {
                query = true;
                std::unique_lock lock(m_mutex);
                const StatusReply reply = m_responder(m_queries++);
                lock.unlock();
                ::send(c, reply.bytes.constData(), reply.bytes.size(), MSG_NOSIGNAL);
                if (reply.hangUp) break;
            } else if (!query) {
                job += bytes;
            }
        }
        ::close(c);
        if (query) continue;
        std::lock_guard lock(m_mutex);
        m_jobs << job;
        m_arrived.notify_all();
    }
}

QList<QByteArray> LoopbackPrinter::waitForJobs(int count, int timeoutMs) {
    std::unique_lock lock(m_mutex);
    m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_jobs.size() >= count; });
    return m_jobs;
}

QList<QByteArray> LoopbackPrinter::jobs() {
    std::lock_guard lock(m_mutex);
    return m_jobs;
}

void LoopbackPrinter::setStatusResponder(std::function<StatusReply(int)> responder) {
    std::lock_guard lock(m_mutex);
    m_responder = std::move(responder);
}

int LoopbackPrinter::statusQueries() {
    std::lock_guard lock(m_mutex);
    return m_queries;
}
