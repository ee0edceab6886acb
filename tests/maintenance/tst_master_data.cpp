#include "maintenance/MasterData.h"
#include "support/ScriptedOperator.h"
#include "support/TempHome.h"

#include <QtTest>

// The buttons of the four master-data windows against a real store: what each asks,
// what it stores, and when it does nothing.
class TstMasterData : public QObject {
    Q_OBJECT
  private slots:
    void flows_data();
    void flows();
    void brandGridListsEveryBrand();
};

namespace {
enum Button { Incluir, Alterar, Excluir };
const bool Yes = true, No = false;

// entry: field, text, field, text...; question empty: nothing is asked; after: every
// value of the TABLE.COLUMN list `columns` once the click is over, in key order.
void row(const char* name, Button b, const char* window, const QStringList& entry, bool answer,
         const QString& question, const QString& columns, const QString& after)
{
    QTest::newRow(name) << int(b) << QString(window) << entry << answer << question << columns << after;
}

QString stored(Connection& c, const QString& columns)
{
    QStringList all;
    for (const QString& tc : columns.split(' ')) {
        QStringList values;
        const QStringList t = tc.split('.');
        for (Recordset rs = c.query("select " + t[1] + " as v from " + t[0] + " order by Código"); !rs.eof();
             rs.moveNext())
            values << rs.text("v");
        all << values.join('|');
    }
    return all.join(" / ");
}
} // namespace

void TstMasterData::flows_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("entry");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("after");
    // clang-format off
    // "&Incluir": names in capitals except the brand's, whose supplier goes in capitals;
    // refused silently when a stored name contains the typed one.
    row("include user", Incluir, "frmvendedor", {"txtvendedor", "maria", "txtusuario", "mari", "txtsenha", "x", "txtnivel", "2"},
        Yes, "Confirma a inclusão deste Vendedor maria", "Vendedor.NomeVendedor", "ADMIN|MARIA");
    row("include group", Incluir, "frmgrupos", {"txtgrupo", "infantil"},
        Yes, "Confirma a inclusão deste GRUPO? infantil", "GRUPO.GRUPO", "MASCULINO|INFANTIL");
    row("include model quote", Incluir, "frmetiquetas", {"txtmodelo", "d'água"},
        Yes, "Confirma a inclusão desta ETIQUETA? d'água", "MODELO.MODELO", "TAG PRECO|D'ÁGUA");
    row("include brand", Incluir, "frmmarcas", {"txtmarca", "Bebê", "cbovendedor", "ADMIN", "cbogrupo", "G", "cbofornecedor", "forn b"},
        Yes, "Confirma a inclusão desta Marca? Bebê", "MARCA.NomeMarca MARCA.Fornecedor", "Vorla Kids|Bebê / FORN A|FORN B");
    row("include contained", Incluir, "frmgrupos", {"txtgrupo", "culi"}, Yes, "", "GRUPO.GRUPO", "MASCULINO");
    row("include contained brand", Incluir, "frmmarcas", {"txtmarca", "KID"}, Yes, "", "MARCA.NomeMarca", "Vorla Kids");
    row("include no", Incluir, "frmgrupos", {"txtgrupo", "INFANTIL"},
        No, "Confirma a inclusão deste GRUPO? INFANTIL", "GRUPO.GRUPO", "MASCULINO");
    // "Alterar": found through NomeAnterior, whatever its letter case; the brand through
    // its typed name, its supplier stored with a trailing blank.
    row("change user", Alterar, "frmvendedor", {"NomeAnterior", "admin", "txtvendedor", "GERENTE", "txtusuario", "ADMIN", "txtsenha", "99", "txtnivel", "1"},
        Yes, "Confirma a alteração deste vendedor admin para  GERENTE", "Vendedor.NomeVendedor Vendedor.SENHA", "GERENTE / 99");
    row("change group quote", Alterar, "frmgrupos", {"NomeAnterior", "MASCULINO", "txtgrupo", "D'ÁGUA"},
        Yes, "Confirma a alteração deste GRUPO? MASCULINO para  D'ÁGUA", "GRUPO.GRUPO", "D'ÁGUA");
    row("change model", Alterar, "frmetiquetas", {"NomeAnterior", "TAG PRECO", "txtmodelo", "TAG"},
        Yes, "Confirma a alteração desta ETIQUETA? TAG PRECO para  TAG", "MODELO.MODELO", "TAG");
    row("change without pick", Alterar, "frmetiquetas", {"txtmodelo", "TAG"}, Yes, "", "MODELO.MODELO", "TAG PRECO");
    row("change brand", Alterar, "frmmarcas", {"txtmarca", "VORLA KIDS", "cbovendedor", "ADMIN", "cbogrupo", "G", "cbofornecedor", "FORN A"},
        Yes, "Confirma a alteração desta Marca Vorla Kids!", "MARCA.NomeMarca MARCA.Fornecedor", "VORLA KIDS / FORN A ");
    row("change no", Alterar, "frmgrupos", {"NomeAnterior", "MASCULINO", "txtgrupo", "X"},
        No, "Confirma a alteração deste GRUPO? MASCULINO para  X", "GRUPO.GRUPO", "MASCULINO");
    // "Excluir": the whole name, without regard to letter case.
    row("delete user", Excluir, "frmvendedor", {"txtvendedor", "ADMIN"},
        Yes, "Confirma a exclusão deste Vendedor? ADMIN", "Vendedor.NomeVendedor", "");
    row("delete group", Excluir, "frmgrupos", {"txtgrupo", "masculino"},
        Yes, "Confirma a exclusão deste GRUPO? masculino", "GRUPO.GRUPO", "");
    row("delete model", Excluir, "frmetiquetas", {"txtmodelo", "TAG PRECO"},
        Yes, "Confirma a exclusão desta ETIQUETA? TAG PRECO", "MODELO.MODELO", "");
    row("delete brand", Excluir, "frmmarcas", {"txtmarca", "Vorla Kids"},
        Yes, "Confirma a exclusão desta Marca? Vorla Kids", "MARCA.NomeMarca", "");
    row("delete wildcard", Excluir, "frmgrupos", {"txtgrupo", "M_SC%"}, Yes, "", "GRUPO.GRUPO", "MASCULINO");
    row("delete part of name", Excluir, "frmgrupos", {"txtgrupo", "MASC"}, Yes, "", "GRUPO.GRUPO", "MASCULINO");
    row("delete no", Excluir, "frmmarcas", {"txtmarca", "Vorla Kids"},
        No, "Confirma a exclusão desta Marca? Vorla Kids", "MARCA.NomeMarca", "Vorla Kids");
    // clang-format on
}

void TstMasterData::flows()
{
    QFETCH(int, button);
    QFETCH(QString, window);
    QFETCH(QStringList, entry);
    QFETCH(bool, answer);
    QFETCH(QString, question);

    TempHome home;
    Connection& c = home.state().ConexaoCadastro;
    c.execute("INSERT INTO GRUPO (GRUPO) VALUES ('MASCULINO')");
    c.execute("INSERT INTO MODELO (MODELO) VALUES ('TAG PRECO')");
    c.execute("INSERT INTO MARCA (NomeMarca, Fornecedor) VALUES ('Vorla Kids', 'FORN A')");
    MasterEntry e;
    for (int i = 0; i + 1 < entry.size(); i += 2)
        e.insert(entry[i], entry[i + 1]);
    ScriptedOperator op;
    op.yesNo << answer;

    const QList<const MasterTable*> tables = masterTables();
    const MasterTable& table = **std::find_if(tables.begin(), tables.end(),
                                              [&](const MasterTable* t) { return t->window == window; });
    const auto step = button == Incluir ? &incluir : button == Alterar ? &alterar : &excluir;
    const MasterOutcome outcome = step(table, e, op, c);

    if (question.isEmpty()) {
        QCOMPARE(outcome, MasterOutcome::Nothing);
        QVERIFY(op.shown.isEmpty());
    } else {
        QCOMPARE(outcome, answer ? MasterOutcome::Stored : MasterOutcome::Declined);
        QCOMPARE(op.shown.size(), 1);
        QCOMPARE(op.shown[0].kind, QString("question"));
        QCOMPARE(op.shown[0].text, question);
        QCOMPARE(op.shown[0].icon, Operator::Icon::None);
    }
    QFETCH(QString, columns);
    QTEST(stored(c, columns), "after");
}

void TstMasterData::brandGridListsEveryBrand()
{
    TempHome home;
    home.state().ConexaoCadastro.execute(
        "INSERT INTO MARCA (NomeMarca) VALUES ('Zeta'), ('10'), (''), (NULL)");
    QCOMPARE(openMasterGrid(brandsTable(), home.state().ConexaoCadastro).recordCount(), 4);
}

QTEST_MAIN(TstMasterData)
#include "tst_master_data.moc"
