#include "platform/Paths.h"
#include "tests/support/ScratchFolder.h"
#include "windows/LevelTable.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

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

// Each row is a title and its score, words apart: at most fifty rows, titles cut on a character
// boundary, numbers clamped, and a word that is no number (a sign alone too) the next title.
TEST_F(LevelTableTest, RowsAreReadWithinTheirBoundsAndStayInStep)
{
    std::string sixty;
    for (int i = 0; i < 60; ++i)
        sixty += "L" + std::to_string(i) + " " + std::to_string(i * 10) + "\r\n";
    const struct {
        std::string text;
        std::vector<std::pair<std::string, int>> rows; // the first rows and the last
        int count;
    } files[] = {
        {sixty, {{"L0", 0}, {"L49", 490}}, 50},
        {"a 1\r\nb 2\r\n", {{"a", 1}, {"b", 2}}, 2}, // a line break at the end adds no row
        {"a 1\nb", {{"a", 1}}, 1},                       // a title without its number is no row
        // Twenty bytes of two-byte characters keep nine whole characters.
        {std::string(40, 'x') + " 5 " + std::string(20, '\xD6') + " 6 next 7",
         {{std::string(19, 'x'), 5}, {std::string(18, '\xD6'), 6}, {"next", 7}}, 3},
        {"big 99999999999 small -99999999999 c x d 7 e 12abc f 3 g -h 1",
         {{"big", INT_MAX}, {"small", INT_MIN}, {"d", 7}, {"e", 12}, {"f", 3}, {"-h", 1}}, 6},
    };
    for (const auto &f : files) {
        Load(f.text);
        ASSERT_EQ(levelcount, f.count) << f.text.substr(0, 20);
        for (size_t i = 0; i < f.rows.size(); ++i) {
            const int row = i + 1 == f.rows.size() ? f.count - 1 : static_cast<int>(i);
            EXPECT_EQ(Title(row), f.rows[i].first) << row;
            EXPECT_EQ(leveltable[row].score, f.rows[i].second) << row;
        }
    }
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
