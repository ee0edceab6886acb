#include "app/CommandLine.h"
#include "data/Home.h"
#include "support/DataRows.h"
#include "support/FakeLabelPrinter.h"

#include <QtTest>

class tst_command_line : public QObject {
    Q_OBJECT
  private slots:
    void parse_data() { addRowsFrom(DATA_DIR "/command-lines.txt"); }
    void parse() {
        const DataRow r = dataRow();
        const CommandLine cl = CommandLine::parse(r["arguments"].split(' '), "/exe");
        // In the order of CommandLine::Action.
        const QStringList actions{"Run", "Init", "InitServer", "Render", "PrinterStatus", "History", "Help", "Error"};
        QCOMPARE(actions.value(int(cl.action)), r["action"]);
        if (cl.action != CommandLine::Action::Error) QCOMPARE(cl.home, r["home"]);
    }

    // Without --home: the executable's folder, unless the program is installed (bin/
    // beside share/etiquetas-vorla/), which keeps its stores in the user's data folder.
    void defaultHome() {
        QTemporaryDir prefix, data;
        QVERIFY(QDir(prefix.path()).mkpath("bin") && QDir(prefix.path()).mkpath("pasta"));
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        QCOMPARE(home::defaultFolder(prefix.filePath("bin")), prefix.filePath("bin"));
        QVERIFY(QDir(prefix.path()).mkpath("share/etiquetas-vorla"));
        QCOMPARE(home::defaultFolder(prefix.filePath("bin")), data.filePath("etiquetas-vorla"));
        QCOMPARE(home::defaultFolder(prefix.filePath("pasta")), prefix.filePath("pasta"));
        qunsetenv("XDG_DATA_HOME");
    }

    // The real executable: --init creates a home once and refuses the second time;
    // a home without the user store ends the program with a non-zero code.
    void executable() {
        const QString exe = QStringLiteral(ETIQUETAS_EXE);
        QTemporaryDir dir;
        QProcess p;
        p.start(exe, {"--init", dir.path(), "--user", "Ana", "--password", "x"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QFile::exists(dir.filePath("bd/TOMVEL.db")));
        QVERIFY(QFile::exists(dir.filePath("bd/vorla.db")));

        // A new home's history is empty: the CSV is its header alone.
        p.start(exe, {"--home", dir.path(), "--history", "--csv"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().startsWith("id,data,utc,"));

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
        // It names the missing store and how to create one.
        QTRY_VERIFY_WITH_TIMEOUT((err += p.readAllStandardError()).contains("--init " + empty.path().toUtf8()), 10000);
        QVERIFY(err.contains("TOMVEL.db"));
        p.kill();
        p.waitForFinished();
        QVERIFY(!QFile::exists(empty.filePath("bd/TOMVEL.db")));
    }

    void printerStatus_data() { addRowsFrom(DATA_DIR "/printer-status.txt"); }
    void printerStatus() {
        const DataRow r = dataRow();
        QString printer = r["printer"];
        FakeLabelPrinter fake({FakeLabelPrinter::Answer::PaperOut});
        if (printer == "fake") printer = fake.uri();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PRINTER", "file:" + QDir::tempPath());
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ETIQUETAS_EXE), printer.isEmpty() ? QStringList{"--printer-status"}
                                                                 : QStringList{"--printer-status", printer});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), r["exitCode"].toInt());
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(r["output"]), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(tst_command_line)
#include "tst_command_line.moc"
