#include "data/FoldingSql.h"

#include <QtTest>

// Where statements ask for the folding comparison: only where SQLite's NOCASE would
// compare differently, so ASCII lookups keep their indexes.
class TstFoldingSql : public QObject {
    Q_OBJECT
  private slots:
    void apply_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        const QString F = QStringLiteral(" COLLATE VORLA_NOCASE");
        QTest::newRow("ASCII literal keeps the index") << "WHERE (((Vendedor.USUARIO)='ADMIN'))"
                                                       << "WHERE (((Vendedor.USUARIO)='ADMIN'))";
        QTest::newRow("accented literal compared")
            << "WHERE (((Vendedor.USUARIO)='joão') AND SENHA <> 'Ç''x')"
            << "WHERE (((Vendedor.USUARIO)='joão'" + F + ") AND SENHA <> 'Ç''x'" + F + ")";
        QTest::newRow("accented literal stored, not compared") << "INSERT INTO T (A) VALUES ('João')"
                                                               << "INSERT INTO T (A) VALUES ('João')";
        QTest::newRow("LIKE folds by itself") << "where PEDIDO like 'É%'"
                                              << "where PEDIDO like 'É%'";
        QTest::newRow("ORDER BY columns")
            << "ORDER BY [VORLAPEDIDOS].[FORNECEDOR],[VORLAPEDIDOS].[PEDIDO]"
            << "ORDER BY [VORLAPEDIDOS].[FORNECEDOR]" + F + ",[VORLAPEDIDOS].[PEDIDO]" + F;
        QTest::newRow("ORDER BY with direction, number and function")
            << "ORDER BY FORNECEDOR DESC, 2, max(A), T.B ASC LIMIT 3"
            << "ORDER BY FORNECEDOR" + F + " DESC, 2, max(A), T.B" + F + " ASC LIMIT 3";
        QTest::newRow("ORDER BY inside a subquery")
            << "SELECT * FROM (SELECT A FROM T ORDER BY A) WHERE B = 1"
            << "SELECT * FROM (SELECT A FROM T ORDER BY A" + F + ") WHERE B = 1";
        QTest::newRow("explicit collation kept") << "ORDER BY A COLLATE BINARY"
                                                 << "ORDER BY A COLLATE BINARY";
    }

    void apply() {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QCOMPARE(foldingSql::apply(sql), expected);
    }
};

QTEST_GUILESS_MAIN(TstFoldingSql)
#include "tst_folding_sql.moc"
