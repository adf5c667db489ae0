#include "platform/FileBytes.h"
#include "platform/Profile.h"

#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A value typed or pasted with line breaks must not make lines of its own: it would add sections and
// keys that the next reading believes.
TEST_F(ProfileTest, AValueIsOneLineWrittenOrRead)
{
    folder.Write("s.ini", "[Proxy]\r\nAddress=old\r\n[loginserver]\r\nip=game.example\r\n");
    ASSERT_TRUE(Profile::WriteString("s.ini", "Proxy", "Address", "proxy.example\r\n[loginserver]\r\nip=x"));
    ASSERT_TRUE(Profile::WriteString("s.ini", "Proxy", "UserName", std::string("bob\0[x]", 7)));
    ASSERT_TRUE(Profile::WriteString("s.ini", "Proxy", "PassWord", "pw\nip=y"));
    EXPECT_EQ(folder.Read("s.ini"),
              "[Proxy]\r\nAddress=proxy.example\r\nUserName=bob\r\nPassWord=pw\r\n[loginserver]\r\nip=game.example\r\n");
    // A name that is no single line is refused, and the file stays as it was.
    const std::string before = folder.Read("s.ini");
    EXPECT_FALSE(Profile::WriteString("s.ini", "Proxy\r\n[loginserver]", "ip", "x"));
    EXPECT_FALSE(Profile::WriteString("s.ini", "loginserver", "ip\r\nip", "x"));
    EXPECT_EQ(folder.Read("s.ini"), before);

    // A bare CR ends the value where a file written elsewhere holds one.
    folder.Write("d.ini", "[DIRSERVER0]\r\nhost=game.example\rHost: other.example\r\nport=1982\r\n");
    char host[50];
    Profile::ReadString("d.ini", "DIRSERVER0", "host", "", host, sizeof host);
    EXPECT_STREQ(host, "game.example");
    EXPECT_EQ(Profile::ReadInt("d.ini", "DIRSERVER0", "port", 0), 1982);
}

// Many keys go out in one write of a whole new file, private to this user; until then the old file
// is untouched, and a leftover of an interrupted write is neither written through nor kept.
TEST_F(ProfileTest, AnEditReplacesTheWholeFileOnceAndOnlyItsOwnerMayReadIt)
{
    folder.Write("s.ini", "[Option]\r\nSound=1\r\n");
    chmod((folder.Path() / "s.ini").c_str(), 0644);
    // A second name for the old file shows whether it was rewritten in place or replaced.
    std::filesystem::create_hard_link(folder.Path() / "s.ini", folder.Path() / "old.ini");
    folder.Write("s.ini.tmp", "left by a kill");
    chmod((folder.Path() / "s.ini.tmp").c_str(), 0666);
    std::filesystem::create_hard_link(folder.Path() / "s.ini.tmp", folder.Path() / "leftover");

    Profile::Edit edit("s.ini");
    edit.Set("Option", "Sound", "0");
    edit.Set("Option", "Music", "1");
    edit.Set("Window", "Help", "0");
    EXPECT_EQ(folder.Read("s.ini"), "[Option]\r\nSound=1\r\n");
    std::string error;
    ASSERT_TRUE(edit.Commit(error)) << error;
    EXPECT_EQ(folder.Read("s.ini"), "[Option]\r\nSound=0\r\nMusic=1\r\n[Window]\r\nHelp=0\r\n");
    EXPECT_EQ(folder.Read("old.ini"), "[Option]\r\nSound=1\r\n");
    EXPECT_EQ(folder.Read("leftover"), "left by a kill");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "s.ini.tmp"));
    struct stat st {};
    ASSERT_EQ(stat((folder.Path() / "s.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // A new file too; its sections come in the order they were added.
    Profile::Edit fresh("new.ini");
    fresh.AddSection("PlayerInfo");
    fresh.AddSection("Rull");
    fresh.Set("Rull", "Brood", "1");
    fresh.AddSection("PlayerInfo");
    ASSERT_TRUE(fresh.Commit(error)) << error;
    EXPECT_EQ(folder.Read("new.ini"), "[PlayerInfo]\r\n[Rull]\r\nBrood=1\r\n");
    ASSERT_EQ(stat((folder.Path() / "new.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(FileBytes, LeftoversOfInterruptedWritesGoAndNothingElse)
{
    ScratchFolder folder;
    for (const char *name : {"SET.ini.tmp", "Network.cfg.tmp", "SET.ini", "notes.tmp", "Save/1.cmj.tmp",
                             "Save/2.cmj", "Save/x.tmp"})
        folder.Write(name, "x");
    std::filesystem::create_directory(folder.Path() / "Save/3.cmj.tmp");
    FileBytes::RemoveLeftovers(folder.Path().string(), ".ini");
    FileBytes::RemoveLeftovers((folder.Path() / "Save").string(), ".cmj");
    std::vector<std::string> left;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder.Path()))
        left.push_back(std::filesystem::relative(entry.path(), folder.Path()).string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Network.cfg.tmp", "SET.ini", "Save", "Save/2.cmj", "Save/3.cmj.tmp",
                                              "Save/x.tmp", "notes.tmp"}));
    FileBytes::RemoveLeftovers((folder.Path() / "nowhere").string(), ".cmj"); // no folder, nothing to do
}

} // namespace
