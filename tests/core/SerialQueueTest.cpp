#include "core/SerialQueue.h"

#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

TEST(SerialQueue, RunsWorkInOrderOneAtATime) {
    SerialQueue q("voxmere.test");
    std::vector<int> seen;
    for (int i = 0; i < 100; ++i)
        q.async([&, i] { seen.push_back(i); });
    q.sync([] {});
    ASSERT_EQ(seen.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(seen[i], i);
}

TEST(SerialQueue, SyncFromTheQueueItselfRunsInline) {
    SerialQueue q("voxmere.test");
    bool inner = false;
    q.sync([&] {
        EXPECT_TRUE(q.isCurrent());
        q.sync([&] { inner = true; });
    });
    EXPECT_TRUE(inner);
    EXPECT_FALSE(q.isCurrent());
}

TEST(SerialQueue, DelayedWorkRunsAfterEarlierDueWork) {
    SerialQueue q("voxmere.test");
    std::vector<int> seen;
    q.after(0.05, [&] { seen.push_back(2); });
    q.async([&] { seen.push_back(1); });
    q.after(0.06, [&] { seen.push_back(3); });
    std::atomic<bool> done = false;
    q.after(0.07, [&] { done = true; });
    while (!done)
        std::this_thread::yield();
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

TEST(ManualScheduler, FiresDueWorkInTimeOrderIncludingWorkScheduledMeanwhile) {
    ManualScheduler s(0);
    std::vector<double> fired;
    s.after(2, [&] { fired.push_back(s.now()); });
    s.after(1, [&] {
        fired.push_back(s.now());
        s.after(0.5, [&] { fired.push_back(s.now()); });
    });
    s.advance(1.9);
    EXPECT_EQ(fired, (std::vector<double>{1, 1.5}));
    s.advance(0.1);
    EXPECT_EQ(fired.size(), 3u);
    EXPECT_DOUBLE_EQ(s.now(), 2);
}
