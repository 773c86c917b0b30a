#include "ui/QtJobRunner.h"

#include <QTest>
#include <QThread>
#include <atomic>
#include <memory>
#include <vector>

namespace pictaven {

class QtJobRunnerTest : public QObject {
    Q_OBJECT

private slots:
    void workRunsOffTheThreadAndReportsOnIt();
    void aCallHoldsTheWorkUntilItHasReturned();
    void goingAwayReleasesWorkThatWaitsForACall();
};

void QtJobRunnerTest::workRunsOffTheThreadAndReportsOnIt()
{
    QtJobRunner runner;
    QThread* const window = QThread::currentThread();
    std::atomic<QThread*> worker = nullptr;
    std::vector<int> reports; // touched on the window's thread only
    bool done = false;
    runner.run(
        [&] {
            worker = QThread::currentThread();
            for (int i = 1; i <= 3; ++i)
                runner.post([&, i] {
                    QCOMPARE(QThread::currentThread(), window);
                    reports.push_back(i);
                });
        },
        [&] {
            QCOMPARE(QThread::currentThread(), window);
            done = true;
        });
    QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
    QVERIFY(worker != window && worker != nullptr);
    QCOMPARE(reports, (std::vector<int>{1, 2, 3}));

    // From the window's own thread a report is shown at once.
    runner.post([&] { reports.push_back(4); });
    QCOMPARE(reports.back(), 4);
}

void QtJobRunnerTest::aCallHoldsTheWorkUntilItHasReturned()
{
    QtJobRunner runner;
    bool answered = false; // written on the window's thread, read by the work after the call
    bool seen = false;
    bool done = false;
    runner.run(
        [&] {
            runner.call([&] { answered = true; });
            seen = answered;
        },
        [&] { done = true; });
    QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
    QVERIFY(seen);
}

void QtJobRunnerTest::goingAwayReleasesWorkThatWaitsForACall()
{
    auto runner = std::make_unique<QtJobRunner>();
    QtJobRunner* const going = runner.get();
    std::atomic<bool> calling = false;
    std::atomic<bool> shown = false;
    std::atomic<bool> released = false;
    runner->run(
        [&] {
            calling = true;
            going->call([&] { shown = true; });
            released = true;
        },
        [] {});
    while (!calling)
        QThread::yieldCurrentThread();
    runner.reset();
    QVERIFY(released);
    QVERIFY(!shown);
}

} // namespace pictaven

QTEST_MAIN(pictaven::QtJobRunnerTest)
#include "QtJobRunnerTest.moc"
