#include "maintenance/MasterData.h"
#include "production/Fixture.h"

namespace {
// Every value of each TABLE.COLUMN of `columns`, in key order.
QString stored(Connection& c, const QString& columns) {
    QStringList all;
    for (const QString& tc : columns.split(' '))
        all << storedValues(c, tc.section('.', 1), tc.section('.', 0, 0) + " ORDER BY Código").join('|');
    return all.join(" / ");
}
} // namespace

// The buttons of the four master-data windows against a real store: what each asks,
// what it stores, and when it does nothing.
class TstMasterData : public QObject {
    Q_OBJECT
  private slots:
    void flows_data() { addRowsFrom(DATA_DIR "/master-flows.txt"); }
    void flows() {
        const DataRow r = dataRow();
        TempHome home;
        Connection& c = home.state().ConexaoCadastro;
        c.execute("INSERT INTO GRUPO (GRUPO) VALUES ('MASCULINO')");
        c.execute("INSERT INTO MODELO (MODELO) VALUES ('TAG PRECO')");
        c.execute("INSERT INTO MARCA (NomeMarca, Fornecedor) VALUES ('Vorla Kids', 'FORN A')");
        MasterEntry e;
        for (const QString& field : r["entry"].split("; "))
            e.insert(field.section('=', 0, 0), field.section('=', 1));
        ScriptedOperator op;
        const bool answer = r["answer"] == "yes";
        op.yesNo << answer;

        const QList<const MasterTable*> tables = masterTables();
        const MasterTable& table = **std::find_if(
            tables.begin(), tables.end(), [&](const MasterTable* t) { return t->window == r["window"]; });
        const auto step = r["button"] == "Incluir"   ? &incluir
                          : r["button"] == "Alterar" ? &alterar
                                                     : &excluir;
        const MasterOutcome outcome = step(table, e, op, c);

        if (r["question"].isEmpty()) {
            QCOMPARE(outcome, MasterOutcome::Nothing);
            QCOMPARE(op.kinds(), QString());
        } else {
            QCOMPARE(outcome, answer ? MasterOutcome::Stored : MasterOutcome::Declined);
            QCOMPARE(op.kinds(), QString("Q"));
            QCOMPARE(op.shown[0].text, r["question"]);
            QCOMPARE(op.shown[0].icon, Operator::Icon::None);
        }
        QCOMPARE(stored(c, r["columns"]), r["after"]);
    }

    void brandGridListsEveryBrand() {
        TempHome home;
        home.state().ConexaoCadastro.execute(
            "INSERT INTO MARCA (NomeMarca) VALUES ('Zeta'), ('10'), (''), (NULL)");
        QCOMPARE(openMasterGrid(brandsTable(), home.state().ConexaoCadastro).recordCount(), 4);
    }
};

QTEST_MAIN(TstMasterData)
#include "tst_master_data.moc"
