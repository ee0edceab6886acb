#include "printing/ImprimeDireto.h"
#include "printing/PrinterStatus.h"
#include "printing/Windows1252.h"
#include "support/FakeLabelPrinter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {
const QString kJob = QStringLiteral("\x10" "CT~~CD,~CC^~CT~^XA^FDAção é ü €^FS^XZ");
const QByteArray kJobBytes = QByteArray("\x10" "CT~~CD,~CC^~CT~^XA^FDA\xE7\xE3o \xE9 \xFC \x80^FS^XZ");

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool run(const QString& program, const QStringList& args, QByteArray* output = nullptr)
{
    QProcess p;
    p.start(program, args);
    const bool ok = p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (output) *output = p.readAllStandardOutput();
    return ok;
}

bool schedulerRunning()
{
    QByteArray out;
    return run("lpstat", {"-r"}, &out) && out.contains("scheduler is running");
}
} // namespace

class tst_raw_output : public QObject {
    Q_OBJECT
private slots:
    void encodesWindows1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii and control") << QStringLiteral("\x10^XA~") << QByteArray("\x10^XA~");
        QTest::newRow("latin accents") << QStringLiteral("ÇÃÉÍÓÚçãéíóú") << QByteArray("\xC7\xC3\xC9\xCD\xD3\xDA\xE7\xE3\xE9\xED\xF3\xFA");
        QTest::newRow("the 0x80 row") << QStringLiteral("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ")
                                      << QByteArray("\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94"
                                                    "\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F");
        QTest::newRow("outside the code page") << QStringLiteral("a→b😀c") << QByteArray("a?b?c");
        QTest::newRow("empty") << QString() << QByteArray();
    }

    void encodesWindows1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toWindows1252(text), bytes);
        if (!text.contains(QChar(0x2192)) && !text.contains(QChar(0xD83D))) QCOMPARE(fromWindows1252(bytes), text);
    }

    void socketPrinterGetsExactBytes()
    {
        LoopbackPrinter printer;
        QVERIFY(ImprimeDireto(printer.uri(), "VORLA", kJob));
        QVERIFY(ImprimeDireto(printer.uri(), "VORLA", QString()));
        QCOMPARE(printer.waitForJobs(2), (QList<QByteArray>{kJobBytes, QByteArray()}));
    }

    void folderPrinterWritesOneFilePerJobInOrder()
    {
        QTemporaryDir dir;
        const QString printer = "file:" + dir.path();
        for (int i = 0; i < 11; ++i) QVERIFY(ImprimeDireto(printer, i % 2 ? "ZEBRA" : "VORLA", kJob + QString::number(i)));
        QVERIFY(ImprimeDireto(printer, "VORLA", QString()));
        const QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 12);
        QCOMPARE(files.first(), QString("000001-VORLA.zpl"));
        QCOMPARE(files[1], QString("000002-ZEBRA.zpl"));
        for (int i = 0; i < 11; ++i) QCOMPARE(readAll(dir.filePath(files[i])), kJobBytes + QByteArray::number(i));
        QCOMPARE(readAll(dir.filePath(files[11])), QByteArray());
    }

    void failuresReturnFalseAndSendNothing_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::newRow("empty name") << QString();
        QTest::newRow("unknown queue") << "FILA_QUE_NAO_EXISTE_123";
        QTest::newRow("missing folder") << "file:/nao/existe/pasta";
        QTest::newRow("bad port") << "socket://127.0.0.1:99999";
        QTest::newRow("no host") << "socket://";
        QTest::newRow("closed port") << "socket://127.0.0.1:1";
    }

    void failuresReturnFalseAndSendNothing()
    {
        QFETCH(QString, printer);
        QVERIFY(!ImprimeDireto(printer, "VORLA", kJob));
    }

    void unwritableFolderFails()
    {
        if (geteuid() == 0) QSKIP("root writes into read-only folders; the missing-folder row covers the failure path");
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QVERIFY(!ImprimeDireto("file:" + dir.path(), "VORLA", kJob));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // The system spooler in raw mode, with a queue pointed at a loopback printer: bytes
    // pass unchanged; a queue stopped with cupsdisable, or refusing jobs, is reported
    // before anything is sent; enabled again, jobs go.
    void spoolerQueue()
    {
        if (geteuid() != 0) QSKIP("adding a spooler queue needs root; CI runs this test as root");
        if (QStandardPaths::findExecutable("cupsdisable").isEmpty()) QSKIP("cups-client is not installed");
        if (!schedulerRunning()) QSKIP("cupsd is not running (scripts/test.sh starts it)");

        FakeLabelPrinter printer;
        const QString queue = QStringLiteral("etiquetas_test_%1").arg(getpid());
        QVERIFY(run("lpadmin", {"-p", queue, "-E", "-v", printer.uri()}));
        const QString ready = printerStatusText(queryPrinterStatus(queue));
        const bool sent = ImprimeDireto(queue, "VORLA", kJob);
        // Stopping the queue while its job is still going out would print that job again
        // when the queue starts: let it arrive first.
        QCOMPARE(printer.printer().waitForJobs(1, 30000).size(), 1);
        QVERIFY(run("cupsdisable", {queue}));
        const QString stopped = printerStatusText(queryPrinterStatus(queue));
        QVERIFY(run("cupsreject", {queue}));
        const QString rejecting = printerStatusText(queryPrinterStatus(queue));
        QVERIFY(run("cupsenable", {queue}));
        QVERIFY(run("cupsaccept", {queue}));
        const QString enabled = printerStatusText(queryPrinterStatus(queue));
        const bool sentAgain = ImprimeDireto(queue, "ZEBRA", kJob + "2");
        const QList<QByteArray> jobs = printer.printer().waitForJobs(2, 30000);
        QVERIFY(ImprimeDireto(queue, "VAZIO", QString()));  // an empty job is accepted too
        run("lpadmin", {"-x", queue});
        QCOMPARE(ready, QString());
        QCOMPARE(stopped, "Fila de impressão parada");
        QCOMPARE(rejecting, "Fila de impressão parada\nFila de impressão não aceita trabalhos");
        QCOMPARE(enabled, QString());
        QVERIFY(sent && sentAgain);
        QCOMPARE(jobs, (QList<QByteArray>{kJobBytes, kJobBytes + "2"}));
        QVERIFY(printers::available(QString()).isEmpty() || !printers::available(QString()).contains(queue));
    }

    void printerListStartsWithTheCurrentPrinter()
    {
        const QStringList list = printers::available("file:/tmp/etiquetas");
        QCOMPARE(list.first(), QString("file:/tmp/etiquetas"));
        QCOMPARE(list.count("file:/tmp/etiquetas"), 1);
        qputenv("PRINTER", "socket://10.0.0.9");
        QCOMPARE(printers::defaultPrinter(), QString("socket://10.0.0.9"));
        qunsetenv("PRINTER");
    }
};

QTEST_GUILESS_MAIN(tst_raw_output)
#include "tst_raw_output.moc"
