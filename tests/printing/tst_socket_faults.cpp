#include "printing/ImprimeDireto.h"
#include "printing/PrinterBackends.h"
#include "support/LoopbackPrinter.h"

#include <QElapsedTimer>
#include <QtTest>

#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A network label printer on the loopback interface that misbehaves with the one job
// it accepts.
class FaultyPrinter {
  public:
    enum class Fault { ReadPartThenClose, NeverRead, SlowReader };

    explicit FaultyPrinter(Fault fault) : m_fault(fault) {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(m_listen, 4) != 0)
            qFatal("cannot listen on loopback");
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~FaultyPrinter() {
        m_stop = true;
        m_thread.join();
        ::close(m_listen);
    }
    QString hostAndPort() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

  private:
    bool wait(int fd, int ms) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, ms) > 0;
    }
    void serve() {
        while (!m_stop && !wait(m_listen, 50)) {
        }
        if (m_stop) return;
        const int c = ::accept(m_listen, nullptr, nullptr);
        char buffer[1024];
        switch (m_fault) {
        case Fault::ReadPartThenClose:
            if (wait(c, 5000)) (void)::read(c, buffer, sizeof buffer);
            break;
        case Fault::NeverRead:
            while (!m_stop)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            break;
        case Fault::SlowReader: // 64 bytes every 100 ms, until the end of the job
            while (!m_stop && wait(c, 5000) && ::read(c, buffer, 64) > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            break;
        }
        ::close(c);
    }

    Fault m_fault;
    int m_listen = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

const QByteArray kJob = QByteArray("^XA^FO10,10^FDVORLA^FS^XZ").repeated(4096 / 25 + 1).left(4096);

} // namespace

Q_DECLARE_METATYPE(FaultyPrinter::Fault)

class TstSocketFaults : public QObject {
    Q_OBJECT
  private slots:
    void printerThatDoesNotTakeTheJobFails_data() {
        QTest::addColumn<FaultyPrinter::Fault>("fault");
        QTest::addColumn<int>("deadlineMs");
        QTest::addColumn<QString>("reason");
        QTest::newRow("reads 1 KiB of 4 KiB, then closes")
            << FaultyPrinter::Fault::ReadPartThenClose << 10000 << "encerrou a conexão";
        QTest::newRow("never reads") << FaultyPrinter::Fault::NeverRead << 1500 << "no prazo de 1,5 s";
        QTest::newRow("reads slowly") << FaultyPrinter::Fault::SlowReader << 1500 << "no prazo de 1,5 s";
    }

    void printerThatDoesNotTakeTheJobFails() {
        QFETCH(FaultyPrinter::Fault, fault);
        QFETCH(int, deadlineMs);
        QFETCH(QString, reason);
        FaultyPrinter printer(fault);
        QString problem;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!backends::sendToSocket(printer.hostAndPort(), kJob, &problem,
                                        std::chrono::milliseconds(deadlineMs)));
        QVERIFY2(clock.elapsed() < deadlineMs + 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(problem.contains(reason), qPrintable(problem));
    }

    // The deadline grows with the job, so a large job to a working printer still goes.
    void deadlineGrowsWithTheJob() {
        QVERIFY(backends::socketDeadline(4 << 20) >
                backends::socketDeadline(4096) + std::chrono::seconds(200));
        LoopbackPrinter printer;
        const QString big = QString(4 << 20, QLatin1Char('X'));
        QVERIFY(ImprimeDireto(printer.uri(), QStringLiteral("VORLA"), big));
        QCOMPARE(printer.waitForJobs(1).value(0).size(), big.size());
    }
};

QTEST_GUILESS_MAIN(TstSocketFaults)
#include "tst_socket_faults.moc"
