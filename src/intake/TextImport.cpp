#include "intake/TextImport.h"

#include "session/Operator.h"
#include "session/ProgramState.h"
#include "session/Regional.h"
#include "data/SqlText.h"
#include "intake/OrderTextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <optional>

namespace {

using orderText::trimBlanks;

const QString kTitle = QStringLiteral("VORLA");

// Progress is reported every this many lines (and at the start and the end).
constexpr int kProgressStep = 100;

QString existingOrderSql(const QStringList& f)
{
    return QStringLiteral("Select * from VORLAPEDIDOS where PEDIDO like '") + sqlText(f[2]) + QStringLiteral("'");
}

QString headerSql(const QStringList& f, const QString& user)
{
    return QStringLiteral("INSERT INTO VORLAPEDIDOS") +
           QStringLiteral("(PEDIDO,GRUPO,FORNECEDOR,IMPRESSOR,IMPRESSOETQ,IMPRESSOETQ1,IMPRESSOETQ2,IMPRESSOETQ3,"
                          "IMPRESSOETQ4,IMPRESSOETQ5,DATA,HORA,USUARIOIMP)values (") +
           QStringLiteral("'") + sqlText(trimBlanks(f[2])) + QStringLiteral("','VORLA','") + sqlText(f[1]) +
           QStringLiteral("','N','N','N','N','N','N','N','") + sqlText(regional::dateText()) + QStringLiteral("','") +
           sqlText(regional::timeText()) + QStringLiteral("','") + sqlText(user) + QStringLiteral("')");
}

// The product code is always field 3, whatever the order-number field holds.
// `registered` is the day of the import (DATA_REGIS). Written straight into one string:
// the import writes one for every line of the file.
QString lineSql(const QStringList& f, qint64 idPedido, const QString& registered)
{
    QString sql = QStringLiteral("INSERT INTO VORLA") +
                  QStringLiteral("(IDPEDIDO,COLECAO,CODIG_PROD,FORNECEDOR,LOTE,DESCRI_TAM,PRECO,QTD_IMPRES,") +
                  QStringLiteral("CODIG_COR,TAMANHO,DESCRICAO,CODIG_BARR,CATEGORIA,TIPO_PROD,MENSAGEM,PROMOCIONAL,DATA,"
                                 "IMPRESSO,IMPRESSOSP,IMPRESSOC,IMPRESSO4,IMPRESSO5,DATA_REGIS,RQTD)values (");
    sql.reserve(sql.size() + 400);
    auto value = [&sql](const QString& text, bool last = false) {
        sql += QLatin1Char('\'');
        sql += sqlText(text);
        sql += last ? QLatin1String("')") : QLatin1String("',");
    };
    value(QString::number(idPedido));
    for (const int i : {0, 3, 1, 2, 6, 4, 5, 7, 8, 9, 10, 11, 12, 14, 16}) value(trimBlanks(f[i]));
    value(f[13]);
    for (int i = 0; i < 5; ++i) value(QStringLiteral("N"));
    value(registered);
    value(trimBlanks(f[17]), true);
    return sql;
}

// Tells the operator how far the import is; the end is always reported, also when the
// import stops early, so a progress window never stays behind.
class ProgressReport {
public:
    ProgressReport(Operator& op, int total) : m_op(op), m_total(total) { m_op.progress(0, total); }
    ~ProgressReport() { finish(); }
    void at(int done)
    {
        if (done > 0 && done % kProgressStep == 0) m_op.progress(done, m_total);
    }
    void finish()
    {
        if (m_finished) return;
        m_finished = true;
        m_op.progress(m_total, m_total);
    }

private:
    Operator& m_op;
    int m_total;
    bool m_finished = false;
};

// `lineNumber` (counted from 1) names the line at fault where the number alone does not.
TextImportResult fail(Operator& op, int number, int lineNumber = 0)
{
    QString text = QStringLiteral("Erro: ") + QString::number(number) + QStringLiteral("-> FORMATO DE ARQUIVO INVÁLIDO!");
    if (lineNumber > 0) text += QStringLiteral("\nLinha %1: caractere nulo (código 0).").arg(lineNumber);
    op.message(text, QCoreApplication::applicationName(), Operator::Icon::None);
    return TextImportResult::Failed;
}

// The file's text lines, or the number of the reason it cannot be read.
std::optional<QStringList> readLines(const QString& path, int& errorNumber)
{
    QFile file(path);
    if (!file.exists()) {
        errorNumber = textImportError::FileNotFound;
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        errorNumber = textImportError::FileUnreadable;
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        errorNumber = textImportError::FileUnreadable;
        return std::nullopt;
    }
    return orderText::lines(orderText::decode(bytes));
}

} // namespace

TextImportResult CARREGATXT(ProgramState& state, Operator& op, const QString& user)
{
    state.AbreConexaoPedidos();
    int errorNumber = 0;
    const std::optional<QStringList> lines = readLines(state.ArquivoTxt, errorNumber);
    if (!lines) return fail(op, errorNumber);

    Connection& db = state.ConexaoPedidos;
    state.ContaPedido = 1;
    std::optional<Transaction> order;  // opened with the header, so a question never waits inside it
    QString lastOrderNumber;
    const int total = int(lines->size());
    const QString registered = regional::dateText();
    ProgressReport progress(op, total);

    for (int n = 0; n < total; ++n) {
        progress.at(n);
        const QString& line = lines->at(n);
        if (line.isEmpty()) continue;
        if (line.contains(QChar(0))) {  // SQLite would take it for the end of the statement
            order.reset();
            progress.finish();
            return fail(op, textImportError::InvalidCharacter, n + 1);
        }
        const QStringList f = orderText::fields(line);
        if (f.size() < orderText::kFieldCount) {
            order.reset();  // rolls back whatever this file stored so far
            progress.finish();
            return fail(op, textImportError::ShortLine);
        }

        if (state.ContaPedido == 1) {
            state.RsGeral = db.query(existingOrderSql(f));
            if (!state.RsGeral.eof() &&
                !op.askYesNo(QStringLiteral("PEDIDO JÁ IMPORTADO!Deseja importar novamente?"), kTitle,
                             Operator::Icon::None)) {
                APAGATXT(state, op);
                return TextImportResult::Declined;
            }
            order.emplace(db);
            db.execute(headerSql(f, user));
            state.IdPedidoAtual =
                db.insertedKey(QStringLiteral("SELECT MAX (IDCODIGO)AS MAXIMU FROM VORLAPEDIDOS"));
            ++state.ContaPedido;
        }
        db.execute(lineSql(f, state.IdPedidoAtual, registered));
        lastOrderNumber = f[2];
    }
    if (order) order->commit();
    progress.finish();

    op.message(QStringLiteral("PEDIDO ") + lastOrderNumber + QStringLiteral(" IMPORTADO COM SUCESSO!"), kTitle,
               Operator::Icon::Information);
    APAGATXT(state, op);
    return TextImportResult::Imported;
}

bool APAGATXT(const ProgramState& state, Operator& op)
{
    if (QFile::remove(state.ArquivoTxt)) return true;
    op.message(QStringLiteral("NÃO FOI POSSÍVEL APAGAR O ARQUIVO ") + QDir::toNativeSeparators(state.ArquivoTxt) +
                   QStringLiteral("!"),
               kTitle, Operator::Icon::Warning);
    return false;
}

void importTextFilesUntilDone(ProgramState& state, Operator& op, const QString& user)
{
    for (;;) {
        const std::optional<QString> file =
            op.openFile(QStringLiteral("ABRIR ARQUIVO"), QStringLiteral("Arquivo Texto (*.txt)"));
        if (!file) return;
        state.ArquivoTxt = *file;
        if (CARREGATXT(state, op, user) != TextImportResult::Imported) return;
    }
}
