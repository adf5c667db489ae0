#pragma once
#include <atomic>
#include <cstdint>
#include <thread>

// The most heap the process holds while this lives, above what it held at the start, sampled every
// millisecond on a thread of its own: what the code under test keeps in memory, whichever thread it
// runs on. Under AddressSanitizer the freed blocks in its quarantine do not count.
class HeapPeak {
public:
    HeapPeak();
    ~HeapPeak();
    HeapPeak(const HeapPeak &) = delete;
    HeapPeak &operator=(const HeapPeak &) = delete;

    int64_t Growth() const { return peak_ - base_; }

private:
    int64_t base_;
    std::atomic<int64_t> peak_;
    std::atomic<bool> stop_{false};
    std::thread sampler_;
};
