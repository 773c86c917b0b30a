#pragma once

#include "session/ConnectionTestRunner.h"

#include <QObject>
#include <memory>

namespace pictaven {

// Runs each connection test on a thread of its own, so that the window stays live while a host
// that never answers is tried, and posts the result back to the thread that owns this object.
// Cancelling (or destroying the runner) never waits: the abandoned thread ends by itself within
// the session's time-outs and its result is dropped.
class ThreadConnectionTestRunner : public QObject, public ConnectionTestRunner {
    Q_OBJECT

public:
    explicit ThreadConnectionTestRunner(QObject* parent = nullptr);
    ~ThreadConnectionTestRunner() override;

    void start(ConnectionTest test, std::function<void(const ConnectionResult&)> done) override;
    void cancel() override;

private:
    struct Pending;
    std::shared_ptr<Pending> m_pending;
};

} // namespace pictaven
