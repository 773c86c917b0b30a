#pragma once

#include "session/ConnectionTest.h"

#include <functional>
#include <string>

namespace pictaven {

// Runs connection tests away from the thread that owns the wizard, one at a time, and hands the
// result back to that thread. The desktop program runs them on a thread of their own; tests may
// run them at once.
class ConnectionTestRunner {
public:
    virtual ~ConnectionTestRunner() = default;

    // Starts `test`, dropping one still running. `done` is called on the owner's thread with the
    // result, unless cancel() comes first.
    virtual void start(ConnectionTest test, std::function<void(const ConnectionResult&)> done) = 0;
    // Drops the running test, if any: its `done` is never called. Does not wait for it.
    virtual void cancel() = 0;
};

} // namespace pictaven
