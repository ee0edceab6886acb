#include "tracing/HistoryView.h"

#include "production/MenuSettings.h"
#include "production/ProductionTypes.h"
#include "session/Regional.h"

#include <algorithm>

namespace tracing {

QString momentText(const QDateTime& when) {
    if (!when.isValid()) return {};
    const QDateTime local = when.timeSpec() == Qt::LocalTime ? when : when.toLocalTime();
    return regional::dateText(local.date()) + QLatin1Char(' ') + regional::timeText(local.time());
}

QStringList jobHeader() {
    return {
        QStringLiteral("Quando"),           QStringLiteral("Trabalho"),  QStringLiteral("Tipo de etiqueta"),
        QStringLiteral("Produção"),         QStringLiteral("Pedido"),    QStringLiteral("Linha"),
        QStringLiteral("Código de barras"), QStringLiteral("Etiquetas"), QStringLiteral("Usuário"),
        QStringLiteral("Estação"),          QStringLiteral("Impressora")};
}

QStringList jobCells(const history::JobRecord& job) {
    // The moment as the recording workstation's clock read it: the time its operator saw.
    return {momentText(job.local.isValid() ? job.local : job.utc),
            history::kindName(job.kind),
            job.labelType,
            job.production,
            job.order,
            job.line ? QString::number(job.line) : QString(),
            job.barcode,
            QString::number(job.labels),
            job.user,
            job.station,
            job.printer};
}

history::Filter searchFilter(const QString& barcode, const QString& order, const QString& production,
                             const QString& user, const QDate& from, const QDate& to) {
    const QString numprod = production.trimmed();
    return {barcode.trimmed(),
            order.trimmed(),
            numprod.isEmpty() ? QString() : formatProductionNumber(numprod),
            user.trimmed(),
            from,
            to};
}

QStringList progressHeader() {
    return {QStringLiteral("Tipo de etiqueta"),
            QStringLiteral("Linhas S"),
            QStringLiteral("Linhas A"),
            QStringLiteral("Linhas N"),
            QStringLiteral("Etiquetas impressas"),
            QStringLiteral("Primeira impressão"),
            QStringLiteral("Última impressão"),
            QStringLiteral("Etiquetas na última hora")};
}

QStringList progressCells(const history::TypeProgress& type) {
    return {type.labelType,
            QString::number(type.linesPrinted),
            QString::number(type.linesHeld),
            QString::number(type.linesWaiting),
            QString::number(type.labelsPrinted),
            momentText(type.firstPrint),
            momentText(type.lastPrint),
            QString::number(type.labelsLastHour)};
}

QStringList heldHeader() {
    return {QStringLiteral("Tipo de etiqueta"), QStringLiteral("Pedido"), QStringLiteral("Linha"),
            QStringLiteral("Estação"), QStringLiteral("Desde")};
}

QList<QStringList> heldRows(const QList<history::TypeProgress>& progress) {
    QList<QStringList> rows;
    for (const history::TypeProgress& type : progress)
        for (const history::HeldLine& held : type.held) {
            QStringList cells{type.labelType, held.order, QString::number(held.line),
                              held.station.isEmpty() ? QStringLiteral("(desconhecida)") : held.station,
                              momentText(held.since)};
            auto same = std::find_if(rows.begin(), rows.end(),
                                     [&](const QStringList& row) { return row.mid(1) == cells.mid(1); });
            if (same == rows.end())
                rows << cells;
            else
                (*same)[0] += QStringLiteral(" / ") + type.labelType;
        }
    return rows;
}

QList<history::TypeProgress> floorProgress(Connection& store, const QString& typedProduction,
                                           const QDateTime& at) {
    const QString numprod = typedProduction.trimmed();
    if (numprod.isEmpty()) return {};
    return history::PrintHistory(store).progress(formatProductionNumber(numprod), progressTypes(), at);
}

} // namespace tracing
