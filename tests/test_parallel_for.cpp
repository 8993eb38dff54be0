// The parallel-for helper: every task once, failures carried back, nested
// and concurrent calls.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/ParallelFor.h"

using platform::ParallelFor;

namespace {

// Runs tasks that each count their own runs; true when every task ran once.
std::string CountRuns(int tasks, int threads) {
    std::vector<std::atomic<int>> runs(static_cast<size_t>(tasks > 0 ? tasks : 0));
    ParallelFor(tasks, threads, [&](int t) { runs[static_cast<size_t>(t)].fetch_add(1); });
    for (int t = 0; t < tasks; ++t)
        if (runs[static_cast<size_t>(t)] != 1) return "task " + std::to_string(t) + " ran " + std::to_string(runs[t]) + " times";
    return "";
}

}  // namespace

TEST(ParallelFor, EveryTaskRunsOnce) {
    struct Case {
        const char* name;
        int tasks, threads;
    };
    const Case cases[] = {
        {"no tasks", 0, 4},          {"negative count", -3, 4},  {"one task", 1, 8},
        {"one thread", 50, 1},       {"no thread asked", 50, 0}, {"more threads than tasks", 3, 16},
        {"many tasks", 5000, 4},     {"beyond the pool", 40, 64},
    };
    for (const Case& k : cases) EXPECT_EQ(CountRuns(k.tasks, k.threads), "") << k.name;
    // The pool is reused call after call.
    for (int i = 0; i < 200; ++i) ASSERT_EQ(CountRuns(9, 9), "") << i;
}

TEST(ParallelFor, TasksRunAtTheSameTime) {
    // Four tasks on four threads, each waiting until all four have started:
    // run one after another, the first would wait in vain. The pool's
    // threads are its own whatever the machine, so this holds on one core
    // too.
    constexpr int kTasks = 4;
    std::mutex mutex;
    std::condition_variable started;
    int running = 0;
    bool gaveUp = false;
    std::vector<int> sawAll(kTasks, 0);
    ParallelFor(kTasks, kTasks, [&](int t) {
        std::unique_lock lock(mutex);
        ++running;
        started.notify_all();
        const bool all = started.wait_for(lock, std::chrono::seconds(10), [&] { return running == kTasks || gaveUp; });
        sawAll[static_cast<size_t>(t)] = all && running == kTasks;
        if (!sawAll[static_cast<size_t>(t)]) gaveUp = true;  // the others need not wait as well
    });
    for (int t = 0; t < kTasks; ++t) EXPECT_TRUE(sawAll[static_cast<size_t>(t)]) << "task " << t << " ran alone";
}

TEST(ParallelFor, OneThreadRunsInOrderOnTheCaller) {
    std::vector<int> order;
    const std::thread::id caller = std::this_thread::get_id();
    bool elsewhere = false;
    ParallelFor(6, 1, [&](int t) {
        order.push_back(t);
        if (std::this_thread::get_id() != caller) elsewhere = true;
    });
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_FALSE(elsewhere);
}

TEST(ParallelFor, AFailedTaskIsRethrownAfterTheOthersRan) {
    for (int threads : {1, 4}) {
        std::atomic<int> ran{0};
        try {
            ParallelFor(64, threads, [&](int t) {
                ran.fetch_add(1);
                if (t == 40 || t == 17) throw std::runtime_error("task " + std::to_string(t));
            });
            ADD_FAILURE() << "nothing thrown, threads " << threads;
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "task 17") << "threads " << threads;
        }
        EXPECT_EQ(ran.load(), 64) << "threads " << threads;
    }
}

TEST(ParallelFor, NestedAndConcurrentCallsFinish) {
    // A call from inside a task runs its own tasks; nothing waits for itself.
    std::atomic<int> inner{0};
    ParallelFor(8, 4, [&](int) { ParallelFor(10, 4, [&](int) { inner.fetch_add(1); }); });
    EXPECT_EQ(inner.load(), 80);

    // Two threads sharing the pool: each gets all its tasks run.
    std::string results[2];
    std::thread other([&] {
        for (int i = 0; i < 50 && results[1].empty(); ++i) results[1] = CountRuns(100, 4);
    });
    for (int i = 0; i < 50 && results[0].empty(); ++i) results[0] = CountRuns(100, 4);
    other.join();
    EXPECT_EQ(results[0], "");
    EXPECT_EQ(results[1], "");
}
