#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Every test program runs the toolkit headless and sound on the silent driver, and knows where the
// build put the generated data folder.
int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("LANTILE_DATA", LANTILE_DATA_DIR, 0);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
