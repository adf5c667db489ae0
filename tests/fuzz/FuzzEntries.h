#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The inputs a server, a proxy or a saved game's file controls, as entries that the fuzzers and the
// tests share. Each answers the first broken rule it finds, or an empty text.

// A fuzzer's process as the game object needs it, made once: the toolkit offscreen (the game
// measures text with its fonts), sound on the dummy driver, and a program folder of its own, with
// a Save folder, under the temporary folder.
void FuzzProcessSetUp(const char *name);

// The game server's byte stream: byte 0 seeds the sizes of the pieces the stream arrives in and how
// much one read hands over; the rest is the stream. It goes through the data module's read path to
// the game object, online since the link opened, and the link then ends. Every whole record must
// reach the game object intact and in order, nothing of an unfinished one may outlive the link, and
// the table must keep its bounds after every record.
class RecordDispatch {
public:
    // A game object (in the program folder as it is set) on a test clock of its own, and a data
    // module on a connection played here; message boxes are answered at once.
    RecordDispatch();
    ~RecordDispatch();
    RecordDispatch(const RecordDispatch &) = delete;
    RecordDispatch &operator=(const RecordDispatch &) = delete;

    std::string Run(const uint8_t *data, size_t size);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// A proxy's answers (with message boxes answered by the caller): byte 0 chooses SOCKS5 or HTTP (bit 0), a user (bit 1) and seeds the sizes of
// the pieces (the rest). The handshake may succeed only on a well-formed answer, never takes a byte
// past its end, and keeps an HTTP header within its cap.
std::string ProxyReplyInput(const uint8_t *data, size_t size);

// A saved game's file, loaded as the player loads one over a game in play (a sound one is loaded
// first, so that every run starts from the same table). A refused file leaves that table exactly as
// it was. A loaded one is played on for a few steps, robots and seat 0 alike, with the table audit
// after each; wherever the local player may save, the table saves as a file that is accepted again.
class SavedGameLoad {
public:
    // A game object (in the program folder as it is set) on a test clock of its own, with a sound
    // game saved from a few turns of play; message boxes are answered at once.
    SavedGameLoad();
    ~SavedGameLoad();
    SavedGameLoad(const SavedGameLoad &) = delete;
    SavedGameLoad &operator=(const SavedGameLoad &) = delete;

    std::string Run(const uint8_t *data, size_t size);
    // The file every run loads first.
    std::string SoundBytes() const;
    // The runs whose file was loaded and played on.
    int Played() const;
    // The steps played after a load.
    static constexpr int kSteps = 40;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};
