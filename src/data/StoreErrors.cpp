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

} // namespace storeErrors
