#include "app/CommandLine.h"
#include "support/FakeLabelPrinter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_command_line : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("home");
        QTest::newRow("nothing") << QStringList{"p"} << int(CommandLine::Action::Run) << "/exe";
        QTest::newRow("home") << QStringList{"p", "--home", "/h"} << int(CommandLine::Action::Run) << "/h";
        QTest::newRow("init") << QStringList{"p", "--init", "/n", "--user", "u", "--password", "p"}
                              << int(CommandLine::Action::Init) << "/n";
        QTest::newRow("help wins") << QStringList{"p", "--init", "/n", "--help"} << int(CommandLine::Action::Help) << "/n";
        QTest::newRow("missing value") << QStringList{"p", "--home"} << int(CommandLine::Action::Error) << "/exe";
        QTest::newRow("unknown") << QStringList{"p", "--bogus"} << int(CommandLine::Action::Error) << "/exe";
        QTest::newRow("printer status") << QStringList{"p", "--printer-status", "file:/x"}
                                        << int(CommandLine::Action::PrinterStatus) << "/exe";
        QTest::newRow("current printer status") << QStringList{"p", "--printer-status"}
                                                << int(CommandLine::Action::PrinterStatus) << "/exe";
        QTest::newRow("user without init") << QStringList{"p", "--user", "u"} << int(CommandLine::Action::Error) << "/exe";
    }

    void parse()
    {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(QString, home);
        const CommandLine cl = CommandLine::parse(args, "/exe");
        QCOMPARE(int(cl.action), action);
        if (cl.action != CommandLine::Action::Error) QCOMPARE(cl.home, home);
    }

    // The real executable: --init creates a home once and refuses the second time;
    // a home without the user store ends the program with a non-zero code.
    void executable()
    {
        const QString exe = QStringLiteral(ETIQUETAS_EXE);
        QTemporaryDir dir;
        QProcess p;
        p.start(exe, {"--init", dir.path(), "--user", "Ana", "--password", "x"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QFile::exists(dir.filePath("bd/TOMVEL.db")));
        QVERIFY(QFile::exists(dir.filePath("bd/vorla.db")));

        p.start(exe, {"--init", dir.path(), "--user", "Outro", "--password", "y"});
        QVERIFY(p.waitForFinished(20000));
        QVERIFY(p.exitCode() != 0);
        QVERIFY(p.readAllStandardError().contains("já existe"));

        QTemporaryDir empty;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(exe, {"--home", empty.path()});
        QVERIFY(p.waitForStarted());
        // The store error is shown in a message box; the test cannot click it, so
        // it checks the program did not carry on to an empty store file.
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += p.readAllStandardError()).contains("TOMVEL.db"), 10000);
        p.kill();
        p.waitForFinished();
        QVERIFY(!QFile::exists(empty.filePath("bd/TOMVEL.db")));
    }

    // --printer-status for a technician: the state on the terminal, 0 when ready.
    void printerStatus_data()
    {
        QTest::addColumn<QString>("printer");  // empty: $PRINTER, the current printer
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::newRow("current printer") << QString() << 0 << "Pronta";
        QTest::newRow("paper out") << "fake" << 1 << "Impressora sem etiquetas";
    }

    void printerStatus()
    {
        QFETCH(QString, printer);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        FakeLabelPrinter fake({FakeLabelPrinter::Answer::PaperOut});
        if (printer == "fake") printer = fake.uri();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PRINTER", "file:" + QDir::tempPath());
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ETIQUETAS_EXE), printer.isEmpty() ? QStringList{"--printer-status"}
                                                                 : QStringList{"--printer-status", printer});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), exitCode);
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(output), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(tst_command_line)
#include "tst_command_line.moc"
