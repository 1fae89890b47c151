#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "ui/qt_event_loop.h"

namespace qxed::testing {
namespace {

using namespace std::chrono_literals;

// Lets the loop run until the predicate holds or a second has passed.
bool RunUntil(EventLoop& loop, const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 1000) return false;
        loop.ProcessPending();
        QThread::msleep(1);
    }
    return true;
}

TEST(QtEventLoopTest, TasksPostedFromAnotherThreadRunInOrderOnTheLoopThread) {
    QtEventLoop loop;
    std::vector<int> order;
    std::vector<bool> onLoopThread;
    const auto loopThread = std::this_thread::get_id();
    std::thread poster([&] {
        for (int i = 0; i < 100; ++i)
            loop.Post([&, i] {
                order.push_back(i);
                onLoopThread.push_back(std::this_thread::get_id() == loopThread);
            });
    });
    poster.join();
    ASSERT_TRUE(RunUntil(loop, [&] { return order.size() == 100; }));
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[static_cast<size_t>(i)], i);
    EXPECT_EQ(onLoopThread, std::vector<bool>(100, true));
}

TEST(QtEventLoopTest, SingleShotFiresOnceAndARepeatingTimerUntilItStopsItself) {
    QtEventLoop loop;
    int single = 0;
    int repeated = 0;
    int stopped = 0;
    loop.StartTimer(5ms, false, [&] { ++single; });
    TimerId repeating = 0;
    repeating = loop.StartTimer(2ms, true, [&] {
        if (++repeated == 3) loop.StopTimer(repeating);
    });
    const TimerId never = loop.StartTimer(1ms, false, [&] { ++stopped; });
    loop.StopTimer(never);
    loop.StopTimer(never);  // twice, and an id that was never given: harmless
    loop.StopTimer(12345);
    ASSERT_TRUE(RunUntil(loop, [&] { return single == 1 && repeated == 3; }));
    QThread::msleep(30);
    loop.ProcessPending();
    EXPECT_EQ(single, 1);
    EXPECT_EQ(repeated, 3);
    EXPECT_EQ(stopped, 0);
}

TEST(QtEventLoopTest, WhatIsStillQueuedWhenTheLoopGoesIsDropped) {
    int ran = 0;
    {
        QtEventLoop loop;
        loop.Post([&] { ++ran; });
        loop.StartTimer(0ms, false, [&] { ++ran; });
    }
    QtEventLoop other;
    QThread::msleep(5);
    other.ProcessPending();
    EXPECT_EQ(ran, 0);
}

}  // namespace
}  // namespace qxed::testing
