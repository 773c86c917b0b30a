#pragma once

#include <functional>

namespace pictaven {

// Runs a long command (a generation, an upload) off the thread that owns the workspace, and
// carries what it reports back to that thread. The window runs the work on a thread of its
// own; tests run everything at once on the calling thread.
class JobRunner {
public:
    virtual ~JobRunner() = default;

    // Starts `work` on a worker and, once it has returned, runs `done` on the owning thread.
    // One job at a time: the caller starts the next only after `done` has run.
    virtual void run(std::function<void()> work, std::function<void()> done) = 0;

    // Runs `task` on the owning thread, soon, without waiting for it: status texts, progress.
    // Called from the owning thread, it runs the task at once.
    virtual void post(std::function<void()> task) = 0;

    // Runs `task` on the owning thread and waits until it has returned: a message box, which
    // holds the worker until the person has closed it. Called from the owning thread, it runs
    // the task at once.
    virtual void call(std::function<void()> task) = 0;
};

} // namespace pictaven
