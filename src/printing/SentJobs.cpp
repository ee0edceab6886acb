#include "printing/SentJobs.h"

namespace printing {

namespace {
thread_local SentJobs* innermost = nullptr;
}

SentJobs::SentJobs() : m_outer(innermost) {
    innermost = this;
}

SentJobs::~SentJobs() {
    innermost = m_outer;
}

SentJobs* SentJobs::active() {
    return innermost;
}

} // namespace printing
