#include "ui/ThreadConnectionTestRunner.h"

#include "publish/RemoteConnection.h"

#include <QMetaObject>
#include <mutex>
#include <thread>

namespace pictaven {

// Shared by the runner and its thread; `cancelled` is only set on the runner's thread, under the
// lock, so a result is never posted to a runner that has gone.
struct ThreadConnectionTestRunner::Pending {
    std::mutex mutex;
    bool cancelled = false;
};

ThreadConnectionTestRunner::ThreadConnectionTestRunner(QObject* parent)
    : QObject(parent)
{
}

ThreadConnectionTestRunner::~ThreadConnectionTestRunner()
{
    cancel();
}

void ThreadConnectionTestRunner::start(ConnectionTest test, std::function<void(const ConnectionResult&)> done)
{
    cancel();
    auto pending = std::make_shared<Pending>();
    m_pending = pending;
    std::thread([this, pending, test = std::move(test), done = std::move(done)] {
        RemoteConnection session;
        ConnectionResult result = test.run(session);
        const std::lock_guard lock(pending->mutex);
        if (pending->cancelled)
            return;
        QMetaObject::invokeMethod(
            this,
            [pending, done, result = std::move(result)] {
                if (!pending->cancelled)
                    done(result);
            },
            Qt::QueuedConnection);
    }).detach();
}

void ThreadConnectionTestRunner::cancel()
{
    const std::shared_ptr<Pending> pending = std::move(m_pending);
    if (!pending)
        return;
    const std::lock_guard lock(pending->mutex);
    pending->cancelled = true;
}

} // namespace pictaven
