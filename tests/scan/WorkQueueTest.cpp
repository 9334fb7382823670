#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "scan/WorkQueue.h"

using lintally::scan::WorkQueue;

TEST(WorkQueue, PushWaitsWhileTheQueueIsFullAndPopFreesASlot)
{
    WorkQueue<int> queue(2);
    std::atomic<int> pushed{0};
    std::thread producer([&] {
        for (int i = 0; i < 4; ++i) {
            queue.Push(i);
            ++pushed;
        }
        queue.Close();
    });
    const auto settle = [&pushed](int expected) {
        for (int wait = 0; wait < 30000 && pushed.load() < expected; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        // Long enough for a producer that ignored the bound to get further.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return pushed.load();
    };
    EXPECT_EQ(settle(2), 2);
    int item = -1;
    ASSERT_TRUE(queue.Pop(item));
    EXPECT_EQ(item, 0);
    EXPECT_EQ(settle(3), 3);
    for (int expected = 1; expected < 4; ++expected) {
        ASSERT_TRUE(queue.Pop(item));
        EXPECT_EQ(item, expected);
    }
    producer.join();
    EXPECT_FALSE(queue.Pop(item));
}
