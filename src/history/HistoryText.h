#pragma once

#include "history/PrintHistory.h"

#include <QString>

// The history's rows as text for a terminal or a spreadsheet (etiquetas-vorla --history).
namespace history {

// A header line, then one line per job, columns padded to line up.
QString table(const QList<JobRecord>& jobs);
// A header line, then one comma-separated line per job; a field holding a comma, a
// quote or a line break is quoted, its quotes doubled. Lines end in CR LF.
QString csv(const QList<JobRecord>& jobs);

} // namespace history
