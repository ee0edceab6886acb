#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A label printer on the loopback interface: listens on 127.0.0.1, takes every
// connection as one job and keeps its bytes. Runs on its own thread, so a job of any
// size can be sent from the test's thread. A connection that starts with a status query
// ("~HQES", "~HS") is no job: it is answered, by default as a ready printer answers.
class LoopbackPrinter {
  public:
    LoopbackPrinter();
    ~LoopbackPrinter();

    // What the printer says to its n-th status query (0 first): bytes, then whether it
    // hangs up at once instead of waiting for the client to.
    struct StatusReply {
        QByteArray bytes;
        bool hangUp = false;
    };
    void setStatusResponder(std::function<StatusReply(int query)> responder);
    int statusQueries();

    QString uri() const; // socket://127.0.0.1:PORT

    // Waits (up to timeoutMs) until `count` jobs have arrived, then returns them all.
    QList<QByteArray> waitForJobs(int count, int timeoutMs = 10000);
    QList<QByteArray> jobs();

  private:
    void serve();
    int m_listen = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    QList<QByteArray> m_jobs;
    std::function<StatusReply(int)> m_responder;
    int m_queries = 0;
};
