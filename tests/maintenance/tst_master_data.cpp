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
    void gridRowPicked();
    void brandGridListsEveryBrand();
};

namespace {
const MasterTable& tableOf(const QString& window)
{
    for (const MasterTable* t : masterTables())
        if (t->window == window) return *t;
    throw std::logic_error("no such window");
}

void seed(Connection& c)
{
    c.execute("INSERT INTO GRUPO (GRUPO) VALUES ('MASCULINO')");
    c.execute("INSERT INTO MODELO (MODELO) VALUES ('TAG PRECO')");
    c.execute("INSERT INTO FORNECEDOR (Fornecedor) VALUES ('FORN A')");
    c.execute("INSERT INTO MARCA (NomeMarca, Vendedor, Grupo, Fornecedor) "
              "VALUES ('Vorla Kids', 'ADMIN', 'MASCULINO', 'FORN A')");
}

// Every stored value of one column ("TABLE.COLUMN"), in key order, joined by '|'.
QString stored(Connection& c, const QString& tableColumn)
{
    const QStringList tc = tableColumn.split('.');
    QStringList values;
    for (Recordset rs = c.query("select " + tc[1] + " as v from " + tc[0] + " order by Código"); !rs.eof();
         rs.moveNext())
        values << rs.text("v");
    return values.join('|');
}
} // namespace

enum Button { Incluir, Alterar, Excluir };

void TstMasterData::flows_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("entry"); // field, text, field, text...
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("question"); // empty: nothing is asked
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("after");

    // "&Incluir": names in capitals except the brand's, whose supplier goes in capitals.
    QTest::newRow("include user") << int(Incluir) << "frmvendedor"
                                  << QStringList{"txtvendedor", "maria", "txtusuario", "mari",
                                                 "txtsenha",    "x",     "txtnivel",   "2"}
                                  << true << "Confirma a inclusão deste Vendedor maria"
                                  << "Vendedor.NomeVendedor"
                                  << "ADMIN|MARIA";
    QTest::newRow("include group") << int(Incluir) << "frmgrupos" << QStringList{"txtgrupo", "infantil"}
                                   << true << "Confirma a inclusão deste GRUPO? infantil"
                                   << "GRUPO.GRUPO"
                                   << "MASCULINO|INFANTIL";
    QTest::newRow("include model") << int(Incluir) << "frmetiquetas" << QStringList{"txtmodelo", "costura"}
                                   << true << "Confirma a inclusão desta ETIQUETA? costura"
                                   << "MODELO.MODELO"
                                   << "TAG PRECO|COSTURA";
    QTest::newRow("include brand") << int(Incluir) << "frmmarcas"
                                   << QStringList{"txtmarca", "Bebê",      "cbovendedor",   "ADMIN",
                                                  "cbogrupo", "MASCULINO", "cbofornecedor", "forn b"}
                                   << true << "Confirma a inclusão desta Marca? Bebê"
                                   << "MARCA.NomeMarca||MARCA.Fornecedor"
                                   << "Vorla Kids|Bebê||FORN A|FORN B";
    QTest::newRow("include quote") << int(Incluir) << "frmetiquetas" << QStringList{"txtmodelo", "D'ÁGUA"}
                                   << true << "Confirma a inclusão desta ETIQUETA? D'ÁGUA"
                                   << "MODELO.MODELO"
                                   << "TAG PRECO|D'ÁGUA";
    QTest::newRow("include contained")
        << int(Incluir) << "frmgrupos" << QStringList{"txtgrupo", "CULI"} << true << ""
        << "GRUPO.GRUPO"
        << "MASCULINO";
    QTest::newRow("include contained brand")
        << int(Incluir) << "frmmarcas" << QStringList{"txtmarca", "KID"} << true << ""
        << "MARCA.NomeMarca"
        << "Vorla Kids";
    QTest::newRow("include no") << int(Incluir) << "frmgrupos" << QStringList{"txtgrupo", "INFANTIL"} << false
                                << "Confirma a inclusão deste GRUPO? INFANTIL"
                                << "GRUPO.GRUPO"
                                << "MASCULINO";

    // "Alterar": found through NomeAnterior, whatever its letter case; the brand through
    // its typed name, its supplier stored with a trailing blank.
    QTest::newRow("change user") << int(Alterar) << "frmvendedor"
                                 << QStringList{"NomeAnterior", "admin", "txtvendedor", "GERENTE",
                                                "txtusuario",   "ADMIN", "txtsenha",    "99",
                                                "txtnivel",     "1"}
                                 << true << "Confirma a alteração deste vendedor admin para  GERENTE"
                                 << "Vendedor.NomeVendedor||Vendedor.SENHA"
                                 << "GERENTE||99";
    QTest::newRow("change group") << int(Alterar) << "frmgrupos"
                                  << QStringList{"NomeAnterior", "MASCULINO", "txtgrupo", "D'ÁGUA"} << true
                                  << "Confirma a alteração deste GRUPO? MASCULINO para  D'ÁGUA"
                                  << "GRUPO.GRUPO"
                                  << "D'ÁGUA";
    QTest::newRow("change model") << int(Alterar) << "frmetiquetas"
                                  << QStringList{"NomeAnterior", "TAG PRECO", "txtmodelo", "TAG"} << true
                                  << "Confirma a alteração desta ETIQUETA? TAG PRECO para  TAG"
                                  << "MODELO.MODELO"
                                  << "TAG";
    QTest::newRow("change without pick")
        << int(Alterar) << "frmetiquetas" << QStringList{"txtmodelo", "TAG"} << true << ""
        << "MODELO.MODELO"
        << "TAG PRECO";
    QTest::newRow("change brand") << int(Alterar) << "frmmarcas"
                                  << QStringList{"txtmarca", "VORLA KIDS", "cbovendedor",   "ADMIN",
                                                 "cbogrupo", "MASCULINO",  "cbofornecedor", "FORN A"}
                                  << true << "Confirma a alteração desta Marca Vorla Kids!"
                                  << "MARCA.NomeMarca||MARCA.Fornecedor"
                                  << "VORLA KIDS||FORN A ";
    QTest::newRow("change no") << int(Alterar) << "frmgrupos"
                               << QStringList{"NomeAnterior", "MASCULINO", "txtgrupo", "X"} << false
                               << "Confirma a alteração deste GRUPO? MASCULINO para  X"
                               << "GRUPO.GRUPO"
                               << "MASCULINO";

    // "Excluir": the whole name, without regard to letter case.
    QTest::newRow("delete user") << int(Excluir) << "frmvendedor" << QStringList{"txtvendedor", "ADMIN"}
                                 << true << "Confirma a exclusão deste Vendedor? ADMIN"
                                 << "Vendedor.NomeVendedor"
                                 << "";
    QTest::newRow("delete group") << int(Excluir) << "frmgrupos" << QStringList{"txtgrupo", "masculino"}
                                  << true << "Confirma a exclusão deste GRUPO? masculino"
                                  << "GRUPO.GRUPO"
                                  << "";
    QTest::newRow("delete model") << int(Excluir) << "frmetiquetas" << QStringList{"txtmodelo", "TAG PRECO"}
                                  << true << "Confirma a exclusão desta ETIQUETA? TAG PRECO"
                                  << "MODELO.MODELO"
                                  << "";
    QTest::newRow("delete brand") << int(Excluir) << "frmmarcas" << QStringList{"txtmarca", "Vorla Kids"}
                                  << true << "Confirma a exclusão desta Marca? Vorla Kids"
                                  << "MARCA.NomeMarca"
                                  << "";
    QTest::newRow("delete part of name")
        << int(Excluir) << "frmgrupos" << QStringList{"txtgrupo", "MASC"} << true << ""
        << "GRUPO.GRUPO"
        << "MASCULINO";
    QTest::newRow("delete quote") << int(Excluir) << "frmgrupos" << QStringList{"txtgrupo", "O'NEIL"} << true
                                  << ""
                                  << "GRUPO.GRUPO"
                                  << "MASCULINO";
    QTest::newRow("delete no") << int(Excluir) << "frmmarcas" << QStringList{"txtmarca", "Vorla Kids"}
                               << false << "Confirma a exclusão desta Marca? Vorla Kids"
                               << "MARCA.NomeMarca"
                               << "Vorla Kids";
}

void TstMasterData::flows()
{
    QFETCH(int, button);
    QFETCH(QString, window);
    QFETCH(QStringList, entry);
    QFETCH(bool, answer);
    QFETCH(QString, question);
    QFETCH(QString, column);
    QFETCH(QString, after);

    TempHome home;
    Connection& c = home.state().ConexaoCadastro;
    seed(c);
    MasterEntry e;
    for (int i = 0; i + 1 < entry.size(); i += 2)
        e.insert(entry[i], entry[i + 1]);
    ScriptedOperator op;
    op.yesNo << answer;

    const MasterTable& table = tableOf(window);
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
    QStringList values;
    for (const QString& tc : column.split("||"))
        values << stored(c, tc);
    QCOMPARE(values.join("||"), after);
}

void TstMasterData::gridRowPicked()
{
    TempHome home;
    Connection& c = home.state().ConexaoCadastro;
    c.execute("INSERT INTO Vendedor (NomeVendedor, USUARIO, SENHA, NIVEL) VALUES ('ZECA', 'ze', 'pw', '0')");
    Recordset grid = openMasterGrid(usersTable(), c);
    QCOMPARE(grid.columns(),
             QStringList({"Vendedor___________________________________", "USUARIO__________________________",
                          "SENHA_____________________________", "NIVEL"}));
    MasterEntry e{{"txtvendedor", "typed"}};
    pickMasterRow(usersTable(), grid, 0, e); // ordered by level: ZECA first
    QCOMPARE(grid.position(), 0);
    QCOMPARE(e, MasterEntry({{"txtvendedor", "typed"},
                             {"NomeAnterior", "ZECA"},
                             {"txtusuario", "ze"},
                             {"txtsenha", "pw"},
                             {"txtnivel", "0"}}));
    pickMasterRow(usersTable(), grid, 1, e);
    QCOMPARE(grid.position(), 1);
    QCOMPARE(e.value("NomeAnterior"), QString("ADMIN"));
}

void TstMasterData::brandGridListsEveryBrand()
{
    TempHome home;
    Connection& c = home.state().ConexaoCadastro;
    for (const char* name : {"'Zeta'", "'10'", "''", "NULL"})
        c.execute(QString("INSERT INTO MARCA (NomeMarca) VALUES (%1)").arg(name));
    const Recordset grid = openMasterGrid(brandsTable(), c);
    QCOMPARE(grid.recordCount(), 4);
    QCOMPARE(grid.columns().first(), QString("Marca________________"));
}

QTEST_MAIN(TstMasterData)
#include "tst_master_data.moc"
