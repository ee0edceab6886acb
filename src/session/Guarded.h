#pragma once

#include "session/Operator.h"
#include "data/DataError.h"

// Runs one operation of a window; a data-access failure stops that operation, the
// operator sees the error text under the title "VORLA", and the program goes on.
// Returns false when the operation was stopped that way.
template <class Operation>
bool runGuarded(Operator& op, Operation&& operation)
{
    try {
        operation();
        return true;
    } catch (const DataError& e) {
        op.message(e.text(), QStringLiteral("VORLA"), Operator::Icon::Critical);
        return false;
    }
}
