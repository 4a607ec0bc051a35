#pragma once
#include <utility>

// A hook through which tests answer a modal step (a message box, a popup
// menu) instead of a user. The object sets the hook for its lifetime and
// restores the previous one, so nested scopes unwind in order. Each Hook type
// (a distinct std::function signature) has its own slot.
template <typename Hook>
class ScopedHook {
public:
    explicit ScopedHook(Hook hook) : m_previous(std::exchange(current(), std::move(hook))) {}
    ~ScopedHook() { current() = std::move(m_previous); }
    ScopedHook(const ScopedHook&) = delete;
    ScopedHook& operator=(const ScopedHook&) = delete;

    // The hook in force; empty when none is set.
    static Hook& current()
    {
        static Hook hook;
        return hook;
    }

private:
    Hook m_previous;
};
