#include "maintenance/MasterTables.h"

// Where a record's Código goes into a statement it is the number the lookup read back.

const MasterTable& usersTable()
{
    static const MasterTable t{
        .window = QStringLiteral("frmvendedor"),
        .caption = QStringLiteral("Cadastro de Vendedores"),
        .frame = QStringLiteral("Vendedor"),
        .fields = {{QStringLiteral("txtvendedor"), QStringLiteral("Nome:")},
                   {QStringLiteral("txtusuario"), QStringLiteral("Usuário:")},
                   {QStringLiteral("txtsenha"), QStringLiteral("Senha:")},
                   {QStringLiteral("txtnivel"), QStringLiteral("Nível:")}},
        .grid = QStringLiteral("grdvendedor"),
        .gridQuery = QStringLiteral(
            "select NomeVendedor as Vendedor___________________________________,USUARIO AS "
            "USUARIO__________________________, SENHA AS SENHA_____________________________,NIVEL AS NIVEL  "
            "from Vendedor where Código order by [NIVEL],[NomeVEndedor]"),
        .nameColumn = QStringLiteral("Vendedor___________________________________"),
        .storedName = QStringLiteral("NomeVendedor"),
        .gridCopies = {{QStringLiteral("USUARIO__________________________"), QStringLiteral("txtusuario")},
                       {QStringLiteral("SENHA_____________________________"), QStringLiteral("txtsenha")},
                       {QStringLiteral("NIVEL"), QStringLiteral("txtnivel")}},
        .capitals = true,
        .incluir = {QStringLiteral("select * from VENDEDOR where Nomevendedor like '%{txtvendedor}%'"),
                    QStringLiteral("Confirma a inclusão deste Vendedor {txtvendedor}"),
                    QStringLiteral("INSERT INTO Vendedor(NomeVendedor,USUARIO,SENHA,NIVEL) values "
                                   "('{txtvendedor:upper}','{txtusuario}', '{txtsenha}','{txtnivel}')")},
        .alterar = {QStringLiteral("select * from VENDEDOR where Nomevendedor like '{NomeAnterior}'"),
                    QStringLiteral("Confirma a alteração deste vendedor {NomeAnterior} para  {txtvendedor}"),
                    QStringLiteral(
                        "UPDATE Vendedor set NomeVendedor ='{txtvendedor}',USUARIO  = '{txtusuario}',"
                        "SENHA  = '{txtsenha}',NIVEL  = '{txtnivel}' where Código = {found.Código}")},
        .excluir = {QStringLiteral("select * from VENDEDOR where Nomevendedor like '{txtvendedor}'"),
                    QStringLiteral("Confirma a exclusão deste Vendedor? {txtvendedor}"),
                    QStringLiteral("delete from Vendedor where Código = {found.Código}")},
    };
    return t;
}

const MasterTable& brandsTable()
{
    static const MasterTable t{
        .window = QStringLiteral("frmmarcas"),
        .caption = QStringLiteral("Cadastro de Marcas"),
        .frame = QStringLiteral("Marca"),
        .fields = {{QStringLiteral("txtmarca"), QStringLiteral("Marca:")},
                   {QStringLiteral("cbovendedor"), QStringLiteral("Vendedor:"),
                    QStringLiteral("select * from VENDEDOR"), QStringLiteral("nomevendedor")},
                   {QStringLiteral("cbogrupo"), QStringLiteral("Grupo:"),
                    QStringLiteral("select * from GRUPO"), QStringLiteral("GRUPO")},
                   {QStringLiteral("cbofornecedor"), QStringLiteral("Fornecedor:"),
                    QStringLiteral("select * from FORNECEDOR"), QStringLiteral("Fornecedor")}},
        .grid = QStringLiteral("grdmarca"),
        // No filter on the name: every stored brand is listed, whatever its name holds.
        .gridQuery =
            QStringLiteral("select Nomemarca as Marca________________,Vendedor as "
                           "Vendedor___________________, Grupo as Grupo___________________, Fornecedor as "
                           "Fornecedor_________________________ from Marca order by NomeMarca"),
        .nameColumn = QStringLiteral("Marca________________"),
        .storedName = QStringLiteral("NomeMarca"),
        .gridCopies = {{QStringLiteral("Marca________________"), QStringLiteral("txtmarca")},
                       {QStringLiteral("Vendedor___________________"), QStringLiteral("cbovendedor")},
                       {QStringLiteral("Grupo___________________"), QStringLiteral("cbogrupo")},
                       {QStringLiteral("Fornecedor_________________________"),
                        QStringLiteral("cbofornecedor")}},
        .limpar = true,
        .incluir = {QStringLiteral("select * from MARCA where Nomemarca like '%{txtmarca}%'"),
                    QStringLiteral("Confirma a inclusão desta Marca? {txtmarca}"),
                    QStringLiteral("INSERT INTO MARCA(NomeMarca,Vendedor, Grupo,Fornecedor) values "
                                   "('{txtmarca}','{cbovendedor}','{cbogrupo}','{cbofornecedor:upper}')")},
        // The brand is found by the typed name, so a change of name can only change its
        // letter case; the supplier is stored with one trailing blank.
        .alterar =
            {QStringLiteral("select * from Marca where Nomemarca like '{txtmarca}'"),
             QStringLiteral("Confirma a alteração desta Marca {found.NOMEMARCA}!"),
             QStringLiteral(
                 "UPDATE MARCA set NomeMarca ='{txtmarca}',Vendedor= '{cbovendedor}',"
                 "Grupo= '{cbogrupo}',Fornecedor  = '{cbofornecedor} ' where Código = {found.Código}")},
        .excluir = {QStringLiteral("select * from MARCA where NomeMARCA like '{txtmarca}'"),
                    QStringLiteral("Confirma a exclusão desta Marca? {txtmarca}"),
                    QStringLiteral("delete from marca where Código = {found.Código}")},
    };
    return t;
}

const MasterTable& groupsTable()
{
    static const MasterTable t{
        .window = QStringLiteral("frmgrupos"),
        .caption = QStringLiteral("Cadastro de Grupos"),
        .frame = QStringLiteral("Grupos"),
        .fields = {{QStringLiteral("txtgrupo"), QStringLiteral("Grupo:")}},
        .grid = QStringLiteral("grdgrupo"),
        .gridQuery = QStringLiteral("select GRUPO as GRUPO___________________________________ from GRUPO "
                                    "where Código order by GRUPO"),
        .nameColumn = QStringLiteral("GRUPO___________________________________"),
        .storedName = QStringLiteral("GRUPO"),
        .capitals = true,
        .incluir = {QStringLiteral("select * from GRUPO where GRUPO like '%{txtgrupo}%'"),
                    QStringLiteral("Confirma a inclusão deste GRUPO? {txtgrupo}"),
                    QStringLiteral("INSERT INTO GRUPO(GRUPO) values ('{txtgrupo:upper}')")},
        .alterar = {QStringLiteral("select * from GRUPO where GRUPO like '{NomeAnterior}'"),
                    QStringLiteral("Confirma a alteração deste GRUPO? {NomeAnterior} para  {txtgrupo}"),
                    QStringLiteral("UPDATE GRUPO set GRUPO ='{txtgrupo}' where Código = {found.Código}")},
        .excluir = {QStringLiteral("select * from GRUPO where GRUPO like '{txtgrupo}'"),
                    QStringLiteral("Confirma a exclusão deste GRUPO? {txtgrupo}"),
                    QStringLiteral("delete from GRUPO where Código = {found.Código}")},
    };
    return t;
}

const MasterTable& modelsTable()
{
    static const MasterTable t{
        .window = QStringLiteral("frmetiquetas"),
        .caption = QStringLiteral("Cadastro de Etiquetas"),
        .frame = QStringLiteral("Etiquetas"),
        .fields = {{QStringLiteral("txtmodelo"), QStringLiteral("Modelo:")}},
        .grid = QStringLiteral("grdmodelo"),
        .gridQuery = QStringLiteral("select Modelo as Modelo___________________________________ from Modelo "
                                    "where Código order by Modelo"),
        .nameColumn = QStringLiteral("Modelo___________________________________"),
        .storedName = QStringLiteral("MODELO"),
        .capitals = true,
        .incluir = {QStringLiteral("select * from MODELO where MODELO like '%{txtmodelo}%'"),
                    QStringLiteral("Confirma a inclusão desta ETIQUETA? {txtmodelo}"),
                    QStringLiteral("INSERT INTO MODELO(MODELO) values ('{txtmodelo:upper}')")},
        .alterar = {QStringLiteral("select * from MODELO where MODELO like '{NomeAnterior}'"),
                    QStringLiteral("Confirma a alteração desta ETIQUETA? {NomeAnterior} para  {txtmodelo}"),
                    QStringLiteral("UPDATE MODELO set MODELO ='{txtmodelo}' where Código = {found.Código}")},
        .excluir = {QStringLiteral("select * from MODELO where MODELO like '{txtmodelo}'"),
                    QStringLiteral("Confirma a exclusão desta ETIQUETA? {txtmodelo}"),
                    QStringLiteral("delete from MODELO where Código = {found.Código}")},
    };
    return t;
}

QList<const MasterTable*> masterTables()
{
    return {&usersTable(), &brandsTable(), &groupsTable(), &modelsTable()};
}
