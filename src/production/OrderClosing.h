#pragma once

#include <QList>
#include <QString>
#include <optional>

class Connection;
struct ProductionType;

// Closing an order for a label type, and the summary label that the close makes owed.
//
// An order is closed by the store, never by what a station last saw: in the
// transaction that marks a line 'S', the order's header row is locked and the order's
// lines still 'N' or 'A' for the type's flag are counted; when none is left and the
// header is still 'N', the header is set 'S' there and then. Whichever station's
// transaction closes the header prints the summary, so each order gets exactly one per
// flag, however the stations' clicks interleave.
//
// The summary is owed from that same transaction until a printer takes it: a row of
// RESUMOPENDENTE names the order, the header flag, the station that prints it and since
// when (the store's clock). A crash, a refused send or an operator who gives up leaves
// it owed; it is printed the next time its production number is entered, by the
// station that owes it or, once that station's claim is stale, by any other.
class OrderClosing {
  public:
    // An owed summary this station has taken to print.
    struct Owed {
        qint64 idResumo = 0;
        qint64 idPedido = 0;
        QString pedido; // the header's order number
    };

    OrderClosing(Connection& store, const ProductionType& type, QString station);

    // Whether the transaction already holds the order's header row (a print click locks
    // all the headers of its production number first).
    enum class Header { Lock, AlreadyLocked };
    // Inside the transaction that marked a line of the order 'S': closes the order when
    // no line of it is left to print for the type, and records its summary as owed by
    // this station. The summary owed when this call closed it.
    std::optional<Owed> closeIfDone(qint64 idPedido, Header header = Header::Lock);
    // Whether printing `identificacao` would leave the order with nothing to print (for
    // a preview: nothing is locked or written).
    bool lastLineLeft(qint64 idPedido, qint64 identificacao);
    // Orders of the production number whose lines are all printed but whose header an
    // older version left open (a crash between the two marks): closed now, their
    // summaries owed. Then every owed summary of the production number this station
    // may print, taken by it.
    QList<Owed> takeOwed(const QString& lblprod);
    // The printer took the summary: it is owed no more.
    void printed(qint64 idResumo);

  private:
    QString headerFlag() const;
    QString lineFlag() const;
    QString staleStamp() const;

    Connection& m_store;
    const ProductionType& m_type;
    QString m_station;
};
