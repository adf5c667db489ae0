#include "tests/support/HeapPeak.h"

#include <chrono>
#include <cstddef>
#include <malloc.h>
#ifdef __SANITIZE_ADDRESS__
// The sanitizer's own count of the bytes the program holds (its headers are not installed here).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

int64_t LiveHeap()
{
#ifdef __SANITIZE_ADDRESS__
    return static_cast<int64_t>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return static_cast<int64_t>(info.uordblks + info.hblkhd);
#endif
}

} // namespace

HeapPeak::HeapPeak() : base_(LiveHeap()), peak_(base_)
{
    sampler_ = std::thread([this] {
        while (!stop_) {
            const int64_t now = LiveHeap();
            if (now > peak_)
                peak_ = now;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
}

HeapPeak::~HeapPeak()
{
    stop_ = true;
    sampler_.join();
}
