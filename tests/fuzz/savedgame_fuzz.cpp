// libFuzzer entry: a saved game's bytes through the reader and its checks.
#include "table/SavedGame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SavedGame game;
    if (!SavedGame::Parse(data, size, game))
        return 0;
    // What is accepted writes out as a file that reads back to the same game.
    const auto bytes = game.Bytes();
    SavedGame again;
    if (!SavedGame::Parse(bytes.data(), bytes.size(), again) || again.Bytes() != bytes) {
        std::fprintf(stderr, "saved game: an accepted file does not read back as written\n");
        std::abort();
    }
    return 0;
}
