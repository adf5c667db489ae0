#pragma once

class CMj;

// Plays seat 0 with the robot's judgement, through the same choices the local player has: the
// claim buttons, the ready button and a click on the hand. Self-play and the tests use it to run
// whole hands with four robots.
class LocalRobot {
public:
    // True when the game waits for seat 0 and it acted.
    static bool Act(CMj &mj);
    // True when no timer of play runs: nothing happens until seat 0 acts or the next hand starts.
    static bool GameWaits(CMj &mj);
};
