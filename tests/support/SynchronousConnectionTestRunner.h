#pragma once

#include "publish/RemoteConnection.h"
#include "session/ConnectionTestRunner.h"

#include <optional>
#include <utility>

namespace pictaven::test {

// Runs connection tests on the caller's thread, at once, or, while `hold` is set, when the test
// calls finish(), so that what happens meanwhile can be looked at.
class SynchronousConnectionTestRunner : public ConnectionTestRunner {
public:
    bool hold = false;
    int timeoutMs = 5000;

    void start(ConnectionTest test, std::function<void(const ConnectionResult&)> done) override
    {
        m_pending.emplace(std::move(test), std::move(done));
        if (!hold)
            finish();
    }

    void cancel() override { m_pending.reset(); }

    bool running() const { return m_pending.has_value(); }

    // Runs the held test and hands over its result.
    void finish()
    {
        auto [test, done] = std::move(*m_pending);
        m_pending.reset();
        RemoteConnection session;
        session.setTimeouts(timeoutMs, timeoutMs);
        done(test.run(session));
    }

private:
    std::optional<std::pair<ConnectionTest, std::function<void(const ConnectionResult&)>>> m_pending;
};

} // namespace pictaven::test
