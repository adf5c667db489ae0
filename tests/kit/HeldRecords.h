#pragma once
#include "platform/TestClock.h"
#include "table/CMj.h"

// Runs the test clock until the game has played every animation of the server's records and handled
// the records that waited behind them; false when it still holds them once no timer is left to run.
inline bool PlayHeldRecords(CMj &mj, TestClock &clock)
{
    while (mj.Holding())
        if (!clock.Step())
            return false;
    return true;
}
