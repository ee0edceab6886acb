#include "printing/CaptureScope.h"

namespace printing {

namespace {
thread_local CaptureScope* innermost = nullptr;
}

CaptureScope::CaptureScope() : m_outer(innermost) {
    innermost = this;
}

CaptureScope::~CaptureScope() {
    innermost = m_outer;
}

CaptureScope* CaptureScope::active() {
    return innermost;
}

} // namespace printing
