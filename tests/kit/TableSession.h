#pragma once
#include "platform/TestClock.h"

#include <filesystem>
#include <memory>

class CMj;
class FrameSink;
class TableDriver;

// A seeded local game for the tools: a scratch program folder that reads the data folder generated
// beside the tool, a test clock, and frames shown on the given screen. One at a time.
class TableSession {
public:
    TableSession(unsigned seed, FrameSink *screen);
    ~TableSession();
    TableSession(const TableSession &) = delete;
    TableSession &operator=(const TableSession &) = delete;

    CMj &Game() { return *game_; }
    TableDriver &Driver() { return *driver_; }
    TestClock &Clock() { return clock_; }

private:
    std::filesystem::path folder_;
    TestClock clock_;
    std::unique_ptr<CMj> game_;
    std::unique_ptr<TableDriver> driver_;
};
