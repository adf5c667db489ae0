#include "platform/Random.h"

#include <ctime>

namespace {
unsigned g_state = 1;
bool g_pinned = false;
} // namespace

namespace Random {

void Seed(unsigned seed)
{
    g_state = seed;
}

void SeedWithTime()
{
    if (!g_pinned)
        g_state = static_cast<unsigned>(std::time(nullptr));
}

void Pin(unsigned seed)
{
    g_pinned = true;
    g_state = seed;
}

void Unpin()
{
    g_pinned = false;
}

int Next()
{
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & kMax);
}

} // namespace Random
