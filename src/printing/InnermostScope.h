#pragma once

namespace printing {

// A scope object of which the innermost alive on a thread is found by active(): scopes
// belong to the thread that made them and may nest, each hiding the ones outside it
// until it ends.
template <class Scope>
class InnermostScope {
public:
    InnermostScope(const InnermostScope&) = delete;
    InnermostScope& operator=(const InnermostScope&) = delete;

    // The innermost scope of this thread, or nullptr when none is alive.
    static Scope* active() { return s_innermost; }

protected:
    InnermostScope() : m_outer(s_innermost) { s_innermost = static_cast<Scope*>(this); }
    ~InnermostScope() { s_innermost = m_outer; }

private:
    Scope* m_outer;
    static inline thread_local Scope* s_innermost = nullptr;
};

} // namespace printing
