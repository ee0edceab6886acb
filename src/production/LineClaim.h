#pragma once

#include "data/Recordset.h"

#include <QString>
#include <QStringList>
#include <optional>

class Connection;

// Which workstation holds a line marked 'A' for one label type. Several workstations
// can work one production number on a shared store: a line one of them marked 'A' is
// not offered to another until the claim is stale (its station died). The flag stays
// as it always was; beside each flag column F, F_ESTACAO names the holder and F_DESDE
// (UTC, yyyy-MM-ddTHH:mm:ss, by the store's clock) says since when. A line with no holder (marked before
// these columns existed) belongs to whoever finds it. On one workstation every claim
// is its own, so the lines are taken and marked exactly as before.
//
// The workstation's name is the host name, or ETIQUETAS_ESTACAO when set; a claim is
// stale after ETIQUETAS_ESTACAO_MINUTOS minutes (10 when unset).
class LineClaim {
  public:
    LineClaim(Connection& store, QString flagColumn);

    static QString stationName();
    static int staleMinutes();

    // Runs the flag's 'A' update (`takeUpdate`, "UPDATE VORLA set F ='A'" without its
    // where clause) on the line when it is free for this station, recording the claim.
    // False when another station holds it.
    bool take(const QString& takeUpdate, qint64 identificacao);
    // The line while this station (or no one) holds it marked 'A', read with `columns`
    // (its Identificação first); none when it is not held here.
    std::optional<Record> heldLine(qint64 identificacao, const QStringList& columns = {});
    // Runs the line's 'S' update (a full statement ending in its where clause) only
    // while this station still holds the line. False (nothing marked) when the claim
    // was lost.
    bool markPrinted(const QString& printedUpdate);

    QString station() const { return m_station; }
    // The condition "this station (or no one) holds the line".
    QString heldByMe() const;

  private:
    Connection& m_store;
    QString m_flag;
    QString m_station;
};
