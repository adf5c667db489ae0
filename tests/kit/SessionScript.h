#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The game server's side of a session, written as a text script from the record tables by hand.
// It shares nothing with the client's record code, so a layout fault in the client cannot confirm
// itself. One step per line; "#" starts a comment:
//
//   ignore 104                          records of this type may come at any point and are skipped
//   expect 100 1:"alice" 51..63:* 101=120 103=20
//                                       the next client record: its type and fields; every byte
//                                       not named must be 0
//   send 3 3=2 4=t(5m#2) 5:i32=-8 split=100,29 gap=50
//                                       a record: zeroed, the type, the fields; optionally written
//                                       in chunks (the last size repeats) with a pause between;
//                                       times=N writes it N times in a row
//   glue 3                              the next 3 send or raw lines go out in one write
//   raw 05 00 "HTTP/1.1 200 OK\r\n\r\n" bytes as they stand (hex or quoted), split= as for send
//   expect-raw 05 01 ?? "CONNECT"       the next bytes from the client; ?? takes any byte
//   pause 200                           milliseconds
//   close                               the server closes the connection
//   expect-close 2000                   the client must close within 2 s
//
// Fields: OFF=N (one byte, -128..255), OFF:i32=N (little-endian), OFF:"text" (UTF-8 in the script,
// GBK on the wire, zero-padded; "/W" after it checks that it fits W bytes), OFF=[a,b,...] (bytes),
// A..B:* (any bytes). t(5m#2) is a tile's physical index: m s p for characters, bamboo and dots
// (suit*36 + 9*copy + value-1), z for honours (108 + 7*copy + value-1), f for flowers (135 + value).

constexpr int kRecordSize = 129;

// A record's bytes with the bytes a pattern leaves open.
struct RecordPattern {
    uint8_t bytes[kRecordSize] = {};
    bool any[kRecordSize] = {};
    // Empty when the record matches; else the first difference, as "byte N: expected X, received Y".
    std::string Mismatch(const uint8_t *record) const;
};

struct ScriptStep {
    enum Kind { IGNORE, EXPECT, EXPECT_RAW, WRITE, PAUSE, CLOSE, EXPECT_CLOSE };
    Kind kind;
    int line = 0;
    int number = 0;               // IGNORE: the type; PAUSE, EXPECT_CLOSE: milliseconds
    RecordPattern pattern;        // EXPECT
    std::vector<uint8_t> bytes;   // WRITE, EXPECT_RAW
    std::vector<bool> anyByte;    // EXPECT_RAW
    std::vector<int> split;       // WRITE: chunk sizes, the last one repeating; empty: one write
    int gap = 20;                 // WRITE: milliseconds between chunks
};

struct SessionScript {
    std::vector<ScriptStep> steps;
};

// Reads a script; false with "line N: reason" for anything it cannot read.
bool ParseScript(std::string_view text, SessionScript *script, std::string *error);
// Reads the fields after a record's type ("100 1:\"alice\" 101=120"), as an expect line has them.
bool ParseRecord(std::string_view text, RecordPattern *pattern, std::string *error);
// The script line that sends (or expects) exactly these record bytes.
std::string RecordLine(const char *verb, const uint8_t *record);
