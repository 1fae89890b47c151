#include "link/event_loop.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace qxed {
namespace {

using std::chrono::milliseconds;

TEST(StdEventLoop, RunsPostsInOrderThenTimersInDueOrderUntilQuit) {
    StdEventLoop loop;
    std::vector<std::string> order;
    loop.StartTimer(milliseconds(30), false, [&] {
        order.push_back("t30");
        loop.Quit();
    });
    loop.StartTimer(milliseconds(5), false, [&] { order.push_back("t5"); });
    loop.Post([&] {
        order.push_back("a");
        loop.Post([&] { order.push_back("c"); });  // posted from a task: after those already queued
    });
    loop.Post([&] { order.push_back("b"); });
    loop.Run();
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c", "t5", "t30"}));

    // Quit ends one Run only: the loop runs again afterwards.
    loop.Post([&] {
        order.push_back("again");
        loop.Quit();
    });
    loop.Run();
    EXPECT_EQ(order.back(), "again");
}

TEST(StdEventLoop, TimerTasksMayStopAndStartTimersIncludingTheirOwn) {
    StdEventLoop loop;
    int ticks = 0;
    int singleShots = 0;
    TimerId repeating = 0;
    TimerId single = 0;
    repeating = loop.StartTimer(milliseconds(1), true, [&] {
        if (++ticks == 3) {
            loop.StopTimer(repeating);
            // A single-shot timer stopping itself while it runs: it is gone already, which is harmless.
            single = loop.StartTimer(milliseconds(1), false, [&] {
                ++singleShots;
                loop.StopTimer(single);
                loop.StartTimer(milliseconds(1), false, [&] { loop.Quit(); });
            });
        }
    });
    loop.Run();
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(singleShots, 1);
    loop.StopTimer(12345);  // never started
}

TEST(StdEventLoop, TakesPostsAndQuitFromOtherThreads) {
    StdEventLoop loop;
    constexpr int kThreads = 4;
    constexpr int kPosts = 500;
    std::vector<std::vector<int>> seen(kThreads);
    int total = 0;
    std::vector<std::thread> posters;
    for (int t = 0; t < kThreads; ++t) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < kPosts; ++i)
                loop.Post([&, t, i] {
                    seen[t].push_back(i);
                    if (++total == kThreads * kPosts) loop.Quit();
                });
        });
    }
    loop.Run();
    for (auto& poster : posters)
        poster.join();
    for (const auto& sequence : seen) {
        ASSERT_EQ(sequence.size(), static_cast<size_t>(kPosts));
        for (int i = 0; i < kPosts; ++i)
            EXPECT_EQ(sequence[i], i);
    }

    // A loop waiting with nothing to do wakes for a Quit from elsewhere.
    std::thread quitter;
    loop.Post([&] { quitter = std::thread([&] { loop.Quit(); }); });
    loop.Run();
    quitter.join();
}

TEST(StdEventLoop, ProcessPendingRunsWhatIsDueWithoutWaiting) {
    StdEventLoop loop;
    int posted = 0;
    bool late = false;
    loop.Post([&] { ++posted; });
    loop.StartTimer(std::chrono::hours(1), false, [&] { late = true; });
    const auto start = std::chrono::steady_clock::now();
    loop.ProcessPending();
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(500));
    EXPECT_EQ(posted, 1);
    EXPECT_FALSE(late);
}

TEST(VirtualClockLoop, ThreeHundredRetriesOfAHundredMillisecondsRunAtOnceAndInOrder) {
    VirtualClockLoop loop;
    std::vector<int64_t> firedAt;
    std::function<void()> retry = [&] {
        firedAt.push_back(loop.Now().count());
        if (firedAt.size() < 300) loop.StartTimer(milliseconds(100), false, retry);
    };
    loop.StartTimer(milliseconds(100), false, retry);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(loop.RunUntil([&] { return firedAt.size() == 300; }));
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(500));
    ASSERT_EQ(firedAt.size(), 300u);
    for (size_t i = 0; i < firedAt.size(); ++i)
        EXPECT_EQ(firedAt[i], static_cast<int64_t>(i + 1) * 100);
    EXPECT_EQ(loop.Now(), milliseconds(30000));
}

TEST(VirtualClockLoop, AdvanceFiresInDueOrderTiesInStartOrderWithPostsBetween) {
    VirtualClockLoop loop;
    std::vector<std::string> order;
    loop.StartTimer(milliseconds(50), false, [&] {
        order.push_back("first50@" + std::to_string(loop.Now().count()));
        loop.Post([&] { order.push_back("posted"); });
    });
    loop.StartTimer(milliseconds(20), false, [&] { order.push_back("20"); });
    loop.StartTimer(milliseconds(50), false, [&] { order.push_back("second50"); });
    loop.StartTimer(milliseconds(200), false, [&] { order.push_back("200"); });
    loop.Advance(milliseconds(120));
    EXPECT_EQ(order, (std::vector<std::string>{"20", "first50@50", "posted", "second50"}));
    EXPECT_EQ(loop.Now(), milliseconds(120));
    loop.Advance(milliseconds(80));
    EXPECT_EQ(order.back(), "200");
    EXPECT_EQ(loop.Now(), milliseconds(200));
}

TEST(VirtualClockLoop, RepeatingTimersKeepTheirBeatUntilStopped) {
    VirtualClockLoop loop;
    std::vector<int64_t> ticks;
    bool stoppedOne = false;
    TimerId beat = loop.StartTimer(milliseconds(300), true, [&] { ticks.push_back(loop.Now().count()); });
    const TimerId victim = loop.StartTimer(milliseconds(700), false, [&] { stoppedOne = true; });
    loop.StartTimer(milliseconds(650), false, [&] { loop.StopTimer(victim); });
    loop.Advance(milliseconds(1000));
    EXPECT_EQ(ticks, (std::vector<int64_t>{300, 600, 900}));
    EXPECT_FALSE(stoppedOne);
    loop.StopTimer(beat);
    loop.Advance(milliseconds(1000));
    EXPECT_EQ(ticks.size(), 3u);
}

TEST(VirtualClockLoop, RunUntilStopsWhenNothingIsLeftOrTheLimitPasses) {
    VirtualClockLoop loop;
    bool fired = false;
    loop.StartTimer(milliseconds(5000), false, [&] { fired = true; });
    EXPECT_FALSE(loop.RunUntil([&] { return fired; }, milliseconds(1000)));
    EXPECT_FALSE(fired);
    EXPECT_TRUE(loop.RunUntil([&] { return fired; }));
    EXPECT_EQ(loop.Now(), milliseconds(5000));
    EXPECT_FALSE(loop.RunUntil([] { return false; }));  // nothing left to run

    // Posts from another thread wait for the loop's thread.
    int fromThread = 0;
    std::thread([&] { loop.Post([&] { ++fromThread; }); }).join();
    EXPECT_EQ(fromThread, 0);
    loop.RunReady();
    EXPECT_EQ(fromThread, 1);
}

}  // namespace
}  // namespace qxed
