#include "data/AccessDialect.h"
#include "data/SqlText.h"

#include <QTest>

// The adapter must turn the program's statements into SQLite's without touching a
// literal, and spell every known name as the schema does.
class tst_dialect : public QObject {
    Q_OBJECT
private slots:
    void translate_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bracketed table.column")
            << "ORDER BY [VORLAPEDIDOS.FORNECEDOR],[VORLAPEDIDOS.PEDIDO]"
            << "ORDER BY [VORLAPEDIDOS].[FORNECEDOR],[VORLAPEDIDOS].[PEDIDO]";
        QTest::newRow("accented name in capitals")
            << "ORDER BY VORLA.IDENTIFICAÇÃO" << "ORDER BY VORLA.Identificação";
        QTest::newRow("accented name in lower case") << "VORLA.identificação," << "VORLA.Identificação,";
        QTest::newRow("literal untouched")
            << "where PEDIDO = 'identificação' and X='IDENTIFICAÇÃO'"
            << "where PEDIDO = 'identificação' and X='IDENTIFICAÇÃO'";
        QTest::newRow("doubled quote stays inside literal")
            << "where PEDIDO='O''IDENTIFICAÇÃO' or IDENTIFICAÇÃO=1"
            << "where PEDIDO='O''IDENTIFICAÇÃO' or Identificação=1";
        QTest::newRow("unknown words and aliases kept")
            << "select Nomemarca as Marca________________ from Marca"
            << "select Nomemarca as Marca________________ from Marca";
        QTest::newRow("numbers are not names") << "where IDCODIGO = 12" << "where IDCODIGO = 12";
        QTest::newRow("accented key of users")
            << "UPDATE Vendedor set NIVEL='1' where CÓDIGO = 3" << "UPDATE Vendedor set NIVEL='1' where Código = 3";
        QTest::newRow("unterminated bracket left as is") << "select [VORLA" << "select [VORLA";
    }

    void translate()
    {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        AccessDialect dialect;
        for (const char* name : {"VORLA", "VORLAPEDIDOS", "Identificação", "FORNECEDOR", "PEDIDO", "IDCODIGO", "Código"})
            dialect.addName(QString::fromUtf8(name));
        QCOMPARE(dialect.translate(sql), expected);
    }

    void quoting_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << "ABC" << "ABC";
        QTest::newRow("one quote") << "D'AVILA" << "D''AVILA";
        QTest::newRow("injection") << "' OR '1'='1" << "'' OR ''1''=''1";
        QTest::newRow("empty") << "" << "";
    }

    void quoting()
    {
        QFETCH(QString, value);
        QFETCH(QString, quoted);
        QCOMPARE(sqlText(value), quoted);
    }
};

QTEST_GUILESS_MAIN(tst_dialect)
#include "tst_dialect.moc"
