#include "data/StoreErrors.h"

#include <QDir>
#include <QSqlError>

#include <sqlite3.h>

namespace storeErrors {

namespace {

QString advice(int code) {
    switch (code) {
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral(
            "O banco de dados '%1' está somente para leitura: o programa não pode gravar nele. "
            "Peça a quem administra o computador que libere a gravação no arquivo e na pasta dele "
            "e tente novamente.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral(
            "O banco de dados '%1' está bloqueado por outro programa. Feche o outro programa que "
            "usa o arquivo (ou aguarde que ele termine) e tente novamente.");
    case SQLITE_FULL:
        return QStringLiteral(
            "O disco do banco de dados '%1' está cheio. Libere espaço no disco e tente novamente.");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QStringLiteral(
            "O arquivo '%1' não é um banco de dados válido ou está danificado. Restaure o arquivo "
            "a partir de uma cópia de segurança.");
    case SQLITE_CANTOPEN:
        return QStringLiteral(
            "Não foi possível abrir o banco de dados '%1'. Verifique se o arquivo e a pasta dele "
            "existem e se podem ser lidos e gravados.");
    case SQLITE_IOERR:
        return QStringLiteral("Erro de leitura ou gravação no banco de dados '%1'. Verifique o disco e tente "
                              "novamente.");
    default:
        return {};
    }
}

} // namespace

QString describe(const QString& file, int sqliteCode, const QString& technical) {
    const QString text = advice(sqliteCode & 0xff);
    if (text.isEmpty()) return technical;
    return text.arg(QDir::toNativeSeparators(file)) + QStringLiteral("\n\nDetalhe técnico: ") + technical;
}

QString describe(const QString& file, const QSqlError& error) {
    const QString technical = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    return numeric ? describe(file, code, technical) : technical;
}

QString describeServer(const QString& server, const QSqlError& error, bool* lost) {
    const QString technical = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    const QString state = error.nativeErrorCode();
    // Connection classes of SQLSTATE, the server shutting down, or libpq's own words
    // when no answer came at all.
    const bool gone = state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")) ||
                      error.type() == QSqlError::ConnectionError ||
                      technical.contains(QLatin1String("server closed the connection")) ||
                      technical.contains(QLatin1String("no connection to the server")) ||
                      technical.contains(QLatin1String("connection to server")) ||
                      technical.contains(QLatin1String("could not connect")) ||
                      technical.contains(QLatin1String("terminating connection"));
    if (lost) *lost = gone;
    if (!gone) {
        QString text = technical.trimmed();  // "ERROR:  " is libpq's, not the operator's
        if (text.startsWith(QLatin1String("ERROR:"))) text = text.mid(6).trimmed();
        return text;
    }
    return QStringLiteral("Não foi possível conectar ao servidor do banco de dados (%1). A ação em andamento foi "
                          "interrompida e nada dela foi gravado. Verifique a rede e o servidor; a próxima ação "
                          "tenta conectar de novo.\n\nDetalhe técnico: %2")
        .arg(server, technical.trimmed());
}

} // namespace storeErrors
