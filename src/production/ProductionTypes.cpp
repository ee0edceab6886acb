#include "production/ProductionTypes.h"

#include "labels/LabelTypes.h"

#include <array>

const QString PrintMiddle = QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.PEDIDO)='");

namespace {
// Types 5/6 and 7 share their flags (a line printed for one counts for the other) and
// so their lookup, preview and update texts.
const std::array<ProductionType, 6>& types()
{
    static const std::array<ProductionType, 6> all{{
        {
            labeltype::Preco5426,
            EtiquetaPreco5426,
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ2, VORLAPEDIDOS.PEDIDO, VORLA.descricao,VORLA.FORNECEDOR, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres, VORLA.preco,VORLA.MENSAGEM, VORLA.impressoC, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ2)='N') AND ((VORLA.impressoC)='N' Or (VORLA.impressoC)='A')) ORDER BY VORLA.Identificação;"),
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ2, VORLAPEDIDOS.PEDIDO, VORLA.descricao, VORLA.CODIG_BARR, VORLA.tamanho,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.preco, VORLA.impresso, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ2)='N') AND ((VORLA.impressoC)='N')) ORDER BY VORLA.IDENTIFICAÇÃO"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impressoC, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND ((VORLA.impressoC)='A')) ORDER BY [VORLAPEDIDOS.FORNECEDOR],[VORLAPEDIDOS.PEDIDO]"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impressoC, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("UPDATE VORLA set IMPRESSOC ='"),
            QStringLiteral("',DATAC  = '"),
            QStringLiteral("',USUARIOC = '"),
            QStringLiteral("UPDATE VORLAPEDIDOS set IMPRESSOETQ2 ='"),
        },
        {
            labeltype::Tag5360,
            EtiquetaTag5360,
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ, VORLAPEDIDOS.PEDIDO, VORLA.descricao,VORLA.FORNECEDOR, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres, VORLA.preco,VORLA.MENSAGEM, VORLA.impresso, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ)='N') AND ((VORLA.impresso)='N' Or (VORLA.impresso)='A')) ORDER BY VORLA.Identificação;"),
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ, VORLAPEDIDOS.PEDIDO, VORLA.descricao,VORLA.MENSAGEM, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres, VORLA.preco, VORLA.impresso, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ)='N') AND ((VORLA.impresso)='N')) ORDER BY VORLA.IDENTIFICAÇÃO"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote,VORLA.PROMOCIONAL, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impresso, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND ((VORLA.impresso)='A')) ORDER BY [VORLAPEDIDOS.FORNECEDOR],[VORLAPEDIDOS.PEDIDO]"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote,VORLA.PROMOCIONAL, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impresso, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("UPDATE VORLA set IMPRESSO ='"),
            QStringLiteral("',data_impre  = '"),
            QStringLiteral("',USUARIO  = '"),
            QStringLiteral("UPDATE VORLAPEDIDOS set IMPRESSOETQ ='"),
        },
        {
            labeltype::Costura5016,
            EtiquetaCostura5016,
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ2, VORLAPEDIDOS.PEDIDO, VORLA.descricao,VORLA.FORNECEDOR, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres, VORLA.preco,VORLA.MENSAGEM, VORLA.impressoSP, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ1)='N') AND ((VORLA.impressoSP)='N' Or (VORLA.impressoSP)='A')) ORDER BY VORLA.Identificação;"),
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ1, VORLAPEDIDOS.PEDIDO, VORLA.descricao, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres,VORLA.MENSAGEM, VORLA.preco, VORLA.impressoSP, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ1)='N') AND ((VORLA.impressoSP)='N')) ORDER BY VORLA.IDENTIFICAÇÃO"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impressoSP, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND ((VORLA.impressoSP)='A')) ORDER BY [VORLAPEDIDOS.FORNECEDOR],[VORLAPEDIDOS.PEDIDO]"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impressoSP, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("UPDATE VORLA set IMPRESSOSP ='"),
            QStringLiteral("',DATASP  = '"),
            QStringLiteral("',USUARIOSP = '"),
            QStringLiteral("UPDATE VORLAPEDIDOS set IMPRESSOETQ1 ='"),
        },
        {
            labeltype::Costura5023,
            EtiquetaCostura5023,
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ4, VORLAPEDIDOS.PEDIDO, VORLA.descricao,VORLA.FORNECEDOR, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres, VORLA.preco,VORLA.MENSAGEM, VORLA.impresso4, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ4)='N') AND ((VORLA.impresso4)='N' Or (VORLA.impresso4)='A')) ORDER BY VORLA.Identificação;"),
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ4, VORLAPEDIDOS.PEDIDO, VORLA.descricao, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres,VORLA.MENSAGEM, VORLA.preco, VORLA.impresso4, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ4)='N') AND ((VORLA.impresso4)='N')) ORDER BY VORLA.IDENTIFICAÇÃO"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impresso4, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND ((VORLA.impresso4)='A')) ORDER BY [VORLAPEDIDOS.FORNECEDOR],[VORLAPEDIDOS.PEDIDO]"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impresso4, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("UPDATE VORLA set IMPRESSO4 ='"),
            QStringLiteral("',DATA4  = '"),
            QStringLiteral("',USUARIO4 = '"),
            QStringLiteral("UPDATE VORLAPEDIDOS set IMPRESSOETQ4 ='"),
        },
        {
            labeltype::Basket3225,
            EtiquetaBasket3225,
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ5, VORLAPEDIDOS.PEDIDO, VORLA.descricao,VORLA.FORNECEDOR, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres, VORLA.preco,VORLA.MENSAGEM, VORLA.impresso4, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ5)='N') AND ((VORLA.impresso5)='N' Or (VORLA.impresso5)='A')) ORDER BY VORLA.Identificação;"),
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ5, VORLAPEDIDOS.PEDIDO, VORLA.descricao, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres,VORLA.MENSAGEM, VORLA.preco, VORLA.impresso4, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ5)='N') AND ((VORLA.impresso5)='N')) ORDER BY VORLA.IDENTIFICAÇÃO"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impresso5, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND ((VORLA.impresso5)='A')) ORDER BY [VORLAPEDIDOS.FORNECEDOR],[VORLAPEDIDOS.PEDIDO]"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação,VORLA.PROMOCIONAL, VORLA.colecao, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impresso5, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("UPDATE VORLA set IMPRESSO5 ='"),
            QStringLiteral("',DATA5  = '"),
            QStringLiteral("',USUARIO5 = '"),
            QStringLiteral("UPDATE VORLAPEDIDOS set IMPRESSOETQ5 ='"),
        },
        {
            labeltype::Pack,
            EtiquetaPack,
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ5, VORLAPEDIDOS.PEDIDO, VORLA.descricao,VORLA.FORNECEDOR, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres, VORLA.preco,VORLA.MENSAGEM, VORLA.impresso4, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ5)='N') AND ((VORLA.impresso5)='N' Or (VORLA.impresso5)='A')) ORDER BY VORLA.Identificação;"),
            QStringLiteral("SELECT VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.IMPRESSOETQ5, VORLAPEDIDOS.PEDIDO, VORLA.descricao, VORLA.CODIG_BARR, VORLA.tamanho, VORLA.qtd_impres,VORLA.MENSAGEM, VORLA.preco, VORLA.impresso4, VORLA.Identificação FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND (VORLAPEDIDOS.GRUPO)='VORLA') AND ((VORLAPEDIDOS.IMPRESSOETQ5)='N') AND ((VORLA.impresso5)='N')) ORDER BY VORLA.IDENTIFICAÇÃO"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao,VORLA.PROMOCIONAL, VORLA.codig_prod, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam,VORLA.PROMOCIONAL, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres,VORLA.RQTD, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impresso5, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("') AND ((VORLA.impresso5)='A')) ORDER BY [VORLAPEDIDOS.FORNECEDOR],[VORLAPEDIDOS.PEDIDO]"),
            QStringLiteral("SELECT VORLAPEDIDOS.IDCODIGO, VORLAPEDIDOS.NUMPROD, VORLAPEDIDOS.PEDIDO,VORLA.identificação, VORLA.colecao, VORLA.codig_prod,VORLA.PROMOCIONAL, VORLA.fornecedor, VORLA.lote, VORLA.descri_tam, VORLA.preco,VORLA.MENSAGEM, VORLA.qtd_impres, VORLA.codig_cor, VORLA.tamanho, VORLA.descricao, VORLA.CODIG_BARR, VORLA.categoria, VORLA.tipo_prod, VORLA.data, VORLA.impresso5, VORLA.data_regis, VORLA.data_impre FROM VORLAPEDIDOS INNER JOIN VORLA ON VORLAPEDIDOS.IDCODIGO = VORLA.IDPEDIDO WHERE ((((VORLAPEDIDOS.NUMPROD)='"),
            QStringLiteral("UPDATE VORLA set IMPRESSO5 ='"),
            QStringLiteral("',DATA5  = '"),
            QStringLiteral("',USUARIO5 = '"),
            QStringLiteral("UPDATE VORLAPEDIDOS set IMPRESSOETQ5 ='"),
        },    }};
    return all;
}
} // namespace

namespace {
// The column an update text sets ("UPDATE VORLA set IMPRESSOC ='" names IMPRESSOC).
QString flagColumn(const QString& updateText)
{
    const qsizetype at = updateText.indexOf(QLatin1String(" set "));
    return updateText.mid(at + 5).section(QLatin1Char(' '), 0, 0);
}
} // namespace

QString ProductionType::lineFlag() const
{
    return flagColumn(lineUpdate);
}

QString ProductionType::headerFlag() const
{
    return flagColumn(headerUpdate);
}

bool ProductionType::smallSummary() const
{
    return caption == labeltype::Preco5426 || caption == labeltype::Costura5023;
}

bool ProductionType::packQuantity() const
{
    return caption == labeltype::Pack;
}

bool ProductionType::hasOptionBoxes() const
{
    return caption != labeltype::Tag5360 && caption != labeltype::Costura5023;
}

const ProductionType* productionType(const QString& caption)
{
    for (const ProductionType& type : types())
        if (type.caption == caption) return &type;
    return nullptr;
}

QList<history::TypeColumns> progressTypes()
{
    QList<history::TypeColumns> columns;
    for (const ProductionType& type : types()) columns << history::TypeColumns{type.caption, type.lineFlag()};
    return columns;
}
