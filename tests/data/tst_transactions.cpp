// Transactions on the order store, nested and not, as the data layer runs them on each
// engine (data/transactions.txt).
#include "data/Connection.h"
#include "data/DataError.h"
#include "support/DataRows.h"
#include "support/TempHome.h"

#include <QtTest>

class TstTransactions : public QObject {
    Q_OBJECT
  private slots:
    void steps_data() { addRowsFrom(DATA_DIR "/transactions.txt"); }
    void steps() {
        const DataRow row = dataRow();
        TempHome home;
        Connection& c = home.state().ConexaoPedidos;
        QString failed, last;
        for (const QString& step : row["steps"].split(';')) {
            const QString s = step.trimmed();
            const QString arg = s.section(' ', 1);
            try {
                if (s == "begin") c.beginTransaction();
                else if (s == "commit") c.commit();
                else if (s == "rollback") c.rollback();
                else if (s.startsWith("add ")) {
                    const QString header = arg.section('*', 0, 0);
                    last = header.section('@', 0, 0);
                    const QString sql = header.contains('@') ? QString("INSERT INTO VORLAPEDIDOS (IDCODIGO, PEDIDO) "
                                                                       "VALUES ('%1', '%2')").arg(header.section('@', 1), last)
                                                             : QString("INSERT INTO VORLAPEDIDOS (PEDIDO) VALUES ('%1')").arg(last);
                    for (int n = arg.contains('*') ? arg.section('*', 1).toInt() : 1; n > 0; --n)
                        c.execute(sql);
                } else if (s.startsWith("set ") || s.startsWith("odd ")) {
                    // "odd": a shape whose parameter type a server cannot infer ('...' IS NULL)
                    c.execute(QString("UPDATE VORLAPEDIDOS SET PEDIDO = '%1' WHERE %3IDCODIGO = %2")
                                  .arg(arg.section('@', 0, 0), arg.section('@', 1),
                                       s.startsWith("odd ") ? "'x' IS NULL OR " : ""));
                } else if (s.startsWith("count "))
                    QCOMPARE(c.query("SELECT COUNT(*) AS N FROM VORLAPEDIDOS").value("N").toInt(), arg.toInt());
                else if (s == "key")
                    QCOMPARE(c.insertedKey("SELECT MAX (IDCODIGO)AS MAXIMU FROM VORLAPEDIDOS"),
                             c.query("SELECT IDCODIGO FROM VORLAPEDIDOS WHERE PEDIDO = '" + last + "'")
                                 .value("IDCODIGO")
                                 .toLongLong());
                else
                    QFAIL(qPrintable("unknown step " + s));
            } catch (const DataError&) {
                failed = s;
                c.rollback();
                break;
            }
        }
        QVERIFY2(row["failed"].isEmpty() ? failed.isEmpty() : row["failed"].split('|').contains(failed),
                 qPrintable(failed));
        QStringList stored;
        const Recordset rs = c.query("SELECT PEDIDO, COUNT(*) AS N FROM VORLAPEDIDOS GROUP BY PEDIDO ORDER BY PEDIDO");
        for (int i = 0; i < rs.recordCount(); ++i) {
            const int n = rs.row(i).value("N").toInt();
            stored << rs.row(i).text("PEDIDO") + (n > 1 ? "*" + QString::number(n) : "");
        }
        QCOMPARE(stored.join(' '), row["stored"]);
    }
};

QTEST_GUILESS_MAIN(TstTransactions)
#include "tst_transactions.moc"
