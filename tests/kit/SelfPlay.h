#pragma once
#include "rules/FanTable.h"
#include "tests/kit/TableAudit.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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
    int broken = 0;              // steps after which the table was inconsistent, hands that never ended or never began
    int roundtrips = 0;          // saved games loaded back
    int mismatches = 0;          // saved games that did not come back as they were saved
};

// Plays local hands with four robots (seat 0 through LocalRobot) on a test clock, checking the
// table after every step. The next hand is dealt with the score screen's 再来一局, as a player deals
// it; a game that ends in bankruptcy is followed by a new one.
class SelfPlay {
public:
    SelfPlay(CMj &mj, TestClock &clock) : mj_(mj), clock_(clock) {}

    // Stops early, with the hand counted as broken, when no new hand begins after one ends: the
    // summary then holds only the hands really played.
    void Run(int hands, SelfPlaySummary &summary);
    // Called with each broken rule as it is found.
    void OnBroken(std::function<void(const std::string &)> report) { report_ = std::move(report); }
    // Saves the game into this file (a path under the program folder) at every point where the local
    // player may save. Once the next hand has ended, each of those files is loaded over that table,
    // must save again byte for byte with the wall's stacks as they were, and is played to the end of
    // its hand. Each hand's end is saved too, and the next hand starts from its file.
    void SaveEverywhere(std::string file) { savefile_ = std::move(file); }

private:
    struct SavePoint {
        std::vector<uint8_t> bytes;
        std::array<uint8_t, 72> wallstack;
    };

    // Plays until the hand ends; keeps the save points on the way when saving everywhere.
    void PlayHand(SelfPlaySummary &summary, std::vector<SavePoint> &points);
    // Steps play to the end of the hand, auditing every step; false when it never ended.
    bool PlayOut(SelfPlaySummary &summary, const std::function<void()> &beforeStep);
    bool Save(SelfPlaySummary &summary, std::vector<SavePoint> &points);
    void Replay(const std::vector<SavePoint> &points, SelfPlaySummary &summary);
    void RestoreEnd(const SavePoint &end, SelfPlaySummary &summary);
    // Counts a broken rule or a mismatch in the summary and tells the report of it.
    void Tell(int &count, const std::string &what) const;
    void Record(SelfPlaySummary &summary) const;
    // Deals the next hand, or starts a new game after a bankruptcy; false when the table is still
    // at the end of the hand (no new wall was dealt).
    bool NextHand();

    CMj &mj_;
    TestClock &clock_;
    TableAudit audit_{0};
    std::function<void(const std::string &)> report_;
    std::string savefile_;
};
