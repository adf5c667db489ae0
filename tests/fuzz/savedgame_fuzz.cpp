// libFuzzer entry: a saved game's bytes loaded over a game in play, and the loaded table played on
// under the table audit.
#include "tests/fuzz/FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static SavedGameLoad *load = [] {
        FuzzProcessSetUp("savedgame_fuzz");
        return new SavedGameLoad;
    }();
    std::string failure = load->Run(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "saved game: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
