#pragma once

// Lets the calling thread give way to the program's others: for work that nobody waits for yet, so
// that it does not slow the first frames on a busy or a small machine.
void YieldToOtherThreads();
