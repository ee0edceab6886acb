#include "printing/ImprimeDireto.h"
#include "printing/PrinterBackends.h"
#include "support/DataRows.h"
#include "support/LoopbackPrinter.h"

#include <QElapsedTimer>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

bool readable(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}

// A network label printer on the loopback interface that reads the one job sent to it
// `chunk` bytes at a time, `pauseMs` apart, `reads` times (-1: to the end of the job),
// then hangs up. With no reads the connection is never accepted and stays open.
class FaultyPrinter {
  public:
    FaultyPrinter(int reads, int chunk, int pauseMs) {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(m_listen, 4) != 0)
            qFatal("cannot listen on loopback");
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::jthread([=, this](std::stop_token stop) {
            if (reads == 0 || !readable(m_listen, 5000)) return;
            const int c = ::accept(m_listen, nullptr, nullptr);
            QByteArray buffer(chunk, '\0');
            for (int n = 0; n != reads && !stop.stop_requested() && readable(c, 5000); ++n) {
                if (::read(c, buffer.data(), size_t(chunk)) <= 0) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
            }
            ::close(c);
        });
    }
    ~FaultyPrinter() {
        m_thread = {}; // stops and joins the reader before its socket goes
        ::close(m_listen);
    }
    QString hostAndPort() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

  private:
    int m_listen = -1;
    quint16 m_port = 0;
    std::jthread m_thread;
};

const QByteArray kJob = QByteArray("^XA^FO10,10^FDVORLA^FS^XZ").repeated(4096 / 25 + 1).left(4096);

} // namespace

class TstSocketFaults : public QObject {
    Q_OBJECT
  private slots:
    void printerThatDoesNotTakeTheJobFails_data() { addRowsFrom(DATA_DIR "/socket-faults.txt"); }
    void printerThatDoesNotTakeTheJobFails() {
        const DataRow r = dataRow();
        const int deadlineMs = r["deadline"].toInt();
        FaultyPrinter printer(r["reads"].toInt(), r["chunk"].toInt(), r["pause"].toInt());
        QString problem;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!backends::sendToSocket(printer.hostAndPort(), kJob, &problem,
                                        std::chrono::milliseconds(deadlineMs)));
        QVERIFY2(clock.elapsed() < deadlineMs + 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(problem.contains(r["reason"]), qPrintable(problem));
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
