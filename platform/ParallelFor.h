// One way to share independent work out over threads: a parallel for over
// task numbers, served by a small pool of threads kept for the life of the
// process.
#pragma once

#include <functional>

namespace platform {

// Calls body(task) once for every task in [0, tasks) on up to maxThreads
// threads, the calling thread among them, and returns when every task is
// done. Which thread runs which task is not fixed, so tasks must not depend
// on each other. A call made from inside a task, or while another thread's
// call is running, runs its tasks in order on the calling thread. A task
// that throws does not stop the others; once all are done the exception of
// the lowest-numbered failed task is rethrown here.
void ParallelFor(int tasks, int maxThreads, const std::function<void(int task)>& body);

// Threads this machine runs at once (at least 1).
int HardwareThreads();

}  // namespace platform
