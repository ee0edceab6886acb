#include "app/CommandLine.h"

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
};

QTEST_GUILESS_MAIN(tst_command_line)
#include "tst_command_line.moc"
