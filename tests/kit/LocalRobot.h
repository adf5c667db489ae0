#pragma once

class CMj;

// What seat 0 does next: press a table button, or point at a hand tile and press it.
struct LocalInput {
    enum Kind { None, Button, Tile };
    Kind kind = None;
    int index = -1; // the button, or the hand tile (cardnum: the drawn tile)
};

// Plays seat 0 with the robot's judgement, through the same choices the local player has: the
// claim buttons, the ready button, the chow and kong to point at and a click on the hand. Self-play
// and the tests use it to run whole hands with four robots.
class LocalRobot {
public:
    // What the player would do now; None while the game does not wait for seat 0.
    static LocalInput Next(CMj &mj);
    // Does it through the game's own handlers of the table's input; true when it acted.
    static bool Act(CMj &mj);
    // True when no timer of play runs: nothing happens until seat 0 acts or the next hand starts.
    static bool GameWaits(CMj &mj);
};
