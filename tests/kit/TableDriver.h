#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class CBitForm;
class CMj;
class TestClock;

// Drives a local game on a test clock the way a player meets it: runs the game until a moment,
// moves and clicks the mouse, and takes shots of the frame. Seat 0 is played by LocalRobot while
// the game runs towards a moment that is not the local player's own.
class TableDriver {
public:
    enum class Moment {
        LocalTurn, // the local player must discard
        Claim,     // the claim buttons wait for the local player
        HandEnd,   // the hand is over
        Dice,      // the dice roll
        Deal,      // the tiles are being dealt
        Flight,    // a tile or chip flies
        Idle,      // nothing of play runs and nothing moves
    };

    TableDriver(CMj &mj, TestClock &clock) : mj_(mj), clock_(clock) {}

    // A new local game, from its first repaint.
    void NewGame();
    // Runs the game tick by tick until the moment (or the condition) holds; false when it did not
    // come within maxTicks.
    bool RunUntil(Moment moment, int maxTicks = kMaxTicks);
    bool RunUntil(const std::function<bool(const CMj &)> &holds, int maxTicks = kMaxTicks);
    static bool Holds(const CMj &mj, Moment moment);
    // Runs the game until seat 0 must act (LocalRobot::Next says how) or the hand is over; seat 0
    // does nothing meanwhile.
    bool RunUntilSeat0(int maxTicks = kMaxTicks);
    // Moves the clock on, firing every tick due.
    void Advance(unsigned ms);

    // Key codes of the keys the game reads.
    enum KeyCode { KeyBackspace = 8, KeyTab = 9, KeyEnter = 13, KeyEsc = 27, KeySpace = 32 };

    // Input as the main window hands it to the game, in frame coordinates: a click is a move, a
    // press and a release there.
    void Move(int x, int y);
    void Click(int x, int y);
    void RightClick(int x, int y);
    // A click at the middle of a screen's button.
    void Press(const CBitForm &screen, int button);
    // A key pressed and let go, as the main window hands it on.
    void Key(int key);
    // Characters typed (UTF-8), byte by byte in GBK.
    void Type(const std::string &utf8);

    // The frame last composed, as a PNG; false when there is none or it cannot be written.
    bool Shot(const std::string &path) const;
    // curplayer, seat 0's tile count, the four discard counts and gamestatus on one line.
    std::string StateLine() const;

    // Makes folder a program folder that reads the generated data folder (pictures, sounds, the
    // data files) and keeps its own settings.
    static void LinkGeneratedData(const std::filesystem::path &folder, const std::filesystem::path &data);

    static constexpr int kMaxTicks = 200000;

private:
    // Ticks until holds; seat 0 acts between ticks when it plays.
    bool Run(const std::function<bool(CMj &)> &holds, int maxTicks, bool seat0Plays);

    CMj &mj_;
    TestClock &clock_;
};
