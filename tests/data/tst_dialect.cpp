#include "data/AccessDialect.h"
#include "data/FoldingSql.h"
#include "data/SqlText.h"
#include "support/DataRows.h"

#include <QTest>

// The adapter must turn the program's statements into the store's without touching a
// literal, and spell every known name as the schema does.
class tst_dialect : public QObject {
    Q_OBJECT
  private slots:
    void translate_data() { addRowsFrom(DATA_DIR "/dialect.txt"); }
    void translate() {
        const DataRow r = dataRow();
        const bool server = r["store"] == "server";
        AccessDialect dialect;
        dialect.setServerTarget(server);
        for (const char* name :
             {"VORLA", "VORLAPEDIDOS", "Identificação", "FORNECEDOR", "PEDIDO", "IDCODIGO", "Código"})
            dialect.addName(server ? QString::fromUtf8(name).toLower() : QString::fromUtf8(name));
        QCOMPARE(dialect.translate(r["sql"]), r["expected"]);
    }

    // Statements ask for the folding comparison only where SQLite's NOCASE would compare
    // differently, so ASCII lookups keep their indexes.
    void folding_data() { addRowsFrom(DATA_DIR "/folding.txt"); }
    void folding() {
        const DataRow r = dataRow();
        QCOMPARE(foldingSql::apply(r["sql"]), r["expected"]);
    }

    void quoting() {
        QCOMPARE(sqlText("ABC"), QString("ABC"));
        QCOMPARE(sqlText("D'AVILA"), QString("D''AVILA"));
        QCOMPARE(sqlText("' OR '1'='1"), QString("'' OR ''1''=''1"));
        QCOMPARE(sqlText(""), QString(""));
    }
};

QTEST_GUILESS_MAIN(tst_dialect)
#include "tst_dialect.moc"
