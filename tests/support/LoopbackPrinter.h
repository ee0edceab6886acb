#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// A label printer on the loopback interface: listens on 127.0.0.1, takes every
// connection as one job and keeps its bytes. Runs on its own thread, so a job of any
// size can be sent from the test's thread.
class LoopbackPrinter {
public:
    LoopbackPrinter();
    ~LoopbackPrinter();

    quint16 port() const { return m_port; }
    QString uri() const;  // socket://127.0.0.1:PORT

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
};
