#include "table/ClientRecords.h"
#include "table/UserSet.h"
#include "tests/kit/SessionScript.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// The expectations are written by hand from the record tables, in the scripted server's notation;
// every byte a pattern does not name must be zero.
void ExpectRecord(const GameMsg &m, const char *pattern)
{
    RecordPattern p;
    std::string error;
    ASSERT_TRUE(ParseRecord(pattern, &p, &error)) << error;
    EXPECT_EQ(p.Mismatch(m.Data()), "") << pattern;
}

// Patterns are UTF-8, as in a script file; narrow literals here are GBK.
const char *Utf8(const char8_t *text)
{
    return reinterpret_cast<const char *>(text);
}

// A record that was built as the pattern says, or refused (no pattern) and left zeroed: nothing of
// it can go out.
void Built(bool built, const GameMsg &m, const std::string &pattern = "")
{
    EXPECT_EQ(built, !pattern.empty()) << pattern;
    ExpectRecord(m, pattern.empty() ? "0" : pattern.c_str());
}

TEST(ClientRecords, PlayRecordsNameTilesByTheirKindsFirstCopyAndNeverATileThatIsNone)
{
    GameMsg m;
    Built(BuildAction(m, ACTION_PASS), m, "1");
    Built(BuildAction(m, ACTION_PENG), m, "1 3=2");
    Built(BuildAction(m, ACTION_HU), m, "1 3=4");
    Built(BuildOwnKong(m, MakeMj(5, SUIT_BING)), m, "1 2=t(5p) 3=3");
    Built(BuildChow(m, MakeMj(3, SUIT_TIAO), MakeMj(4, SUIT_TIAO)), m, "1 3=5 4=t(3s) 5=t(4s)");
    Built(BuildGiveCard(m, MakeMj(7, SUIT_ZI), true), m, "2 2=1 3=t(7z)");
    Built(BuildGiveCard(m, MakeMj(9, SUIT_WAN), false), m, "2 3=t(9m)");
    Built(BuildFlowerCount(m, 3), m, "6 3=3");
    // No record carries a tile that is no tile.
    Built(BuildGiveCard(m, MjTile{}, false), m);
    Built(BuildGiveCard(m, MakeMj(8, SUIT_BACK), false), m); // face down
    Built(BuildOwnKong(m, MakeMj(10, SUIT_WAN)), m);
    Built(BuildOwnKong(m, MakeMj(8, SUIT_ZI)), m);
    Built(BuildChow(m, MakeMj(3, SUIT_TIAO), MjTile{}), m);
    Built(BuildAction(m, 1), m);
    Built(BuildAction(m, ACTION_CHI), m); // a chow names its tiles
    Built(BuildFlowerCount(m, 0), m);
    Built(BuildFlowerCount(m, 9), m);
}

TEST(ClientRecords, LoginCutsAccountAndPasswordToTwentyBytesAndNoRecordKeepsAnythingOfTheOneBefore)
{
    GameMsg m;
    BuildLogin(m, "alice", "secret", "00163E5A2B01");
    ExpectRecord(m, R"(100 1:"alice" 21:"secret" 51:"00163E5A2B01" 101=120 103=20)");
    BuildLogin(m, "abcdefghijklmnopqrst", "01234567890123456789", "");
    ExpectRecord(m, R"(100 1:"abcdefghijklmnopqrst" 21:"01234567890123456789" 101=120 103=20)");
    BuildLogin(m, "abcdefghijklmnopqrstuvwxy", "pw", "0016");
    ExpectRecord(m, R"(100 1:"abcdefghijklmnopqrst" 21:"pw" 101=120 103=20)");
    // A character across the 20th byte is left out whole, not cut in half.
    BuildLogin(m, "abcdefghijklmnopqrs\xD5\xC5", "pw", "00163E5A2B0");
    ExpectRecord(m, R"(100 1:"abcdefghijklmnopqrs" 21:"pw" 101=120 103=20)");

    // A record built in a shared buffer keeps nothing of the one before.
    BuildBare(m, CS_KEEPALIVE);
    ExpectRecord(m, "104");
    ASSERT_TRUE(BuildGiveCard(m, MakeMj(2, SUIT_WAN), true));
    ASSERT_TRUE(BuildAction(m, ACTION_PASS));
    ExpectRecord(m, "1");
}

TEST(ClientRecords, ChatTextsAreCutToTheirFieldsOnACharacterBoundary)
{
    GameMsg m;
    std::string long200(200, 'x');
    BuildTableChat(m, long200, CHAT_LINE);
    ExpectRecord(m, ("3 1:\"" + std::string(127, 'x') + "\"").c_str());
    BuildTableChat(m, long200, CHAT_EDITBOX);
    ExpectRecord(m, ("3 1:\"" + std::string(128, 'x') + "\"").c_str());
    BuildTableChat(m, std::string(126, 'x') + "\xD5\xC5", CHAT_LINE);
    ExpectRecord(m, ("3 1:\"" + std::string(126, 'x') + "\"").c_str());
    BuildTableChat(m, "\xC4\xE3\xBA\xC3", CHAT_LINE);
    ExpectRecord(m, Utf8(u8"3 1:\"你好\""));

    Built(BuildPrivateChat(m, "bob", std::string(100, 'y')), m, ("109 1:\"bob\" 21:\"" + std::string(100, 'y') + "\"").c_str());
    Built(BuildPrivateChat(m, "abcdefghijklmnopqrst", std::string(150, 'y')), m, ("109 1:\"abcdefghijklmnopqrst\" 21:\"" + std::string(100, 'y') + "\"").c_str());
    Built(BuildPrivateChat(m, "abcdefghijklmnopqrstu", "hi"), m);

    Built(BuildRoomChat(m, std::string(130, 'z')), m, ("110 1:\"" + std::string(127, 'z') + "\"").c_str());
    Built(BuildRoomChat(m, ""), m);

    // Line breaks, tabs and other control bytes go out as spaces in every chat record.
    BuildTableChat(m, "a\r\nb\tc\x7f", CHAT_LINE);
    ExpectRecord(m, "3 1:\"a  b c \"");
    Built(BuildPrivateChat(m, "bob", "x\ny"), m, "109 1:\"bob\" 21:\"x y\"");
    Built(BuildRoomChat(m, "\n"), m, "110 1:\" \"");
}

TEST(ClientRecords, UserSetSendsOnlyTheFiltersThatAreOnAndLobbyAndServiceRecordsKeepTheirBounds)
{
    GameMsg m;
    UserSet off;
    off.p2ptalk = 0;
    BuildUserSet(m, off);
    ExpectRecord(m, "4 1=1 21=1");

    UserSet on;
    on.invite = 0;
    on.ip = 3;
    on.escape = 1;
    on.escaperate = 50;
    on.limitscore1 = 1;
    on.limitscore1rate = -300;
    on.limitscore2 = 1;
    on.limitscore2rate = 100000;
    BuildUserSet(m, on);
    ExpectRecord(m, "4 2=3 3=1 4=50 5=1 6:i32=-300 10=1 11:i32=100000");

    UserSet odd;
    odd.ip = 7;
    odd.escaperate = 77; // the filter is off: the rate stays home
    odd.limitscore1rate = 5;
    BuildUserSet(m, odd);
    ExpectRecord(m, "4 1=1");
    odd.escape = 1;
    odd.escaperate = 150;
    BuildUserSet(m, odd);
    ExpectRecord(m, "4 1=1 3=1");

    // Lobby and service records.
    Built(BuildSitDown(m, 99, 3), m, "101 1=99 2=3");
    Built(BuildSitDown(m, 100, 0), m);
    Built(BuildSitDown(m, 5, 4), m);

    Built(BuildEnterRoom(m, 0), m, "107");
    Built(BuildEnterRoom(m, 9), m, "107 1=9");
    Built(BuildEnterRoom(m, 256), m);

    Built(BuildInvite(m, "abcdefghijklmnopqrst"), m, R"(106 1:"abcdefghijklmnopqrst")");
    Built(BuildInvite(m, "abcdefghijklmnopqrstu"), m);

    Built(BuildAdmin(m, ADMIN_MUTE, "abcdefghijklmnopqrst"), m, R"(111 3=3 4:"abcdefghijklmnopqrst")");
    Built(BuildAdmin(m, ADMIN_KICK, "\xD5\xC5\xC8\xFD"), m, Utf8(u8R"(111 3=1 4:"张三")"));
    Built(BuildAdmin(m, ADMIN_KICK, "abcdefghijklmnopqrstu"), m);
    Built(BuildAdmin(m, 2, "bob"), m);

    Built(BuildBuy(m, "123456789012", "abcdefgh"), m, R"(5 3:"123456789012" 15:"abcdefgh")");
    Built(BuildBuy(m, "12345678901", "abcdefgh"), m);
    Built(BuildBuy(m, "123456789012", "abcdefghi"), m);

    Built(BuildSetAvatar(m, 12), m, "112 3=1 4=12");
    Built(BuildSetAvatar(m, 0), m);
    Built(BuildSetAvatar(m, 13), m);

    for (uint8_t type : {CS_LEAVE_TABLE, CS_READY, CS_KEEPALIVE, CS_EXIT}) {
        Built(BuildBare(m, type), m, std::to_string(type).c_str());
    }
    Built(BuildBare(m, 108), m);
    Built(BuildBare(m, CS_ACTION), m);
}

TEST(GameMsg, IntegersAndTextsAreReadWithinTheRecord)
{
    GameMsg m(SC_HAND_RESULT);
    m.PutI32(7, -8);
    EXPECT_EQ(m.Get(7), 0xF8);
    EXPECT_EQ(m.Get(10), 0xFF);
    EXPECT_EQ(m.GetI32(7), -8);
    m.PutI32(126, 0x01020304); // the last byte falls outside and is not written
    EXPECT_EQ(m.Get(128), 0x02);
    EXPECT_EQ(m.GetI32(126), 0x020304);
    EXPECT_EQ(m.Get(129), 0);
    EXPECT_EQ(m.Get(-1), 0);

    GameMsg full(SC_MESSAGEBOX);
    full.PutText({1, 128}, std::string(200, 'a'));
    EXPECT_EQ(full.GetText({1, 128}), std::string(128, 'a'));
    EXPECT_EQ(full.GetText({100, 60}), std::string(29, 'a'));
    full.Put(5, 0);
    EXPECT_EQ(full.GetText({1, 128}), "aaaa");

    MjTile tile;
    m.Put(3, 143);
    ASSERT_TRUE(m.TileAt(3, &tile));
    EXPECT_TRUE(IsSameMj(tile, MakeMj(8, SUIT_HUA)));
    m.Put(3, 144);
    EXPECT_FALSE(m.TileAt(3, &tile));
    EXPECT_FALSE(m.TileAt(129, &tile));
}

} // namespace
