#pragma once
// A notification slot that holds at most one handler, as the engine's events do: assigning a handler
// replaces the previous one, and raising an unassigned hook does nothing.

#include <functional>
#include <utility>

namespace plat {

template <class... Args>
class Hook {
public:
    using Handler = std::function<void(Args...)>;

    Hook() = default;
    Hook(Handler handler) : m_handler(std::move(handler)) {}

    void Set(Handler handler) { m_handler = std::move(handler); }
    void Clear() { m_handler = nullptr; }
    bool Assigned() const { return static_cast<bool>(m_handler); }

    // Raises the hook when a handler is assigned. A copy is called so that a handler may safely
    // replace or clear the hook while it runs.
    void operator()(Args... args) const
    {
        if (m_handler) {
            Handler handler = m_handler;
            handler(std::forward<Args>(args)...);
        }
    }

private:
    Handler m_handler;
};

class Object;
// The common notification: the sender first.
using NotifyEvent = Hook<Object*>;

} // namespace plat
