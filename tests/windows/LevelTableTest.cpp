#include "platform/Paths.h"
#include "tests/support/ScratchFolder.h"
#include "windows/LevelTable.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

class LevelTableTest : public testing::Test {
protected:
    void Load(const std::string &text)
    {
        folder_.Write("level.txt", text);
        LoadLevelTable("level.txt");
    }
    static std::string Title(int row) { return leveltable[row].title; }

private:
    ScratchFolder folder_;
};

TEST_F(LevelTableTest, FiftyRowsAtMostAndALineBreakAtTheEndAddsNone)
{
    std::string sixty;
    for (int i = 0; i < 60; ++i)
        sixty += "L" + std::to_string(i) + " " + std::to_string(i * 10) + "\r\n";
    Load(sixty);
    EXPECT_EQ(levelcount, 50);
    EXPECT_EQ(Title(49), "L49");
    EXPECT_EQ(leveltable[49].score, 490);

    Load("a 1\r\nb 2\r\n");
    EXPECT_EQ(levelcount, 2);
    // A title without its number is no row.
    Load("a 1\nb");
    EXPECT_EQ(levelcount, 1);
}

TEST_F(LevelTableTest, ALongTitleIsCutOnACharacterBoundaryAndTheRowsStayInStep)
{
    Load(std::string(40, 'x') + " 5 " + std::string(20, '\xD6') + " 6 next 7");
    ASSERT_EQ(levelcount, 3);
    EXPECT_EQ(Title(0), std::string(19, 'x'));
    EXPECT_EQ(leveltable[0].score, 5);
    // Twenty bytes of two-byte characters keep nine whole characters.
    EXPECT_EQ(Title(1), std::string(18, '\xD6'));
    EXPECT_EQ(Title(2), "next");
    EXPECT_EQ(leveltable[2].score, 7);
}

TEST_F(LevelTableTest, NumbersAreClampedAndAWordThatIsNoNumberIsTheNextTitle)
{
    Load("big 99999999999 small -99999999999 c x d 7 e 12abc f 3 g -h 1");
    ASSERT_EQ(levelcount, 6);
    EXPECT_EQ(leveltable[0].score, INT_MAX);
    EXPECT_EQ(leveltable[1].score, INT_MIN);
    EXPECT_EQ(Title(2), "d");
    EXPECT_EQ(Title(3), "e");
    EXPECT_EQ(leveltable[3].score, 12);
    EXPECT_EQ(Title(4), "f");
    // A sign without digits is no number either: it stays with the word.
    EXPECT_EQ(Title(5), "-h");
}

TEST_F(LevelTableTest, AScoreTakesTheFirstTitleThatReachesItOrElseTheLast)
{
    Load("first 0 second 1000");
    for (auto [score, title] : {std::pair{-5, "first"}, {0, "first"}, {1, "second"}, {1000, "second"}, {5000, "second"}})
        EXPECT_STREQ(GetLevelTitle(score), title) << score;
    Load("");
    EXPECT_STREQ(GetLevelTitle(0), "");
    LoadLevelTable("no such file.txt");
    EXPECT_EQ(levelcount, 0);
    EXPECT_STREQ(GetLevelTitle(0), "");
}

TEST_F(LevelTableTest, TheShippedTitlesNameEachScoreByItsUpperBound)
{
    Paths::SetProgramFolder(std::getenv("LANTILE_DATA"));
    LoadLevelTable("level.txt");
    EXPECT_EQ(levelcount, 10);
    EXPECT_STREQ(GetLevelTitle(0), "新手");
    EXPECT_STREQ(GetLevelTitle(100), "入门");
    EXPECT_STREQ(GetLevelTitle(1000000), "雀神");
}

} // namespace
