#pragma once

#include <functional>
#include <map>
#include <vector>

namespace pictaven {

// Tells whoever shows a piece of the workspace that it has changed, so that they draw it again.
// Used on one thread, the one that owns the workspace. A listener may subscribe or unsubscribe
// others while it is being told; the change takes effect at the next notify().
class ChangeNotifier {
public:
    using Listener = std::function<void()>;

    // Returns a token for unsubscribe().
    int subscribe(Listener listener)
    {
        m_listeners.emplace(m_nextToken, std::move(listener));
        return m_nextToken++;
    }

    void unsubscribe(int token) { m_listeners.erase(token); }

    void notify() const
    {
        std::vector<Listener> listeners;
        listeners.reserve(m_listeners.size());
        for (const auto& [token, listener] : m_listeners)
            listeners.push_back(listener);
        for (const Listener& listener : listeners)
            listener();
    }

private:
    std::map<int, Listener> m_listeners;
    int m_nextToken = 0;
};

} // namespace pictaven
