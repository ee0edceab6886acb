#pragma once

#include "printing/PrinterStatus.h"

#include <QString>

class Operator;

// Asks the label printer whether it can take a job, just before one is sent. While it
// cannot, the operator sees what is wrong (title "VORLA") and answers Yes to ask again
// once it is fixed, No to give up. A printer that does not answer lets the operator
// choose to send anyway. True when the job may go; false when the operator gave up:
// nothing may be sent or marked then, and nothing more needs saying. `about`, when
// given, opens every text, saying which job waits (the order's summary label).
bool ensurePrinterReady(Operator& op, const QString& printer, const QString& about = {});
