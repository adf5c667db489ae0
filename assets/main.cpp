#include "assets/Pictures.h"
#include "assets/Sounds.h"
#include "assets/TextFiles.h"

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>

// Writes the data folder into the folder named on the command line, and the contact sheet of every
// picture beside it.
int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    std::filesystem::path out(argv[1]);
    std::filesystem::create_directories(out);
    const struct {
        const char *what;
        bool (*write)(const std::filesystem::path &);
    } steps[] = {
        {"the text files", WriteTextFiles}, {"the effects", WriteEffects}, {"the tune", WriteTune},
        {"the voices", WriteVoices},        {"the pictures", WritePictures},
    };
    for (const auto &step : steps)
        if (!step.write(out)) {
            std::fprintf(stderr, "lantile_assets: cannot write %s into %s\n", step.what, argv[1]);
            return 1;
        }
    return 0;
}
