#include "platform/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

namespace {

// The most threads one call may use, the caller included.
constexpr int kMaxPoolThreads = 16;

thread_local bool t_insideTask = false;

// Runs tasks [0, tasks) taken from a shared counter; remembers the failure
// of the lowest-numbered task.
struct SJob {
    const std::function<void(int)>* body = nullptr;
    int tasks = 0;
    std::atomic<int> next{0};
    std::mutex failMutex;
    int failedTask = -1;
    std::exception_ptr failure;

    void Work() {
        for (int task; (task = next.fetch_add(1)) < tasks;) {
            try {
                (*body)(task);
            } catch (...) {
                std::lock_guard lock(failMutex);
                if (failedTask < 0 || task < failedTask) {
                    failedTask = task;
                    failure = std::current_exception();
                }
            }
        }
    }
};

class CPool {
public:
    ~CPool() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        for (std::thread& th : threads_) th.join();
    }

    // False when another call holds the pool.
    bool TryRun(SJob& job, int threads) {
        std::unique_lock callLock(callMutex_, std::try_to_lock);
        if (!callLock.owns_lock()) return false;
        Grow(threads - 1);
        const int helpers = std::min(threads - 1, static_cast<int>(threads_.size()));
        {
            std::lock_guard lock(mutex_);
            job_ = &job;
            helpers_ = helpers;
            busy_ = helpers;
            ++generation_;
        }
        if (helpers > 0) wake_.notify_all();
        t_insideTask = true;
        job.Work();
        t_insideTask = false;
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return busy_ == 0; });
        job_ = nullptr;
        return true;
    }

private:
    void Grow(int wanted) {
        while (static_cast<int>(threads_.size()) < wanted) {
            const int index = static_cast<int>(threads_.size());
            unsigned long start;
            {
                std::lock_guard lock(mutex_);
                start = generation_;
            }
            try {
                threads_.emplace_back([this, index, start] { Loop(index, start); });
            } catch (const std::exception&) {
                return;  // no thread or no memory for one: fewer threads then
            }
        }
    }

    // A thread waits for the first job announced after start.
    void Loop(int index, unsigned long start) {
        t_insideTask = true;  // a pool thread runs nothing but tasks
        unsigned long seen = start;
        for (;;) {
            SJob* job = nullptr;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
                if (stop_) return;
                seen = generation_;
                if (index >= helpers_) continue;
                job = job_;
            }
            job->Work();
            {
                std::lock_guard lock(mutex_);
                if (--busy_ == 0) done_.notify_one();
            }
        }
    }

    std::mutex callMutex_;
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::vector<std::thread> threads_;
    SJob* job_ = nullptr;
    int helpers_ = 0;
    int busy_ = 0;
    unsigned long generation_ = 0;
    bool stop_ = false;
};

CPool& Pool() {
    static CPool pool;
    return pool;
}

}  // namespace

int HardwareThreads() { return std::max(1u, std::thread::hardware_concurrency()); }

void ParallelFor(int tasks, int maxThreads, const std::function<void(int task)>& body) {
    if (tasks <= 0) return;
    SJob job;
    job.body = &body;
    job.tasks = tasks;
    const int threads = std::clamp(std::min(maxThreads, tasks), 1, kMaxPoolThreads);
    if (threads == 1 || t_insideTask || !Pool().TryRun(job, threads)) job.Work();
    if (job.failure) std::rethrow_exception(job.failure);
}

}  // namespace platform
