#include "platform/Gbk.h"
#include "platform/Paths.h"
#include "platform/Random.h"

#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(Paths, BackslashPathsFindFilesWhateverTheCase)
{
    ScratchFolder folder;
    folder.Write("Wave/FeMale/DaPai.wav", "x");
    std::string want = (folder.Path() / "Wave/FeMale/DaPai.wav").string();
    EXPECT_EQ(Paths::Resolve("Wave\\female\\dapai.wav"), want);
    EXPECT_EQ(Paths::Resolve("WAVE/FEMALE/DAPAI.WAV"), want);
    EXPECT_TRUE(Paths::Exists("wave\\Female\\Dapai.WAV"));
    EXPECT_FALSE(Paths::Exists("Wave\\Male\\DaPai.wav"));
    // A missing file maps to the path as written, so that it can be created there.
    EXPECT_EQ(Paths::Resolve("Save\\1.cmj"), (folder.Path() / "Save/1.cmj").string());
}

TEST(Gbk, ConvertsBothWaysAndSurvivesDamage)
{
    const std::string gbk = "玩家"; // a GBK literal: two bytes a character
    ASSERT_EQ(gbk.size(), 4u);
    EXPECT_EQ(GbkToUtf8(gbk), "\xe7\x8e\xa9\xe5\xae\xb6");
    EXPECT_EQ(Utf8ToGbk(GbkToUtf8(gbk)), gbk);
    // A name cut in the middle of a character loses only that byte.
    EXPECT_EQ(GbkToUtf8(gbk.substr(0, 3)), "\xe7\x8e\xa9?");
}

TEST(Random, AFixedSeedRepeatsAndThePinHoldsAgainstTheClock)
{
    Random::Pin(42);
    int a[5];
    for (int &x : a)
        x = Random::Next();
    Random::Pin(42);
    Random::SeedWithTime(); // ignored while pinned
    for (int x : a) {
        int y = Random::Next();
        EXPECT_EQ(x, y);
        EXPECT_GE(y, 0);
        EXPECT_LE(y, Random::kMax);
    }
    Random::Unpin();
}

} // namespace
