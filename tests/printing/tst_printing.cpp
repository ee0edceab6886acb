#include "printing/ImprimeDireto.h"
#include "printing/PrinterBackends.h"
#include "printing/PrinterStatus.h"
#include "printing/Windows1252.h"
#include "support/DataRows.h"
#include "support/FakeLabelPrinter.h"

#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
const QString kJob = QStringLiteral("\x10"
                                    "CT~~CD,~CC^~CT~^XA^FDAção é ü €^FS^XZ");
const QByteArray kJobBytes = QByteArray("\x10"
                                        "CT~~CD,~CC^~CT~^XA^FDA\xE7\xE3o \xE9 \xFC \x80^FS^XZ");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool run(const QString& program, const QStringList& args, QByteArray* output = nullptr) {
    QProcess p;
    p.start(program, args);
    const bool ok = p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (output) *output = p.readAllStandardOutput();
    return ok;
}

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
const QByteArray kJob4KiB = QByteArray("^XA^FO10,10^FDVORLA^FS^XZ").repeated(4096 / 25 + 1).left(4096);
const int kStatusTimeoutMs = 300;

} // namespace

class tst_printing : public QObject {
    Q_OBJECT
  private slots:
    void encodesWindows1252_data() { addRowsFrom(DATA_DIR "/windows-1252.txt"); }
    void encodesWindows1252() {
        const DataRow r = dataRow();
        const QByteArray bytes = QByteArray::fromHex(r["bytes"].toLatin1());
        QCOMPARE(toWindows1252(r["text"]), bytes);
        if (r["back"] == "yes") QCOMPARE(fromWindows1252(bytes), r["text"]);
    }

    // The bytes arrive unchanged, an empty job too; the deadline grows with the job, so a
    // large job to a working printer still goes.
    void socketPrinterGetsExactBytes() {
        QVERIFY(backends::socketDeadline(4 << 20) >
                backends::socketDeadline(4096) + std::chrono::seconds(200));
        LoopbackPrinter printer;
        QVERIFY(ImprimeDireto(printer.uri(), "VORLA", kJob));
        QVERIFY(ImprimeDireto(printer.uri(), "VORLA", QString()));
        QVERIFY(ImprimeDireto(printer.uri(), "VORLA", QString(4 << 20, QLatin1Char('X'))));
        QCOMPARE(printer.waitForJobs(3),
                 (QList<QByteArray>{kJobBytes, QByteArray(), QByteArray(4 << 20, 'X')}));
    }

    void folderPrinterWritesOneFilePerJobInOrder() {
        QTemporaryDir dir;
        const QString printer = "file:" + dir.path();
        for (int i = 0; i < 11; ++i)
            QVERIFY(ImprimeDireto(printer, i % 2 ? "ZEBRA" : "VORLA", kJob + QString::number(i)));
        QVERIFY(ImprimeDireto(printer, "VORLA", QString()));
        const QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 12);
        QCOMPARE(files.first(), QString("000001-VORLA.zpl"));
        QCOMPARE(files[1], QString("000002-ZEBRA.zpl"));
        for (int i = 0; i < 11; ++i)
            QCOMPARE(readAll(dir.filePath(files[i])), kJobBytes + QByteArray::number(i));
        QCOMPARE(readAll(dir.filePath(files[11])), QByteArray());
    }

    void unwritableFolderFails() {
        if (geteuid() == 0) QSKIP("root writes into read-only folders (a missing folder: otherPrinters)");
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QVERIFY(!ImprimeDireto("file:" + dir.path(), "VORLA", kJob));
        QFile::setPermissions(dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // The system spooler in raw mode, with a queue pointed at a loopback printer: bytes
    // pass unchanged; a queue stopped with cupsdisable, or refusing jobs, is reported
    // before anything is sent; enabled again, jobs go.
    void spoolerQueue() {
        if (geteuid() != 0) QSKIP("adding a spooler queue needs root; CI runs this test as root");
        if (QStandardPaths::findExecutable("cupsdisable").isEmpty()) QSKIP("cups-client is not installed");
        QByteArray scheduler;
        if (!run("lpstat", {"-r"}, &scheduler) || !scheduler.contains("scheduler is running"))
            QSKIP("cupsd is not running (scripts/test.sh starts it)");

        FakeLabelPrinter printer;
        const QString queue = QStringLiteral("etiquetas_test_%1").arg(getpid());
        QVERIFY(run("lpadmin", {"-p", queue, "-E", "-v", printer.uri()}));
        QStringList states{printerStatusText(queryPrinterStatus(queue))};
        const bool sent = ImprimeDireto(queue, "VORLA", kJob);
        // Stopping the queue while its job is still going out would print that job again
        // when the queue starts: let it arrive first.
        QCOMPARE(printer.printer().waitForJobs(1, 30000).size(), 1);
        for (const char* command : {"cupsdisable", "cupsreject", "cupsenable", "cupsaccept"}) {
            QVERIFY(run(command, {queue}));
            states << printerStatusText(queryPrinterStatus(queue));
        }
        const bool sentAgain = ImprimeDireto(queue, "ZEBRA", kJob + "2");
        const QList<QByteArray> jobs = printer.printer().waitForJobs(2, 30000);
        QVERIFY(ImprimeDireto(queue, "VAZIO", QString())); // an empty job is accepted too
        run("lpadmin", {"-x", queue});
        QCOMPARE(states, (QStringList{QString(), "Fila de impressão parada",
                                      "Fila de impressão parada\nFila de impressão não aceita trabalhos",
                                      "Fila de impressão não aceita trabalhos", QString()}));
        QVERIFY(sent && sentAgain);
        QCOMPARE(jobs, (QList<QByteArray>{kJobBytes, kJobBytes + "2"}));
        QVERIFY(!printers::available(QString()).contains(queue));
    }

    // The chooser offers the current printer, then those chosen before on this
    // workstation (most recent first), then the spooler's queues.
    void printerListStartsWithTheCurrentPrinter() {
        QTemporaryDir home;
        for (const char* chosen : {"socket://10.0.0.9", "png:/tmp/fotos", "file:/tmp/etiquetas", "png:/tmp/fotos"})
            QVERIFY(printers::remember(home.path(), chosen));
        QCOMPARE(printers::remembered(home.path()),
                 (QStringList{"png:/tmp/fotos", "file:/tmp/etiquetas", "socket://10.0.0.9"}));
        const QStringList list = printers::available("file:/tmp/etiquetas", printers::remembered(home.path()));
        QCOMPARE(list.mid(0, 3), (QStringList{"file:/tmp/etiquetas", "png:/tmp/fotos", "socket://10.0.0.9"}));
        QCOMPARE(list.count("file:/tmp/etiquetas"), 1);
        QVERIFY(printers::remembered(home.filePath("nenhuma")).isEmpty());
    }

    void printerThatDoesNotTakeTheJobFails_data() { addRowsFrom(DATA_DIR "/socket-faults.txt"); }
    void printerThatDoesNotTakeTheJobFails() {
        const DataRow r = dataRow();
        const int deadlineMs = r["deadline"].toInt();
        FaultyPrinter printer(r["reads"].toInt(), r["chunk"].toInt(), r["pause"].toInt());
        SendFailure problem;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!backends::sendToSocket(printer.hostAndPort(), kJob4KiB, &problem,
                                        std::chrono::milliseconds(deadlineMs)));
        QVERIFY2(clock.elapsed() < deadlineMs + 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(problem.cause.startsWith(r["reason"]), qPrintable(problem.cause));
    }

    void labelPrinterAnswers_data() { addRowsFrom(DATA_DIR "/printer-answers.txt"); }
    void labelPrinterAnswers() {
        const DataRow r = dataRow();
        FakeLabelPrinter printer(FakeLabelPrinter::answersNamed(r["answer"]));
        const PrinterStatus status = queryPrinterStatus(printer.uri(), kStatusTimeoutMs);
        QCOMPARE(printerStatusText(status), r["text"]);
        QCOMPARE(printerStatusWord(status), r["word"]);
        QCOMPARE(status.ready(), r["text"].isEmpty());
        QCOMPARE(status.unanswered(), r["unanswered"] == "yes");
        QCOMPARE(printer.printer().statusQueries(), 1);
        QVERIFY(printer.printer().jobs().isEmpty()); // a question is no job
    }

    // Several problems at once are all told, each once.
    void everyProblemIsTold() {
        // "\002" the frame's start, then the paper-out and pause flags of the ~HS answer.
        QByteArray answer = FakeLabelPrinter::reply(FakeLabelPrinter::Answer::HeadUp).bytes;
        answer.replace("\002030,0,0,", "\002030,1,1,");
        QCOMPARE(printerStatusText(zebra::readStatusAnswer(answer)),
                 "Cabeça de impressão aberta\nImpressora sem etiquetas\nImpressora em pausa");
    }

    void otherPrinters_data() { addRowsFrom(DATA_DIR "/other-printers.txt"); }
    void otherPrinters() {
        const DataRow r = dataRow();
        QTemporaryDir dir;
        const QString printer = QString(r["printer"]).replace("<temp>", dir.path());
        QCOMPARE(printerStatusText(queryPrinterStatus(printer, kStatusTimeoutMs)), r["text"]);
        if (!r["prints"].isEmpty())
            QCOMPARE(ImprimeDireto(printer, "VORLA", "^XA^FDok^FS^XZ"), r["prints"] == "yes");
    }
};

QTEST_GUILESS_MAIN(tst_printing)
#include "tst_printing.moc"
