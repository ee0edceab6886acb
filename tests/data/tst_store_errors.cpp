#include "data/Connection.h"
#include "data/DataError.h"
#include "data/Home.h"
#include "intake/TextImport.h"
#include "support/DataRows.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the operator is shown when the order file is imported into `home`; empty when
// the import went through. As an ordinary user (nobody) when asked and the test runs as
// root: root writes to read-only files.
QString importError(const QString& home, const QString& orderFile, bool asOrdinaryUser = false) {
    const bool drop = asOrdinaryUser && ::geteuid() == 0;
    if (drop && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) qFatal("cannot become nobody");
    ProgramState state(home);
    ScriptedOperator op;
    state.ArquivoTxt = orderFile;
    QString error;
    try {
        CARREGATXT(state, op, QStringLiteral("maria"));
    } catch (const DataError& e) {
        error = e.text();
    }
    if (drop && (::seteuid(0) != 0 || ::setegid(0) != 0)) qFatal("cannot become root again");
    return error;
}

} // namespace

// A store the program cannot use is explained in the operator's language, naming the
// file and what to do, followed by the engine's own text; nothing is stored and the
// order file stays.
class TstStoreErrors : public QObject {
    Q_OBJECT
  private slots:
    void storeThatCannotTakeTheOrder_data() { addRowsFrom(DATA_DIR "/store-faults.txt"); }
    void storeThatCannotTakeTheOrder() {
        const DataRow r = dataRow();
        TempHome home;
        const QString store = home::pedidosFile(home.path());
        const QString orderFile = home.path() + QStringLiteral("/pedido.txt");
        QVERIFY(QFile::copy(DATA_DIR "/pedido.txt", orderFile));

        QString error;
        if (r["fault"] == "read-only") {
            for (const QString& dir : {home.path(), QFileInfo(store).absolutePath()})
                ::chmod(QFile::encodeName(dir), 0755);
            ::chmod(QFile::encodeName(orderFile), 0644);
            ::chmod(QFile::encodeName(store), 0444);
            error = importError(home.path(), orderFile, true);
            ::chmod(QFile::encodeName(store), 0644);
        } else if (r["fault"] == "locked") {
            Connection locker = Connection::open(store);
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

        QCOMPARE(error.replace(QDir::toNativeSeparators(store), "<store>"), r["message"]);
        QVERIFY(QFile::exists(orderFile));
        if (r["fault"] != "garbage") {
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
