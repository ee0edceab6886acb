#include "support/TempHome.h"

#include "data/Connection.h"
#include "data/Home.h"

#include <QtTest>

#include <stdexcept>

namespace {
QAtomicInt g_databases;

Connection maintenance() {
    return Connection::openServer(qEnvironmentVariable("ETIQUETAS_TEST_PG"), QStringLiteral("public"));
}
} // namespace

bool TempHome::onServer() {
    return qEnvironmentVariable("ETIQUETAS_TEST_ENGINE") == QLatin1String("server");
}

TempHome::TempHome() {
    if (!m_dir.isValid()) throw std::runtime_error("no temporary folder");
    if (onServer()) {
        m_database = QStringLiteral("t%1_%2")
                         .arg(QCoreApplication::applicationPid())
                         .arg(g_databases.fetchAndAddRelaxed(1));
        maintenance().execute(QStringLiteral("CREATE DATABASE %1 TEMPLATE vorla_modelo").arg(m_database));
        QUrl url(qEnvironmentVariable("ETIQUETAS_TEST_PG")); // its own database on the test server
        url.setPath(QLatin1Char('/') + m_database);
        m_serverUri = url.toString();
        home::writeServerFile(m_dir.path(), m_serverUri);
    } else {
        home::create(m_dir.path(), QStringLiteral("ADMIN"), QStringLiteral("1234"));
    }
    m_state = std::make_unique<ProgramState>(m_dir.path());
    m_state->AbreConexaoCadastro();
    m_state->AbreConexaoPedidos();
}

TempHome::~TempHome() {
    m_state.reset();
    if (m_database.isEmpty()) return;
    try {
        maintenance().execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_database));
    } catch (...) {
        // The server went away (a test stopped it): its folder goes at the end of the run.
    }
}
