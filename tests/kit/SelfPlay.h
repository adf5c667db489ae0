#pragma once
#include "rules/FanTable.h"

#include <cstdint>
#include <functional>
#include <string>

class CMj;
class TestClock;

// What a run of robot-only hands came to.
struct SelfPlaySummary {
    int hands = 0;
    int wins[4] = {};
    int selfdrawn = 0;
    int draws = 0;
    long fantotal = 0;           // summed over wins
    int fancount[FAN_COUNT] = {}; // how often each fan was part of a win
    int broken = 0;              // steps after which the table was inconsistent, and hands that never ended
};

// Plays local hands with four robots (seat 0 through LocalRobot) on a test clock, checking the
// table after every step. A game that ends in bankruptcy is followed by a new one.
class SelfPlay {
public:
    SelfPlay(CMj &mj, TestClock &clock) : mj_(mj), clock_(clock) {}

    void Run(int hands, SelfPlaySummary &summary);
    // Called with each broken rule as it is found.
    void OnBroken(std::function<void(const std::string &)> report) { report_ = std::move(report); }

private:
    void Record(SelfPlaySummary &summary) const;

    CMj &mj_;
    TestClock &clock_;
    std::function<void(const std::string &)> report_;
};
