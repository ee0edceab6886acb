#pragma once

#include "printing/InnermostScope.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace printing {

// One job a printer accepted: where it went and the very bytes it received
// (Windows-1252, nothing added).
struct SentJob {
    QString printer;
    QByteArray bytes;
};

// While a SentJobs scope is alive, every job ImprimeDireto hands to a printer and the
// printer accepts is listed in the innermost scope, so the caller can record what really
// left. A job the printer refused is not listed; a job kept by a CaptureScope (a preview)
// is never sent and so never listed. Scopes belong to the thread that made them and may
// nest (only the innermost lists).
class SentJobs : public InnermostScope<SentJobs> {
public:
    const QList<SentJob>& jobs() const { return m_jobs; }
    bool isEmpty() const { return m_jobs.isEmpty(); }
    // Hands the listed jobs over, leaving the scope empty for the next ones.
    QList<SentJob> take() { return std::exchange(m_jobs, {}); }

    void append(SentJob job) { m_jobs.append(std::move(job)); }

private:
    QList<SentJob> m_jobs;
};

} // namespace printing
