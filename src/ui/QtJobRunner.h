#pragma once

#include "session/JobRunner.h"

#include <QObject>
#include <atomic>
#include <memory>

class QThread;

namespace pictaven {

// Runs a job on a thread of its own and carries its reports to the thread that made the
// runner (the window's) as queued calls; a call that must wait (a message box) holds the job
// until it has returned.
class QtJobRunner : public JobRunner {
public:
    QtJobRunner();
    // Waits for a running job to end; what it still reports is dropped, and a box it waits for
    // is not shown, so that it cannot hold the window.
    ~QtJobRunner() override;
    QtJobRunner(const QtJobRunner&) = delete;
    QtJobRunner& operator=(const QtJobRunner&) = delete;

    void run(std::function<void()> work, std::function<void()> done) override;
    void post(std::function<void()> task) override;
    void call(std::function<void()> task) override;

private:
    bool onOwningThread() const;
    void deliver(std::function<void()> task, Qt::ConnectionType type);

    QObject m_receiver; // lives on the owning thread; the queued calls go to it
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_closing = false;
};

} // namespace pictaven
