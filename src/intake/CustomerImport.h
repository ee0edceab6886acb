#pragma once

#include <QString>
#include <QVariant>

class Operator;
struct ProgramState;

// Import of one customer order from the customer's SQL Server: with state.TipoCarga 1
// the view ZEPA_PACK (only the first row of the order: a pack is one line), with 2 the
// view ZEPA (every row). The operator types the order number; one VORLAPEDIDOS header
// and its VORLA lines are stored with every flag 'N', in one transaction.
//
// conf.txt in the home folder names the server (its keys 1 to 4, see CustomerConnection)
// and refreshes ConfLinha5 (key 5). A missing conf.txt, a server that cannot be reached,
// a refused login or a missing view throws DataError with the cause in plain words,
// before anything is stored; a failure of the order store rolls the order back.

enum class CustomerImportResult {
    Imported, // stored (or the view held no row of that order), success shown
    Declined, // the order exists and the operator said No: nothing stored
};

CustomerImportResult CARREGABANCO(ProgramState& state, Operator& op, const QString& user);

// A value read from the customer's views as the workstation writes it: numbers with
// a decimal comma, dates dd/MM/yyyy (with the time only when it is not midnight),
// texts as they are, null as an empty text.
QString customerValueText(const QVariant& value);
