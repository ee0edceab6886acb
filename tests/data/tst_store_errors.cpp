#include "data/Connection.h"
#include "data/DataError.h"
#include "data/Home.h"
#include "intake/TextImport.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kOrder = "INVERNO 26,FORN A,4711,REF-1,49.90,12,P-M-G,AZUL,M,CAMISA,7891234567890,MASCULINO,"
                          "CAMISA,10/01/2027,LAVAR A MAO,x,PACK3,4\r\n";

// What the operator is shown when the order file is imported into `home`; empty when
// the import went through.
QString importError(const QString& home, const QString& orderFile) {
    ProgramState state(home);
    ScriptedOperator op;
    state.ArquivoTxt = orderFile;
    try {
        CARREGATXT(state, op, QStringLiteral("maria"));
    } catch (const DataError& e) {
        return e.text();
    }
    return {};
}

// The same, run as an ordinary user (nobody) when the test runs as root: root writes
// to read-only files.
QString importErrorAsOrdinaryUser(const QString& home, const QString& orderFile) {
    if (::geteuid() != 0) return importError(home, orderFile);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) qFatal("pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        const QByteArray text = importError(home, orderFile).toUtf8();
        const bool written = ::write(pipeFds[1], text.constData(), size_t(text.size())) == text.size();
        ::_exit(written ? 0 : 1);
    }
    ::close(pipeFds[1]);
    QByteArray text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return QString::fromUtf8(text);
}

} // namespace

// A store the program cannot use is explained in the operator's language, naming the
// file and what to do, followed by the engine's own text; nothing is stored and the
// order file stays.
class TstStoreErrors : public QObject {
    Q_OBJECT
  private slots:
    void storeThatCannotTakeTheOrder_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("advice");
        QTest::addColumn<QString>("technical");
        QTest::newRow("read-only") << "read-only"
                                   << "está somente para leitura"
                                   << "readonly database";
        QTest::newRow("locked") << "locked"
                                << "está bloqueado por outro programa"
                                << "database is locked";
        QTest::newRow("not a database") << "garbage"
                                        << "não é um banco de dados válido"
                                        << "not a database";
    }

    void storeThatCannotTakeTheOrder() {
        QFETCH(QString, fault);
        QFETCH(QString, advice);
        QFETCH(QString, technical);
        TempHome home;
        const QString store = home::pedidosFile(home.path());
        const QString orderFile = home.path() + QStringLiteral("/pedido.txt");
        QFile order(orderFile);
        QVERIFY(order.open(QIODevice::WriteOnly));
        order.write(kOrder);
        order.close();

        Connection locker;
        QString error;
        if (fault == QLatin1String("read-only")) {
            for (const QString& dir : {home.path(), QFileInfo(store).absolutePath()})
                ::chmod(QFile::encodeName(dir), 0755);
            ::chmod(QFile::encodeName(orderFile), 0644);
            ::chmod(QFile::encodeName(store), 0444);
            error = importErrorAsOrdinaryUser(home.path(), orderFile);
            ::chmod(QFile::encodeName(store), 0644);
        } else if (fault == QLatin1String("locked")) {
            locker = Connection::open(store);
            locker.execute(QStringLiteral("BEGIN EXCLUSIVE"));
            error = importError(home.path(), orderFile);
            locker.rollback();
        } else {
            QFile file(store);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(4096, 'x'));
            file.close();
            error = importError(home.path(), orderFile);
        }

        QVERIFY2(error.startsWith(QStringLiteral("O ")) && error.contains(advice), qPrintable(error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(store)), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("Detalhe técnico: ")) && error.contains(technical),
                 qPrintable(error));
        QVERIFY(QFile::exists(orderFile));
        if (fault != QLatin1String("garbage")) {
            Connection check = Connection::open(store);
            QCOMPARE(check.query(QStringLiteral("SELECT COUNT(*) AS N FROM VORLAPEDIDOS"))
                         .value(QStringLiteral("N"))
                         .toInt(),
                     0);
        }
    }
};

QTEST_GUILESS_MAIN(TstStoreErrors)
#include "tst_store_errors.moc"
