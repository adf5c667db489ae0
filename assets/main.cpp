#include "assets/TextFiles.h"

#include <cstdio>
#include <filesystem>

// Writes the data folder into the folder named on the command line.
int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    std::filesystem::path out(argv[1]);
    std::filesystem::create_directories(out);
    if (!WriteTextFiles(out)) {
        std::fprintf(stderr, "lantile_assets: cannot write the text files into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
