#pragma once

#include "printing/InnermostScope.h"

#include <QByteArray>
#include <QList>

namespace printing {

// While a CaptureScope is alive, ImprimeDireto sends nothing: it appends each job's
// bytes (Windows-1252, exactly what a printer would receive) to the innermost scope and
// reports success. A preview runs the real builders inside one and renders what they
// would have printed. Scopes belong to the thread that made them and may nest.
// active() is nullptr when jobs go to printers.
class CaptureScope : public InnermostScope<CaptureScope> {
public:
    const QList<QByteArray>& jobs() const { return m_jobs; }
    void append(const QByteArray& job) { m_jobs.append(job); }

private:
    QList<QByteArray> m_jobs;
};

} // namespace printing
