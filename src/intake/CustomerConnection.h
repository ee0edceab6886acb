#pragma once

#include "data/Recordset.h"
#include "intake/ConfTxt.h"

#include <QString>

// The customer's SQL Server, reached through ODBC (Qt's QODBC driver over unixODBC).
// The four settings of conf.txt become a connection string for the FreeTDS driver
// unless the environment names another driver:
//   ETIQUETAS_ODBC_DRIVER      an installed ODBC driver, by its registered name or the
//                              path of its library ("ODBC Driver 18 for SQL Server", or
//                              "SQLite3" for a SQLite file named by the database setting)
//   ETIQUETAS_ODBC_CONNECTION  a whole connection string, used as it is instead
namespace customerOdbc {
inline constexpr char kDriverVariable[] = "ETIQUETAS_ODBC_DRIVER";
inline constexpr char kConnectionVariable[] = "ETIQUETAS_ODBC_CONNECTION";
inline const QString kDefaultDriver = QStringLiteral("FreeTDS");
// The oldest protocol version current SQL Server releases still accept from FreeTDS.
inline const QString kTdsVersion = QStringLiteral("7.4");
// Seconds a server that does not answer is waited for.
constexpr int kLoginTimeout = 15;

// The connection string for `server` through `driver`; `whole`, when not empty, wins.
QString connectionString(const CustomerServer& server, const QString& driver, const QString& whole = {});
// The same with the driver and the whole string taken from the environment.
QString connectionString(const CustomerServer& server);
// The driver named by the environment, or the default one.
QString driverName();
} // namespace customerOdbc

// One open connection to the customer's server. Every failure throws DataError with
// a text that tells the operator the cause in plain words (server unreachable, login
// refused, driver missing, view missing), followed by the driver's own text.
class CustomerConnection {
  public:
    explicit CustomerConnection(const CustomerServer& server);
    ~CustomerConnection();
    CustomerConnection(const CustomerConnection&) = delete;
    CustomerConnection& operator=(const CustomerConnection&) = delete;

    // The rows of a read on `view`, as a static snapshot.
    Recordset query(const QString& sql, const QString& view);

  private:
    QString m_name;
};
