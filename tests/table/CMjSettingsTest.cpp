#include "platform/Profile.h"
#include "tests/table/TableFixture.h"
#include "windows/CDxChatWnd.h"

#include <cstring>

namespace {

using CMjSettings = TableFixture;

// The server list: two default rows without a file, each row's keys with their own defaults (section
// names in any case), never more rows than the list holds, and fields cut to their size.
TEST_F(CMjSettings, ServerListRowsTakeTheirOwnKeysAndDefaultsWithinTheListsBounds)
{
    auto read = [&](const std::string &ini) {
        mj.reset();
        folder.Write("Dirconfig.ini", ini);
        Make();
    };
    Make();
    ASSERT_EQ(servercount, 2);
    EXPECT_STREQ(serverlist[0].name, "电信服务器");
    EXPECT_STREQ(serverlist[1].name, "网通服务器");
    EXPECT_EQ(serverlist[0].port, 1982);
    EXPECT_GT(std::strlen(serverlist[1].host), 0u);
    EXPECT_EQ(serverindex, 0);

    read("[Public]\r\nServerNum=3\r\n[DIRSERVER0]\r\nhost=a.example\r\nport=2000\r\n[dirserver2]\r\nname=Third\r\n");
    ASSERT_EQ(servercount, 3);
    EXPECT_STREQ(serverlist[0].host, "a.example");
    EXPECT_EQ(serverlist[0].port, 2000);
    EXPECT_STREQ(serverlist[0].name, "电信服务器");
    EXPECT_STREQ(serverlist[1].name, "网通服务器");
    EXPECT_STREQ(serverlist[2].name, "Third");
    EXPECT_EQ(serverlist[2].port, 1982);

    read("[Public]\nServerNum=0\n");
    EXPECT_EQ(servercount, 0);
    read("[Public]\nServerNum=7\n[DIRSERVER6]\nname=Seventh\n");
    EXPECT_EQ(servercount, MAX_SERVERS); // five rows, never past the list
    for (int i = 0; i < MAX_SERVERS; i++)
        EXPECT_NE(std::string(serverlist[i].name), "Seventh");

    const std::string longName(80, 'n');
    read("[Public]\nServerNum=1\n[DIRSERVER0]\nname=" + longName + "\nhost=" + longName + "\n");
    EXPECT_EQ(std::strlen(serverlist[0].name), 49u);
    EXPECT_EQ(std::strlen(serverlist[0].host), 49u);
}

TEST_F(CMjSettings, OptionsAreReadOnlyAsTheFileSays)
{
    folder.Write("SET.ini", "[Option]\nSound=0\nMusic=5\nShowTips=0\nAnimate=0\nYuYin=2\n[Window]\nHelp=2\n");
    CMj &m = Make();
    EXPECT_FALSE(m.IsSoundOn());
    EXPECT_TRUE(m.IsMusicOn());
    EXPECT_EQ(m.ShowTips, 0);
    EXPECT_FALSE(m.IsAnimateOn());
    EXPECT_EQ(m.yuyin, 0); // only exactly 1 turns voices on
    EXPECT_FALSE(showhelp); // anything but 1 clears the help flag
    mj.reset(); // before the file is written: the game object writes its settings as it ends

    folder.Write("SET.ini", "[Option]\nYuYin=1\n[Window]\nHelp=1\n");
    CMj &n = Make();
    EXPECT_EQ(n.yuyin, 1);
    EXPECT_TRUE(showhelp);
    EXPECT_TRUE(n.IsSoundOn());
}

TEST_F(CMjSettings, ANewSettingsFileIsCreatedWithItsSectionsAndEveryOption)
{
    CMj &m = Make();
    m.SetAnimateOn(false);
    m.player[1].language = 1;
    m.player[2].language = 0;
    std::snprintf(m.player[0].playername, sizeof m.player[0].playername, "%s", "阿明");
    mj.reset(); // the settings are written when the game object ends

    std::string text = folder.Read("SET.ini");
    for (const char *header : {"[PlayerInfo]", "[Rull]", "[Skin]", "[Option]", "[Volume]", "[UserSet]", "[Avatar]"})
        EXPECT_NE(text.find(header), std::string::npos) << header;
    EXPECT_EQ(Profile::ReadInt("SET.ini", "Option", "Animate", -1), 0);
    EXPECT_EQ(Profile::ReadInt("SET.ini", "Option", "Sound", -1), 1);
    EXPECT_EQ(Profile::ReadInt("SET.ini", "Window", "FullScreen", -1), 0);
    char name[32];
    Profile::ReadString("SET.ini", "PlayerInfo", "SPlayerName", "", name, sizeof name);
    EXPECT_STREQ(name, "阿明");
    Profile::ReadString("SET.ini", "PlayerInfo", "EPlayerName", "", name, sizeof name);
    EXPECT_STREQ(name, "小强"); // east is seat 1
    EXPECT_EQ(Profile::ReadInt("SET.ini", "PlayerInfo", "SPlayerSex", -1), 1);
    EXPECT_EQ(Profile::ReadInt("SET.ini", "PlayerInfo", "EPlayerSex", -1), 0);
    // Language 1 writes the plain key; anything else the key with the trailing x.
    for (auto [key, value] : {std::pair{"EPlayerLaguage", 1}, {"EPlayerLaguagex", -1}, {"NPlayerLaguagex", 0}, {"NPlayerLaguage", -1}})
        EXPECT_EQ(Profile::ReadInt("SET.ini", "PlayerInfo", key, -1), value) << key;

    // Read back by the next game object.
    CMj &again = Make();
    EXPECT_FALSE(again.IsAnimateOn());

    // A full twenty-byte name is saved without reading past it.
    std::memset(again.player[0].playername, 'A', sizeof again.player[0].playername); // no terminator
    mj.reset();
    Profile::ReadString("SET.ini", "PlayerInfo", "SPlayerName", "", name, sizeof name);
    EXPECT_EQ(std::string(name), std::string(20, 'A'));
}

TEST_F(CMjSettings, ChatLinesFillTheReadyMadeLinesWindowInFileOrderFromItsFirstPage)
{
    std::string chat;
    for (int i = 0; i < 12; i++)
        chat += "第" + std::to_string(i) + "行\r\n";
    folder.Write("Chat.txt", chat);
    CMj &m = Make();
    const CDxGameChatWnd &lines = *m.chatwnd[1];
    ASSERT_GT(lines.pages.Count(), 1);
    EXPECT_EQ(lines.curpage, 0);
    std::vector<std::string> read;
    for (int page = 0; page < lines.pages.Count(); page++)
        for (const CChatLine &line : lines.pages.GetPage(page)->list.lines) {
            EXPECT_EQ(line.color, 0xFFFFFFu);
            read.push_back(line.text);
        }
    ASSERT_EQ(read.size(), 12u);
    EXPECT_EQ(read.front(), "第0行");
    EXPECT_EQ(read.back(), "第11行");
    EXPECT_EQ(m.chatwnd[0]->pages.Count(), 0);
}

} // namespace
