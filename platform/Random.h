#pragma once

// The game's random source: a linear congruential generator with the classic runtime's constants
// and range (0..32767). Production seeds it with the clock before dealing and before robot
// choices; tests fix the seed (and may pin it so later clock seeds are ignored).
namespace Random {

constexpr int kMax = 32767;

void Seed(unsigned seed);
// Seeds with the current time unless a test has pinned the sequence.
void SeedWithTime();
// Tests: fix the sequence; SeedWithTime does nothing until Unpin.
void Pin(unsigned seed);
void Unpin();
int Next();

} // namespace Random
