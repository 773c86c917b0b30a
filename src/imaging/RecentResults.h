#pragma once

#include <cstddef>
#include <deque>
#include <utility>

namespace pictaven {

// The values made last for a few keys, newest first, so that work whose result depends on a few
// numbers (a picture's size, say) is not done again for every picture of an album. Not shared
// between threads: each keeps its own, as a thread_local.
template <class Key, class Value, std::size_t Count> class RecentResults {
public:
    // The value kept for `key`, else the one make() gives, kept from then on while it is among
    // the Count newest. The reference holds until the next call.
    template <class Make> const Value& get(const Key& key, Make&& make)
    {
        for (const auto& [kept, value] : m_kept) {
            if (kept == key)
                return value;
        }
        m_kept.emplace_front(key, make());
        if (m_kept.size() > Count)
            m_kept.pop_back();
        return m_kept.front().second;
    }

private:
    std::deque<std::pair<Key, Value>> m_kept;
};

} // namespace pictaven
