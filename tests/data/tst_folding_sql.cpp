#include "data/FoldingSql.h"
#include "support/DataRows.h"

#include <QtTest>

class TstFoldingSql : public QObject {
    Q_OBJECT
  private slots:
    void apply_data() { addRowsFrom(DATA_DIR "/folding.txt"); }
    void apply() {
        const DataRow r = dataRow();
        QCOMPARE(foldingSql::apply(r["sql"]), r["expected"]);
    }
};

QTEST_GUILESS_MAIN(TstFoldingSql)
#include "tst_folding_sql.moc"
