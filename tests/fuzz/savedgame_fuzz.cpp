// libFuzzer entry: a saved game's bytes loaded over a game in play, and the loaded table played on
// under the table audit.
#include "platform/Paths.h"
#include "tests/fuzz/FuzzEntries.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static SavedGameLoad *load = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        // The game object measures its link labels' text, which needs the toolkit's fonts.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "savedgame_fuzz";
        static char *argv[] = {name, nullptr};
        new QGuiApplication(argc, argv); // lives as long as the fuzzer
        auto folder = std::filesystem::temp_directory_path() / ("lantile-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "Save");
        Paths::SetProgramFolder(folder.string());
        return new SavedGameLoad;
    }();
    std::string failure = load->Run(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "saved game: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
