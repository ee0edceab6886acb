#include "history/PrintHistory.h"

#include "data/DataError.h"

namespace history {

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Producao: return QStringLiteral("produção");
    case Kind::Resumo: return QStringLiteral("resumo");
    case Kind::Calibracao: return QStringLiteral("calibração");
    case Kind::Avulsa: return QStringLiteral("avulsa");
    case Kind::Reimpressao: return QStringLiteral("reimpressão");
    }
    return {};
}

std::optional<Kind> kindFromName(const QString& name)
{
    for (Kind k : {Kind::Producao, Kind::Resumo, Kind::Calibracao, Kind::Avulsa, Kind::Reimpressao})
        if (kindName(k) == name) return k;
    return std::nullopt;
}

PrintHistory::PrintHistory(Connection& store) : m_store(store) {}

QList<qint64> PrintHistory::record(const JobRecord&, const QList<printing::SentJob>&) { return {}; }
QList<JobRecord> PrintHistory::find(const Filter&, int) { return {}; }
std::optional<JobRecord> PrintHistory::job(qint64) { return std::nullopt; }
QList<TypeProgress> PrintHistory::progress(const QString&, const QList<TypeColumns>&, const QDateTime&) { return {}; }
int PrintHistory::prune(const QDateTime&) { return 0; }
int PrintHistory::keepDays() { return 365; }
int PrintHistory::bytesDays() { return 90; }
int PrintHistory::labelCount(const QByteArray&) { return 0; }

} // namespace history
