#include "intake/CustomerImport.h"

#include "data/DataError.h"
#include "data/Home.h"
#include "data/SqlText.h"
#include "intake/ConfTxt.h"
#include "intake/CustomerConnection.h"
#include "intake/OrderTextFile.h"
#include "session/Operator.h"
#include "session/ProgramState.h"
#include "session/Regional.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <optional>

namespace {

using orderText::trimBlanks;

const QString kTitle = QStringLiteral("VORLA");

// Where each VORLA column comes from, in the order of the line statement's columns.
struct Source {
    const char* pack; // ZEPA_PACK
    const char* zepa; // ZEPA
    bool trimmed;
};
constexpr std::array<Source, 16> kLineSources{{
    {"DESC_COLECAO", "DESC_COLECAO", true},   // COLECAO
    {"PRODUTO", "PRODUTO", true},             // CODIG_PROD
    {"Fornecedor", "Fornecedor", true},       // FORNECEDOR
    {"PEDIDO", "PEDIDO", true},               // LOTE
    {"GRADE", "GRADE", true},                 // DESCRI_TAM
    {"PRECO1", "PRECO1", true},               // PRECO
    {"QTDE_TOTAL", "QTDE_ENTREGAR", true},    // QTD_IMPRES
    {"COR_PRODUTO", "COR_PRODUTO", true},     // CODIG_COR
    {"TAMANHO", "TAMANHO", true},             // TAMANHO
    {"DESC_PRODUTO", "DESC_PRODUTO", true},   // DESCRICAO
    {"CODIGO_BARRA", "CODIGO_BARRA", true},   // CODIG_BARR
    {"LINHA", "LINHA", true},                 // CATEGORIA
    {"TIPO_PRODUTO", "TIPO_PRODUTO", true},   // TIPO_PROD
    {"DESCRICAO_MSG", "DESCRICAO_MSG", true}, // MENSAGEM
    {"PACKS", "GRUPO_PRODUTO", true},         // PROMOCIONAL
    {"ENTREGA", "ENTREGA", false},            // DATA: the delivery date as read
}};

QString quoted(const QString& value) {
    return QLatin1Char('\'') + sqlText(value) + QLatin1Char('\'');
}

QString field(const Record& row, const char* column) {
    return customerValueText(row.value(QLatin1String(column)));
}

QString orderSql(bool pack, const QString& answer) {
    if (pack)
        return QStringLiteral("select * from ZEPA_PACK where pedido =  '") + sqlText(answer) +
               QStringLiteral("' and codigo_tab_preco ='01'");
    return QStringLiteral("SELECT * FROM ZEPA WHERE PEDIDO='") + sqlText(answer) +
           QStringLiteral("' AND CODIGO_TAB_PRECO='01'");
}

QString existingOrderSql(const QString& pedido) {
    return QStringLiteral("Select * from VORLAPEDIDOS where PEDIDO like '%") + sqlText(pedido) +
           QStringLiteral("'");
}

QString headerSql(const Record& row, const QString& user) {
    return QStringLiteral("INSERT INTO VORLAPEDIDOS") +
           QStringLiteral(
               "(PEDIDO,GRUPO,FORNECEDOR,IMPRESSOR,IMPRESSOETQ,IMPRESSOETQ1,IMPRESSOETQ2,IMPRESSOETQ3,"
               "IMPRESSOETQ4,IMPRESSOETQ5,DATA,HORA,USUARIOIMP)values (") +
           QStringLiteral("'") + sqlText(trimBlanks(field(row, "PEDIDO"))) + QStringLiteral("','VORLA','") +
           sqlText(field(row, "Fornecedor")) + QStringLiteral("','N','N','N','N','N','N','N','") +
           sqlText(regional::dateText()) + QStringLiteral("','") + sqlText(regional::timeText()) +
           QStringLiteral("','") + sqlText(user) + QStringLiteral("')");
}

// The product code is always read from PRODUTO, whatever the order number holds.
QString lineSql(const Record& row, bool pack, qint64 idPedido) {
    QStringList values{quoted(QString::number(idPedido))};
    for (const Source& source : kLineSources) {
        const QString value = field(row, pack ? source.pack : source.zepa);
        values << quoted(source.trimmed ? trimBlanks(value) : value);
    }
    for (int i = 0; i < 5; ++i)
        values << quoted(QStringLiteral("N"));
    values << quoted(regional::dateText());
    return QStringLiteral("INSERT INTO VORLA") +
           QStringLiteral("(IDPEDIDO,COLECAO,CODIG_PROD,FORNECEDOR,LOTE,DESCRI_TAM,PRECO,QTD_IMPRES,") +
           QStringLiteral(
               "CODIG_COR,TAMANHO,DESCRICAO,CODIG_BARR,CATEGORIA,TIPO_PROD,MENSAGEM,PROMOCIONAL,DATA,"
               "IMPRESSO,IMPRESSOSP,IMPRESSOC,IMPRESSO4,IMPRESSO5,DATA_REGIS)values (") +
           values.join(QLatin1Char(',')) + QStringLiteral(")");
}

ConfTxt readSettings(const QString& home) {
    const QString path = home::confFile(home);
    const std::optional<ConfTxt> conf = readConfTxt(path);
    if (conf) return *conf;
    if (!QFileInfo::exists(path))
        throw DataError(
            QStringLiteral("O arquivo conf.txt, que indica o servidor do cliente, não existe na pasta "
                           "do programa:\n%1")
                .arg(QDir::toNativeSeparators(path)));
    throw DataError(
        QStringLiteral("O arquivo conf.txt não pôde ser lido:\n%1").arg(QDir::toNativeSeparators(path)));
}

} // namespace

QString customerValueText(const QVariant& value) {
    if (value.isNull()) return QString();
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return regional::numberText(value.toDouble());
    case QMetaType::QDate:
        return regional::dateText(value.toDate());
    case QMetaType::QTime:
        return regional::timeText(value.toTime());
    case QMetaType::QDateTime: {
        const QDateTime when = value.toDateTime();
        if (when.time() == QTime(0, 0)) return regional::dateText(when.date());
        return regional::dateText(when.date()) + QLatin1Char(' ') + regional::timeText(when.time());
    }
    default:
        return value.toString();
    }
}

CustomerImportResult CARREGABANCO(ProgramState& state, Operator& op, const QString& user) {
    state.AbreConexaoPedidos();
    const ConfTxt conf = readSettings(state.home);
    conf.updateConfLinha5(state.ConfLinha5);
    CustomerConnection customer(customerServer(conf));

    const QString answer =
        op.inputBox(QStringLiteral("Digite o número do Pedido:"), kTitle, QString()).value_or(QString());
    const bool pack = state.TipoCarga == 1;
    const Recordset rows =
        customer.query(orderSql(pack, answer), pack ? QStringLiteral("ZEPA_PACK") : QStringLiteral("ZEPA"));
    state.ContaPedido = 1;

    // A pack order is always one line: the first row the server returns.
    const int taken = pack ? std::min(rows.recordCount(), 1) : rows.recordCount();
    Connection& db = state.ConexaoPedidos;
    std::optional<Transaction> order; // opened with the header, so the question never waits inside it
    QString lastOrderNumber;
    for (int n = 0; n < taken; ++n) {
        const Record row = rows.row(n);
        if (state.ContaPedido == 1) {
            state.RsGeral = db.query(existingOrderSql(trimBlanks(field(row, "PEDIDO"))));
            if (!state.RsGeral.eof() &&
                !op.askYesNo(QStringLiteral("PEDIDO JÁ IMPORTADO!Deseja importar novamente?"), kTitle,
                             Operator::Icon::None))
                return CustomerImportResult::Declined;
            order.emplace(db);
            db.execute(headerSql(row, user));
            state.IdPedidoAtual =
                db.insertedKey(QStringLiteral("SELECT MAX (IDCODIGO)AS MAXIMU FROM VORLAPEDIDOS"));
            ++state.ContaPedido;
        }
        db.execute(lineSql(row, pack, state.IdPedidoAtual));
        lastOrderNumber = field(row, "PEDIDO");
    }
    if (order) order->commit();

    op.message(QStringLiteral("PEDIDO ") + lastOrderNumber + QStringLiteral(" IMPORTADO COM SUCESSO!"),
               kTitle, Operator::Icon::Information);
    return CustomerImportResult::Imported;
}
