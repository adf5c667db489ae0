#include "platform/ThreadPriority.h"

#include <sys/resource.h>
#include <unistd.h>

void YieldToOtherThreads()
{
    // On Linux a thread's own id names it alone. At niceness 10 it still gets a tenth of a busy
    // processor, so that what it does is not put off for long.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
}
