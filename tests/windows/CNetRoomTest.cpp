// The lobby screen: its frame checked by pixels, sitting down, the quick seat, the user menu, the room
// chat's flood gate on the test clock, the filters in "SET.ini" and their dialog, the own picture.
#include "platform/FileMd5.h"
#include "platform/OpenUrl.h"
#include "platform/Profile.h"
#include "screen/Device.h"
#include "screen/FrameBlend.h"
#include "screen/GifSurface.h"
#include "tests/support/FrameContrast.h"
#include "tests/windows/OnlineFixture.h"
#include "windows/CDxChatWnd.h"
#include "windows/CInfoForm.h"
#include "windows/CNetRoom.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

TableInfo Seated(std::initializer_list<const char *> names, uint8_t state = 1)
{
    TableInfo t{};
    int seat = 0;
    for (const char *name : names) {
        if (*name) {
            PutName(t.name[seat], name);
            t.state[seat] = state;
        }
        seat++;
    }
    return t;
}

// The centre of a seat's spot in a slot of the page.
Point SpotCentre(int slot, int seat)
{
    return {CNetRoom::kGridLeft + slot % 3 * CNetRoom::kCellWidth + CNetRoom::kSpots[seat].x + 16,
            CNetRoom::kGridTop + slot / 3 * CNetRoom::kCellHeight + CNetRoom::kSpots[seat].y + 16};
}

} // namespace

class Lobby : public OnlineScreenTest {
protected:
    void SetUp() override
    {
        OnlineScreenTest::SetUp();
        Start();
        room = game->lobby.get();
        link.active = link.connected = true;
    }
    // In room 0 of three, with the lobby up.
    void Enter()
    {
        room->roomcount = 3;
        room->room = 0;
        room->Show();
    }
    void Press(Point p)
    {
        room->MouseDown(p.x, p.y);
        room->MouseUp(p.x, p.y);
    }
    // The frame as the lobby draws it now.
    std::unique_ptr<Surface> Frame()
    {
        lpDDSBack->Fill(lpDDSBack->Bounds(), kBackground);
        room->Draw();
        return std::make_unique<Surface>(*lpDDSBack);
    }
    std::string LastChatLine(uint32_t *color) const
    {
        const CChatPageList &pages = room->chatwnd->pages;
        const CChatPage *page = pages.GetPage(pages.Count() - 1);
        if (!page || page->list.lines.empty())
            return "";
        *color = page->list.lines.back().color;
        return page->list.lines.back().text;
    }
    std::string Ini() const
    {
        std::ifstream in(ProgramFile("SET.ini"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    CNetRoom *room = nullptr;
};

TEST_F(Lobby, TheFrameShowsSeatsTablesAndTheLastPageByThePictures)
{
    Enter();
    game->userlist.Add([] {
        UserInfo u{};
        PutName(u.name, "grey");
        u.face = 5;
        return u;
    }(), false);
    room->SetTable(0, Seated({"", "", "grey", ""}, 2)); // seat 0 empty, seat 2 greyed
    TableInfo ready = Seated({"a", "b", "", ""});
    ready.ready[0] = 1;
    room->SetTable(1, ready);
    ready.playing = 1;
    room->SetTable(2, ready);
    const std::unique_ptr<Surface> frame = Frame();

    const std::unique_ptr<Surface> seat = Load("Graphic\\NetForm\\PS.bmp");
    EXPECT_EQ(CellMismatches(*seat, {0, 0, 32, 32}, 28 + 59, 80 + 126, *frame, false), 0) << "the empty seat";

    // The grey seat: face 5 is cell 4 of the strip, every visible pixel in its grey.
    const std::unique_ptr<Surface> faces = Load("Graphic\\Face\\xtx.bmp");
    int wrong = 0, shown = 0;
    for (int j = 0; j < 32; j++)
        for (int i = 0; i < 32; i++) {
            const uint32_t own = faces->Pixel(4 * 32 + i, j);
            if (own == 0xF81F)
                continue;
            shown++;
            wrong += frame->Pixel(28 + 59 + i, 80 + 10 + j) != Rgb565ToGrey(static_cast<uint16_t>(own));
        }
    EXPECT_GT(shown, 300);
    EXPECT_EQ(wrong, 0);

    // The ready hand beside seat 0 of the waiting table, none at the playing one.
    TableInfo still = Seated({"a", "b", "", ""});
    room->SetTable(1, still);
    still.playing = 1;
    room->SetTable(2, still);
    const std::unique_ptr<Surface> unready = Frame();
    const std::unique_ptr<Surface> hand = Load("Graphic\\NetForm\\handup.bmp");
    const Point spot1{198 + 59, 80 + 126}, spot2{368 + 59, 80 + 126};
    *lpDDSBack = *frame;
    EXPECT_EQ(CellMismatches(*hand, {0, 0, 14, 14}, spot1.x + 8, spot1.y - 14, *unready), 0);
    EXPECT_GT(Changed(*unready, {spot1.x + 8, spot1.y - 14, spot1.x + 22, spot1.y}), 20);
    EXPECT_EQ(Changed(*unready, {spot2.x + 8, spot2.y - 14, spot2.x + 22, spot2.y}), 0);

    // The last page: tables 96-99 and two empty cells, which show the backdrop alone.
    const std::unique_ptr<Surface> backdrop = Load("Graphic\\NetForm\\Room.bmp");
    room->page = 16;
    Frame();
    EXPECT_EQ(Changed(*backdrop, {198, 262, 538, 430}), 0) << "cells 4 and 5, below the captions above them";
    EXPECT_GT(Changed(*backdrop, {28, 255, 198, 430}), 1000) << "table 99";
}

TEST_F(Lobby, APressOnAFreeSeatAsksForItOnceAndEverythingElseMisses)
{
    room->Show();
    room->SetTable(7, Seated({"a", "", "", ""}));
    room->page = 1;
    const Point seat1 = SpotCentre(1, 1);
    Press(seat1);
    Click(*room, CNetRoom::AUTOJOIN);
    EXPECT_EQ(boxes.size(), 2u);
    for (const MessageBox::Box &box : boxes)
        EXPECT_EQ(box.text, "请先登录房间");

    Enter();
    Press({seat1.x - 16, seat1.y});
    Press({seat1.x + 16, seat1.y});
    Press(SpotCentre(1, 0)); // taken
    EXPECT_TRUE(link.sent.empty()) << "before a room, borders and a taken seat";
    EXPECT_EQ(infoformon, 0);
    Press(seat1);
    ASSERT_EQ(link.sent.size(), 1u);
    GameMsg expected(CS_SITDOWN);
    expected.Put(1, 7);
    expected.Put(2, 1);
    EXPECT_EQ(0, std::memcmp(link.sent[0].Data(), expected.Data(), GameMsg::kSize));
    EXPECT_EQ(infoformon, 1);
    EXPECT_EQ(infoform->text, "正在进入游戏,请稍后...");
    Press(SpotCentre(1, 2));
    EXPECT_EQ(link.sent.size(), 1u) << "the overlay holds every press";

    infoformon = 0;
    TableInfo playing = Seated({"", "", "", ""});
    playing.playing = 1;
    room->SetTable(8, playing);
    Press(SpotCentre(2, 0));
    room->page = 16;
    for (int seat = 0; seat < 4; seat++) {
        Press(SpotCentre(4, seat));
        Press(SpotCentre(5, seat));
    }
    EXPECT_EQ(link.sent.size(), 1u) << "a playing table, and tables 100 and 101 that do not exist";
    Press(SpotCentre(3, 3));
    ASSERT_EQ(link.sent.size(), 2u);
    EXPECT_EQ(link.sent[1].Get(1), 99);

    // A right press on a seated user opens the user menu, not under the overlay.
    room->SetTable(0, Seated({"", "", "张三", ""}));
    room->page = 0;
    UserInfo u{};
    PutName(u.name, "张三");
    game->userlist.Add(u, false);
    const Point seat2 = SpotCentre(0, 2);
    infoformon = 1;
    EXPECT_EQ(room->OnRightClick(seat2.x, seat2.y), -1);
    infoformon = 0;
    game->OnMouseDown(seat2.x, seat2.y, true);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"menu: 张三 " + std::to_string(seat2.x) + " " +
                                                    std::to_string(seat2.y) + " 0"});
}

TEST_F(Lobby, QuickSeatTakesTheFullestWaitingTableAndSitDownRefusesWhatIsNoSeat)
{
    Enter();
    room->SetTable(0, Seated({"a", "", "", ""}));     // 3 free
    room->SetTable(1, Seated({"a", "", "c", "d"}));   // 1 free: seat 1
    room->SetTable(2, Seated({"a", "b", "", ""}));    // 2 free
    TableInfo playing = Seated({"a", "b", "c", ""});
    playing.playing = 1;
    room->SetTable(3, playing);
    room->AutoJoin();
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0].Get(1), 1);
    EXPECT_EQ(link.sent[0].Get(2), 1);

    infoformon = 0;
    for (auto [table, seat] : {std::pair{100, -1}, {3, -1}, {2, 4}})
        EXPECT_EQ(room->SitDown(table, seat), -1) << table << " " << seat;
    EXPECT_EQ(room->SitDown(2, 0), 0);
    EXPECT_EQ(link.sent.size(), 1u);
    game->player[2].seated = 1;
    EXPECT_EQ(room->SitDown(80, 3), 1);
    EXPECT_EQ(room->page, 13);
    EXPECT_EQ(game->player[2].seated, 0);
    EXPECT_EQ(link.sent.back().Get(1), 80);
}

TEST_F(Lobby, RoomChatSendsOneLineEveryThreeSecondsAndWarnsInBetween)
{
    Enter();
    room->chatedit->text = std::string(99, 'a');
    room->KeyPress('\r');
    ASSERT_EQ(link.sent.size(), 1u);
    const GameMsg &line = link.sent[0];
    EXPECT_EQ(line.Type(), CS_ROOM_CHAT);
    for (int i = 1; i < GameMsg::kSize; i++)
        ASSERT_EQ(line.Get(i), i <= 99 ? 'a' : 0) << "byte " << i;
    EXPECT_EQ(room->chatedit->text, "");

    clock.Advance(1000);
    for (char c : std::string("hi"))
        game->OnKeyPress(static_cast<uint8_t>(c));
    game->OnKeyPress('\r');
    uint32_t color = 0;
    EXPECT_EQ(LastChatLine(&color), "请爱护公共聊天环境，不要频繁发送聊天消息");
    EXPECT_EQ(color, 0x0000FFu);
    EXPECT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(room->chatedit->text, "hi") << "the line waits";

    clock.Advance(2000);
    game->OnKeyPress('\r');
    ASSERT_EQ(link.sent.size(), 2u);
    EXPECT_EQ(link.sent[1].GetText({1, 127}), "hi");
    clock.Advance(3000);
    game->OnKeyPress('\r');
    EXPECT_EQ(LastChatLine(&color), "请不要发送空消息");
    EXPECT_EQ(link.sent.size(), 2u);
}

// The room's lines are black, its warnings red: both are read against the chat window's ground.
TEST_F(Lobby, RoomChatLinesStandOutFromTheChatWindowsGround)
{
    Enter();
    room->chatwnd->AddText("张三: 有人来一局吗？ Anyone for a game?", 0x000000);
    room->chatwnd->AddText("请爱护公共聊天环境，不要频繁发送聊天消息", 0x0000FF);
    std::unique_ptr<Surface> frame = Frame();
    const std::vector<CChatLine> &lines = room->chatwnd->pages.GetPage(room->chatwnd->curpage)->list.lines;
    ASSERT_EQ(lines.size(), 2u);
    const uint32_t inks[2] = {0x0000, 0xF800}; // black, red
    for (int i = 0; i < 2; ++i)
        EXPECT_GE(LettersContrast(*frame, lines[i].rect, inks[i]), 3.0) << "line " << i;
}

TEST_F(Lobby, FiltersAreReadByTheirRulesAndWrittenBackEveryKeyInOrder)
{
    game.reset();
    EXPECT_NE(Ini().find("[UserSet]\r\nInvite=1\r\nIP=0\r\nESCAPE=0\r\nESCAPERATE=0\r\nLIMITSCORE1=0\r\nLIMITSCORE1RATE=0\r\n"
                         "LIMITSCORE2=0\r\nLIMITSCORE2RATE=0\r\nRoomID=0\r\nP2PTalk=1\r\n"),
              std::string::npos)
        << Ini();
    WriteProgramFile("SET.ini", "[UserSet]\r\nIP=7\r\nESCAPE=1\r\nESCAPERATE=150\r\nInvite=2\r\nRoomID=4\r\nP2PTalk=0\r\n"
                                "LIMITSCORE2=1\r\nLIMITSCORE2RATE=-100\r\nLIMITSCORE1RATE=77\r\n");
    Start();
    room = game->lobby.get();
    EXPECT_EQ(room->roomid, 4);
    link.active = true;
    room->SendUserSet();
    ASSERT_EQ(link.sent.size(), 1u);
    // Invite=2 is not 1, a rate of 150 reads as 0, the score difference is read only when its
    // filter is on; private chat refused.
    const uint8_t expected[] = {CS_USER_SET, 0, 4, 1, 0, 0, 0, 0, 0, 0, 1, 0x9C, 0xFF, 0xFF, 0xFF,
                                0, 0, 0, 0, 0, 0, 1};
    for (int i = 0; i < GameMsg::kSize; i++)
        ASSERT_EQ(link.sent[0].Get(i), i < 22 ? expected[i] : 0) << "byte " << i;

    link.active = false;
    room->SendUserSet();
    EXPECT_EQ(link.sent.size(), 1u) << "no connection, nothing sent";

    game.reset();
    EXPECT_NE(Ini().find("[UserSet]\r\nIP=4\r\nESCAPE=1\r\nESCAPERATE=0\r\nInvite=0\r\nRoomID=4\r\nP2PTalk=0\r\n"
                         "LIMITSCORE2=1\r\nLIMITSCORE2RATE=-100\r\nLIMITSCORE1RATE=0\r\nLIMITSCORE1=0\r\n"),
              std::string::npos)
        << Ini();
}

TEST_F(Lobby, TheFilterDialogTakesItsValuesBackOnlyOnOkAndStopsAtTheFirstWrongNumber)
{
    auto answer = [&](bool ok, const char *escape, const char *limit2) {
        shell.ok = ok;
        shell.filterUser = [=](UserSetDialog &d) {
            EXPECT_FALSE(d.escape);
            EXPECT_EQ(d.escapetext, "") << "a filter that is off shows no number";
            d.invite = true;
            d.iprule = true;
            d.ipitem = UserSetDialog::IP_THREE;
            d.escape = true;
            d.escapetext = escape;
            d.limit1 = true;
            d.limit1text = "500";
            d.limit2 = true;
            d.limit2text = limit2;
        };
        Click(*room, CNetRoom::SET);
    };
    Enter();
    room->filters.ip = 0;
    answer(false, "30", "-100");
    EXPECT_EQ(room->filters.ip, 0) << "cancel changes nothing";
    EXPECT_TRUE(link.sent.empty());

    answer(true, "30", "-100");
    ASSERT_EQ(link.sent.size(), 1u);
    const uint8_t expected[] = {4, 1, 3, 1, 0x1E, 1, 0xF4, 1, 0, 0, 1, 0x9C, 0xFF, 0xFF, 0xFF};
    for (int i = 0; i < GameMsg::kSize; i++)
        ASSERT_EQ(link.sent[0].Get(i), i < 15 ? expected[i] : 0) << "byte " << i;

    // An empty number, a rate past 100, a word and a number past the int range: a warning, nothing
    // sent; the filters before the wrong one keep their new values, those after it the old ones.
    for (auto [escape, limit2, box, limit1] :
         {std::tuple{"30", "", "输入的不是数字", 1}, {"101", "1", "逃跑率为0-100的数", 0},
          {"12ab", "1", "输入的不是数字", 0}, {"5", "99999999999", "输入的不是数字", 1}}) {
        room->filters = UserSet{};
        answer(true, escape, limit2);
        EXPECT_EQ(boxes.back().title + "|" + boxes.back().text, std::string("Warning|") + box) << escape;
        EXPECT_EQ(room->filters.ip, 3) << escape;
        EXPECT_EQ(room->filters.limitscore1, limit1) << escape;
        EXPECT_EQ(room->filters.limitscore1rate, 500 * limit1) << escape;
        EXPECT_EQ(room->filters.limitscore2, 0) << escape;
    }
    EXPECT_EQ(link.sent.size(), 1u);
}

// The card's part of the picture stands on the own card, wherever the picture is not transparent.
void ExpectCardShows(const Surface &frame, const std::string &picture)
{
    SurfaceSlot own;
    Rect rect;
    LoadGifSurface(picture, own, rect, false);
    const Rect part = Intersect(CNetRoom::kCardPart, rect);
    int compared = 0, wrong = 0;
    for (int y = part.top; y < part.bottom; y++)
        for (int x = part.left; x < part.right; x++) {
            const uint32_t pixel = own->Pixel(x, y);
            if (pixel == 0xF81F)
                continue;
            compared++;
            wrong += frame.Pixel(CNetRoom::kCard.x + x - part.left, CNetRoom::kCard.y + y - part.top) != pixel;
        }
    EXPECT_GT(compared, 1000) << picture;
    EXPECT_EQ(wrong, 0) << picture;
}

TEST_F(Lobby, TheOwnCardShowsTheArrivedPictureOrTheDefaultOfTheSexOrTheRoleCell)
{
    namespace fs = std::filesystem;
    const fs::path data = std::getenv("LANTILE_DATA");
    fs::copy_file(data / "male.gif", ProgramFile("male.gif"));
    fs::create_directory(ProgramFile("Avatar"));
    fs::copy_file(data / "female.gif", ProgramFile("Avatar/42.gif")); // another picture than the default
    Enter();
    game->myaccount = "me";
    game->myuserid = 42;
    game->myinfo.sex = 1;
    game->myinfo.face = 3;
    const auto announce = [&](const std::string &digest) {
        game->knownavatars.clear();
        game->requestedavatars.clear();
        GameMsg m(SC_AVATAR_INFO);
        m.PutI32(4, 42);
        m.PutText({8, 20}, "me");
        m.PutText({28, 32}, digest);
        m.PutText({61, 60}, "127.0.0.1:9/42.gif");
        game->OnGameMsg(m);
        EXPECT_EQ(game->avatarqueue.Count(), 1);
    };

    // Announced with another digest: fetched, and meanwhile the default of the sex.
    announce("00000000000000000000000000000000");
    room->LoadAvatar(true);
    EXPECT_EQ(room->ownpictureon, 1);
    const std::unique_ptr<Surface> card = Frame();
    ExpectCardShows(*card, "male.gif");
    // A broken picture keeps the one before.
    WriteProgramFile("male.gif", "GIF89a broken");
    room->LoadAvatar(true);
    Frame();
    EXPECT_EQ(Changed(*card, {0, 0, 800, 600}), 0);

    // Announced with the file's digest: the card takes the picture at once, and so does the table's
    // seat of the same user, found by name in the user list, while it is current.
    announce(FileMd5Hex(ProgramFile("Avatar/42.gif").string()));
    ExpectCardShows(*Frame(), "Avatar/42.gif");
    UserInfo me{};
    PutName(me.name, "me");
    me.userid = 42;
    me.sex = 1;
    game->userlist.Add(me, true);
    game->netgame = 1;
    CMjPlayer &seat = *game->GetPlayer(2);
    seat.SetName("me");
    seat.seated = 1;
    seat.sex = 1;
    game->draw.SetAvatar(2, 3);
    EXPECT_EQ(avatarname[2], CMj::AvatarPath(42));
    game->knownavatars[0].md5 = "00000000000000000000000000000000";
    game->draw.SetAvatar(2, 3);
    EXPECT_EQ(avatarname[2], ProgramFile("male.gif").string());

    // Without the default file the role strip's cell 2 for picture 3 shows, down to the avatar
    // button drawn over its foot.
    fs::remove(ProgramFile("male.gif"));
    room->LoadAvatar(true);
    EXPECT_EQ(room->ownpictureon, 0);
    Frame();
    const std::unique_ptr<Surface> roles = Load("Graphic\\NetForm\\role.bmp");
    const std::unique_ptr<Surface> backdrop = Load("Graphic\\NetForm\\Room.bmp");
    EXPECT_EQ(CellMismatches(*roles, {160, 0, 240, 116}, CNetRoom::kCard.x, CNetRoom::kCard.y, *backdrop), 0);
}

TEST_F(Lobby, ButtonsOpenTheSiteAndThePayPageAndLeaveByTheConnection)
{
    std::vector<std::string> opened;
    SetOpenUrlHandler([&](const std::string &url) { opened.push_back(url); });
    Enter();
    Click(*room, CNetRoom::SITE);
    Click(*room, CNetRoom::TOPUP); // paying on the web site
    EXPECT_EQ(opened, (std::vector<std::string>{"https://lantile.example.org/", "https://lantile.example.org/pay"}));
    EXPECT_TRUE(shell.calls.empty());
    room->paymode = 0; // paying by card
    Click(*room, CNetRoom::TOPUP);
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"buy"});
    shell.calls.clear();
    Click(*room, CNetRoom::LEAVE);
    EXPECT_FALSE(link.active);
    networkmode = 1;
    Click(*room, CNetRoom::LEAVE);
    networkmode = 0;
    EXPECT_EQ(shell.calls, std::vector<std::string>{"close"});
    SetOpenUrlHandler(nullptr);
}
