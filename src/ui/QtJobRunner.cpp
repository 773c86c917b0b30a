#include "ui/QtJobRunner.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace pictaven {

QtJobRunner::QtJobRunner() = default;

QtJobRunner::~QtJobRunner()
{
    m_closing = true;
    if (!m_thread)
        return;
    // The job may be waiting for a call of ours; answering the queued calls releases it.
    while (!m_thread->wait(QDeadlineTimer(20)))
        QCoreApplication::sendPostedEvents(&m_receiver);
}

void QtJobRunner::run(std::function<void()> work, std::function<void()> done)
{
    if (m_thread)
        m_thread->wait(); // the last job has posted its end already and is leaving
    m_thread.reset(QThread::create([this, work = std::move(work), done = std::move(done)] {
        work();
        post(done);
    }));
    m_thread->start();
}

bool QtJobRunner::onOwningThread() const
{
    return QThread::currentThread() == m_receiver.thread();
}

void QtJobRunner::deliver(std::function<void()> task, Qt::ConnectionType type)
{
    QMetaObject::invokeMethod(
        &m_receiver,
        [this, task = std::move(task)] {
            if (!m_closing)
                task();
        },
        type);
}

void QtJobRunner::post(std::function<void()> task)
{
    if (onOwningThread())
        task();
    else
        deliver(std::move(task), Qt::QueuedConnection);
}

void QtJobRunner::call(std::function<void()> task)
{
    if (onOwningThread())
        task();
    else
        deliver(std::move(task), Qt::BlockingQueuedConnection);
}

} // namespace pictaven
