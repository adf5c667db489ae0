// libFuzzer entry: the game server's byte stream through the framer and the dispatcher.
#include "platform/Paths.h"
#include "tests/fuzz/FuzzEntries.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static RecordDispatch *dispatch = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        auto folder = std::filesystem::temp_directory_path() / ("lantile-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        Paths::SetProgramFolder(folder.string());
        return new RecordDispatch; // lives as long as the fuzzer
    }();
    std::string failure = dispatch->Run(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "record dispatch: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
