#pragma once
#include <functional>
#include <memory>

// A thread of its own for work that runs the toolkit's event loop (downloads and their timers need
// one); the destructor waits for the work to return, so the work must be told to end first.
class WorkerThread {
public:
    explicit WorkerThread(std::function<void()> work);
    ~WorkerThread();
    WorkerThread(const WorkerThread &) = delete;
    WorkerThread &operator=(const WorkerThread &) = delete;

    // Runs the calling thread's event loop for ms: a thread that waits for work meanwhile still takes
    // what the toolkit delivers to it.
    static void RunEvents(int ms);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
