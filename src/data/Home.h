#pragma once

#include <QString>
#include <optional>

class Connection;

// The program's home folder: the two stores under bd/ and conf.txt beside them. When
// bd/servidor.txt is there, it names a PostgreSQL server (a connection URI on its first
// line) that holds both stores instead of the two files: the workstations of one floor
// share their orders through it. Which engine runs is decided here and nowhere else.
namespace home {
// The home when no --home is given: the executable's folder, as for a program unpacked
// in a folder of its own; an installed program (its folder `bin` beside
// `share/etiquetas-vorla`) cannot keep its stores there, so it uses the user's data
// folder, $XDG_DATA_HOME/etiquetas-vorla (~/.local/share/etiquetas-vorla).
QString defaultFolder(const QString& executableFolder);

QString cadastroFile(const QString& home);  // bd/TOMVEL.db: users and master data
QString pedidosFile(const QString& home);   // bd/vorla.db: order headers and lines
QString confFile(const QString& home);      // conf.txt
QString serverFile(const QString& home);    // bd/servidor.txt

// The server's URI when the home names one.
std::optional<QString> serverUri(const QString& home);

// The home's stores, on the server when the home names one (throws DataError).
Connection openCadastro(const QString& home);
Connection openPedidos(const QString& home);

// The schemas of the two stores on a server.
inline constexpr char kCadastroSchema[] = "cadastro";
inline constexpr char kPedidosSchema[] = "pedidos";

QString cadastroScript();
QString pedidosScript();

// Creates both stores with their tables and one first user. Refuses (DataError)
// when either store already exists, so an existing home is never touched.
void create(const QString& home, const QString& user, const QString& password);

// Creates both stores on the server named by `uri`, as schemas cadastro and pedidos of its
// database, with one first user, in one transaction. Refuses (DataError) when either
// schema exists already.
void createOnServer(const QString& uri, const QString& user, const QString& password);

// Writes bd/servidor.txt naming `uri` without its password (PostgreSQL's password file,
// ~/.pgpass or PGPASSFILE, or a service file, gives it). Refuses an existing file.
void writeServerFile(const QString& home, const QString& uri);
} // namespace home
