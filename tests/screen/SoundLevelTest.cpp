#include "platform/WavFile.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

// The generated sounds as a player hears them: the voices loud and unclipped, the tune clearly
// under them.
namespace {

std::string DataFile(const std::string &name)
{
    return std::string(std::getenv("LANTILE_DATA")) + "/Wave/" + name;
}

TEST(SoundLevels, VoicesPeakJustUnderFullScaleAndTheTuneSitsWellBelowThem)
{
    double loudest = -100, quietest = 0;
    for (const char *sex : {"Male", "FeMale"})
        for (const char *name : {"wan_1", "tiao_5", "bing_9", "dong", "hongzhong", "peng", "gang", "hu", "zimo", "chi",
                                 "ting", "buhua"}) {
            std::string file = DataFile(std::string(sex) + "/" + name + ".wav");
            std::optional<WavData> voice = ReadWavFile(file);
            ASSERT_TRUE(voice) << file;
            EXPECT_NEAR(PeakDbfs(*voice), -1.0, 0.2) << file;
            loudest = std::max(loudest, RmsDbfs(*voice));
            quietest = std::min(quietest, RmsDbfs(*voice));
        }
    std::optional<WavData> tune = ReadWavFile(DataFile("TinyGame.wav"));
    ASSERT_TRUE(tune);
    EXPECT_NEAR(RmsDbfs(*tune), -24.0, 1.0);
    EXPECT_LT(PeakDbfs(*tune), -3.0);
    EXPECT_LT(RmsDbfs(*tune), quietest) << "no voice may be quieter than the tune";
    EXPECT_GT(loudest, RmsDbfs(*tune) + 6.0);
}

} // namespace
