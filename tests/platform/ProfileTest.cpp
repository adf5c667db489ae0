#include "platform/Profile.h"

#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

class ProfileTest : public testing::Test {
protected:
    ScratchFolder folder;
};

TEST_F(ProfileTest, MissingFileOrKeyGivesTheDefaultAndIntegersReadLikeAtoi)
{
    char buf[16];
    EXPECT_EQ(Profile::ReadString("none.ini", "A", "k", "dflt", buf, sizeof buf), 4);
    EXPECT_STREQ(buf, "dflt");
    EXPECT_EQ(Profile::ReadInt("none.ini", "A", "k", 7), 7);
    folder.Write("s.ini", "[Opt]\nneg=-12\nword=abc\nmixed=42x\nempty=\n spaced = 5 \n[B]\nother=1\n");
    const std::pair<const char *, int> keys[] = {{"neg", -12}, {"word", 0},  {"mixed", 42},
                                                 {"empty", 0}, {"spaced", 5}, {"k", -3}, {"other", -3}};
    for (auto [key, value] : keys) // "other" belongs to another section
        EXPECT_EQ(Profile::ReadInt("s.ini", "Opt", key, -3), value) << key;
}

TEST_F(ProfileTest, SectionAndKeyNamesIgnoreCase)
{
    folder.Write("s.ini", "[window]\nfullscreen=1\n");
    EXPECT_EQ(Profile::ReadInt("s.ini", "Window", "FullScreen", 0), 1);
    ASSERT_TRUE(Profile::WriteString("s.ini", "WINDOW", "FULLSCREEN", "0"));
    EXPECT_EQ(folder.Read("s.ini"), "[window]\r\nFULLSCREEN=0\r\n");
}

TEST_F(ProfileTest, StringsAreCutToTheBufferAndTerminated)
{
    folder.Write("s.ini", "[P]\nname=0123456789ABCDEFGHIJKLMN\n");
    char buf[20];
    std::fill(buf, buf + sizeof buf, 'z');
    EXPECT_EQ(Profile::ReadString("s.ini", "P", "name", "", buf, sizeof buf), 19);
    EXPECT_EQ(std::string(buf), "0123456789ABCDEFGHI");
    // A character that would not fit whole stays out.
    folder.Write("s.ini", "[P]\nname=012345678901234567中\n");
    EXPECT_EQ(Profile::ReadString("s.ini", "P", "name", "", buf, sizeof buf), 18);
}

TEST_F(ProfileTest, WritingKeepsEveryOtherLine)
{
    folder.Write("s.ini", "; comment\n[A]\nx=1\n\n[B]\ny=2\n");
    ASSERT_TRUE(Profile::WriteString("s.ini", "A", "z", "3"));  // new key lands in its section
    ASSERT_TRUE(Profile::WriteString("s.ini", "B", "y", "20")); // existing key is replaced in place
    ASSERT_TRUE(Profile::WriteString("s.ini", "C", "w", "4"));  // new section at the end
    EXPECT_EQ(folder.Read("s.ini"), "; comment\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=20\r\n[C]\r\nw=4\r\n");
    EXPECT_EQ(Profile::ReadInt("s.ini", "A", "x", 0), 1);
    ASSERT_TRUE(Profile::WriteString("new.ini", "Option", "Sound", "1")); // a missing file is made
    EXPECT_EQ(Profile::ReadInt("new.ini", "Option", "Sound", 0), 1);
}

} // namespace
