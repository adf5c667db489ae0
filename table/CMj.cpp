#include "table/CMj.h"

#include "platform/Gbk.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/Random.h"
#include "platform/TerminationSignals.h"
#include "platform/TimerService.h"
#include "rules/CLog.h"
#include "rules/FanTable.h"
#include "screen/CDxSound.h"
#include "screen/ColorTables.h"
#include "screen/Device.h"
#include "table/Addresses.h"
#include "table/Shell.h"
#include "table/THttpGetThread.h"
#include "windows/CDxChatWnd.h"
#include "windows/CDxEdit.h"
#include "windows/CHelpForm.h"
#include "windows/CLoginForm.h"
#include "windows/CNetRoom.h"
#include "windows/CSetForm.h"
#include "windows/InviteLinks.h"
#include "windows/LevelTable.h"
#include "windows/Screens.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

int minfan = 8;
uint8_t wildmode = 0;
MjTile wildmj;
bool showhelp = true;
ServerInfo serverlist[MAX_SERVERS];
int servercount = 0;
int serverindex = 0;
std::string FanNames[FANNAME_COUNT];

namespace {

struct TimerSpec {
    unsigned id;
    unsigned interval;
    bool running;
};

// The game object's seventeen timers, their periods and which run from the start.
constexpr TimerSpec kTimers[17] = {
    {TIMER_STATE, 10000, false},      {TIMER_SHOWALL, 100000, false},   {GIVETIMER, 1000, false},
    {ACTIONTIMER, 1000, false},       {TIMER_BLINK, 200, false},        {TIMER_CARET, 500, true},
    {TIMER_KEEPALIVE, 10000, false},  {TIMER_CLAIMS, 100, false},       {TIMER_PENG, 500, false},
    {TIMER_COUNTDOWN, 1000, true},    {TIMER_FLOWERPAUSE, 50, false},   {TIMER_ROBOT, 50, false},
    {TIMER_DICE, 1000, false},        {TIMER_FLIGHT, 1, false},         {TIMER_CLAIMFLIGHT, 1, false},
    {TIMER_LINKS, 120000, true},      {TIMER_READYDRAW, 100, false},
};

const char *const kDefaultNames[4] = {"玩家", "小强", "小静", "花花"};

// The local servers the list falls back to when "Dirconfig.ini" does not name a host.
const char *const kDefaultHost = "127.0.0.1";
const char *const kDefaultHostNetcom = "localhost";

// The table's buttons by index; the renderer places them. Most are never shown but keep the numbering.
const struct {
    const char *picture;
    const char *caption;
} kTableButtons[] = {
    {"Graphic\\peng.bmp", ""},                 {"Graphic\\gang.bmp", ""},
    {"Graphic\\hu.bmp", ""},                   {"Graphic\\guo.bmp", ""},
    {"Graphic\\chi.bmp", ""},                  {"Graphic\\chi.bmp", ""},
    {"Graphic\\MainForm\\newgame.bmp", ""},    {"Graphic\\chi.bmp", "设置"},
    {"Graphic\\chi.bmp", "规则"},              {"Graphic\\MainForm\\Close.bmp", ""},
    {"Graphic\\chi.bmp", "缩小"},              {"Graphic\\chi.bmp", ""},
    {"Graphic\\chi.bmp", ""},                  {"Graphic\\chi.bmp", ""},
    {"Graphic\\chi.bmp", ""},                  {"Graphic\\start.bmp", ""},
    {"Graphic\\MainMenu.bmp", ""},             {"Graphic\\ChatWnd\\send.bmp", ""},
    {"Graphic\\ChatWnd\\up.bmp", ""},          {"Graphic\\ChatWnd\\down.bmp", ""},
    {"Graphic\\MainForm\\btn_invite.bmp", ""}, {"Graphic\\ChatWnd\\senddefault.bmp", ""},
    {"Graphic\\ting.bmp", ""},                 {"Graphic\\tang.bmp", ""},
    {"Graphic\\piao.bmp", ""},                 {"Graphic\\piaono.bmp", ""},
    {"Graphic\\MainForm\\max.bmp", ""},        {"Graphic\\NewStyle\\option.bmp", ""},
    {"Graphic\\NewStyle\\back.bmp", ""},       {"Graphic\\NewStyle\\rules.bmp", ""},
    {"Graphic\\NewStyle\\resume.bmp", ""},     {"Graphic\\chinull.bmp", ""},
    {"Graphic\\chinull.bmp", ""},              {"Graphic\\chinull.bmp", ""},
    {"Graphic\\chinull.bmp", ""},              {"Graphic\\chicancle.bmp", ""},
};

// The chat input beside the chat buttons at the bottom right; the table's chat at the top right and
// the ready-made lines at the top left, where they cover no button. Only online play shows them.
constexpr int kChatInputX = 400;
constexpr int kChatInputY = 570;
constexpr Rect kChatWindows[2] = {{607, 35, 747, 115}, {8, 72, 148, 152}};
// The ready-made lines' window enlarged keeps its top and grows downwards, short of the left seat's
// name.
constexpr int kEnlargedChatBottom = 280;
constexpr uint32_t kWhite = 0xFFFFFF;
// Link labels: a light blue that reads on the table's green.
constexpr uint32_t kLinkColour = 0xFFD47F; // COLORREF

} // namespace

CMj::CMj()
{
    // 1. Members are in place; the settings that the rules engine copies start here.
    minfan = 8;
    SyncRules();
    roundwind = 1;

    // 2. The server list; the renderer and its device (none without a main window).
    ReadServerList();
    BuildColorTables();
    draw.SetGame(this, [this] { Paint(); });
    curscreen.Watch(this, [this](int8_t id) { ClearHover(id); });
    if (fullscreen)
        draw.InitFullScreen(hMainWnd);
    else
        draw.InitWindowed();
    draw.windowed = fullscreen ? 0 : 1;
    ddrawready = 1;
    yuyin = 0;

    // 3. The sound player.
    dxsound = new CDxSound;

    // 4. The seventeen timers; a few run for the object's whole life.
    TimerService::Current().SetDispatcher([this](unsigned id) { OnTimer(id); });
    for (int i = 0; i < 17; i++) {
        timers[i] = new CMjTimer;
        timers[i]->id = kTimers[i].id;
        timers[i]->interval = kTimers[i].interval;
        if (kTimers[i].running)
            timers[i]->SetEnabled(true);
    }

    // 5. Each seat's animation, speech and action-icon timers, and its winds.
    for (int seat = 0; seat < 4; seat++) {
        CMjPlayer &p = player[seat];
        p.animtimer->id = TIMER_AVATAR + seat;
        p.speechtimer->id = TIMER_SPEECH + seat;
        p.actiontimer->id = TIMER_ACTIONICON + seat;
        p.actiontimer->SetEnabled(false);
        p.seatwind = seat + 1;
        p.roundwind = 1;
    }

    // 6. The in-game screens, each behind its global pointer.
    CreateScreens();

    // 7. The table at rest.
    for (int i = 0; i < MJ_TOTAL; i++)
        wallmj[i] = wallsrc[i] = static_cast<uint8_t>(i);
    for (int seat = 0; seat < 4; seat++) {
        CMjPlayer &p = player[seat];
        p.cardnum = 0;
        p.hoverindex = -1;
        p.sex = (seat % 2 == 0) ? 1 : 0;
        std::snprintf(p.playername, sizeof p.playername, "%s", kDefaultNames[seat]);
    }
    std::memset(wallstack, 2, sizeof wallstack);
    curplayer = 0;
    banker = 0;
    gamestatus = 0;
    wildrule = 2;
    wildmode = 0;
    wildmj = MjTile{};
    SyncRules();
    scoremultiplier = 1;

    // 8. The chat input (the table's only edit box, so it keeps the focus) and the chat windows; the
    // ready-made lines start from the first page, and a press on one sends it.
    chatedit = std::make_unique<CDxEdit>("Graphic\\input.bmp");
    chatedit->SetPos(kChatInputX, kChatInputY);
    chatedit->focused = 1;
    for (int i = 0; i < 2; i++) {
        chatwnd[i] = std::make_unique<CDxGameChatWnd>();
        const Rect &r = kChatWindows[i];
        chatwnd[i]->SetPos(r.left, r.top, r.right, r.bottom);
    }
    chatwnd[1]->clickable = 1;
    ReadChatLines();
    if (chatwnd[1]->pages.Count() > 0)
        chatwnd[1]->curpage = 0;

    // 9. The product's link.
    linklabels[0].Set(265, 572, "Lantile on website", kProductUrl);
    linklabels[0].color = kLinkColour;
    linklabelcount = 1;

    // 10. The table's buttons: only the menu button shows at first.
    for (const auto &button : kTableButtons)
        tablebuttons.Add(button.picture, button.caption);
    for (int i = 0; i < tablebuttons.Count(); i++)
        tablebuttons.Get(i)->visible = i == BTN_MENU;
    ShowClaimButtons(false);
    ShowTips = 1;

    // 11. Options, the level titles, then the avatar animations of the seats and the tune.
    LoadSetting("SET.ini");
    dxsound->SetSoundOn(soundon);
    draw.SetButtons(&tablebuttons);
    draw.InitLayout();
    LoadLevelTable("level.txt");
    for (int seat = 0; seat < 4; seat++) {
        CMjPlayer &p = player[seat];
        p.animation = 0;
        p.animtimer->interval = 4000 + 500 * seat;
        p.animtimer->SetEnabled(true);
    }
    dxsound->PlayLoop();

    // 12. The fan names the score screen shows.
    for (int i = 1; i <= 88; i++)
        FanNames[i] = kFanNamesCn[i];
}

CMj::~CMj()
{
    // The download thread goes first, while everything it uses still stands.
    avatarthread.reset();
    curscreen.Watch(this, nullptr);
    SaveSetting("SET.ini");
    chatedit.reset();
    for (auto &wnd : chatwnd)
        wnd.reset();
    for (CMjTimer *&t : timers) {
        delete t;
        t = nullptr;
    }
    DeleteScreens();
    delete dxsound;
    dxsound = nullptr;
    TimerService::Current().SetDispatcher(nullptr);
    g_log.Trace("Delete Ok.");
}

void CMj::ReadServerList()
{
    const char *ini = "Dirconfig.ini";
    int wanted = Profile::ReadInt(ini, "Public", "ServerNum", 2);
    servercount = 0;
    serverindex = 0;
    // The list has five rows: a longer list in the file is cut, not read past the array.
    for (int i = 0; i < wanted && servercount < MAX_SERVERS; i++) {
        std::string section = "DIRSERVER" + std::to_string(i);
        ServerInfo &row = serverlist[servercount];
        std::memset(&row, 0, sizeof row);
        Profile::ReadString(ini, section, "name", i == 1 ? "网通服务器" : "电信服务器", row.name, sizeof row.name);
        Profile::ReadString(ini, section, "host", i == 1 ? kDefaultHostNetcom : kDefaultHost, row.host,
                            sizeof row.host);
        row.port = Profile::ReadInt(ini, section, "port", kGameServerPort);
        servercount++;
    }
}

void CMj::ReadChatLines()
{
    std::ifstream in(Paths::Resolve("Chat.txt"), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        chatwnd[1]->AddText(line, kWhite);
    }
}

void CMj::EnlargeChat(bool large)
{
    chatenlarged = large;
    tablebuttons.Get(BTN_CHATUP)->visible = !large;
    tablebuttons.Get(BTN_CHATDOWN)->visible = large;
    // The lines are laid out for the window's size: they are laid out again for the new one.
    const Rect &r = kChatWindows[1];
    CDxGameChatWnd &lines = *chatwnd[1];
    lines.Clear();
    lines.SetPos(r.left, r.top, r.right, large ? kEnlargedChatBottom : r.bottom);
    ReadChatLines();
    lines.curpage = lines.pages.Count() > 0 ? 0 : -1;
}

namespace {

// How an option's byte takes the value read for it.
enum class Read { ZeroClears, NonZero, One, Never };

// The options as SET.ini keeps them, in the order they are written: reading and writing walk this
// one list. def is what a missing key reads as.
template <class Stream> void Options(Stream &s, CMj &m)
{
    s.Flag("Rull", "Brood", m.brood, 1, Read::ZeroClears);
    s.Flag("Rull", "Rain", m.rain, 1, Read::ZeroClears);
    s.Flag("Option", "Animate", m.animateon, 1, Read::NonZero);
    s.Flag("Option", "Sound", m.soundon, 1, Read::ZeroClears);
    s.Flag("Option", "Music", m.musicon, 0, Read::NonZero);
    s.Flag("Option", "YuYin", m.yuyin, 0, Read::One);
    // The tool-tips box holds only until the program ends.
    s.Flag("Option", "ShowTips", m.ShowTips, 1, Read::NonZero, false);
    // The program always starts in a window: the mode is kept for other readers only.
    uint8_t full = fullscreen != 0;
    s.Flag("Window", "FullScreen", full, 0, Read::Never);
    s.Flag("Window", "Help", showhelp, 1, Read::One);
    // Seats in the order south (local), north, east, west; nothing reads them back.
    const struct {
        const char *prefix;
        int seat;
    } seats[] = {{"S", 0}, {"N", 2}, {"E", 1}, {"W", 3}};
    for (const auto &seat : seats) {
        const CMjPlayer &p = m.player[seat.seat];
        const std::string prefix = std::string(seat.prefix) + "Player";
        s.Text("PlayerInfo", prefix + "Name", p.GetName());
        s.Text("PlayerInfo", prefix + "Sex", p.sex == 1 ? "1" : "0");
        const bool plain = p.language == 1;
        s.Text("PlayerInfo", prefix + (plain ? "Laguage" : "Laguagex"), plain ? "1" : "0");
    }
}

class OptionReader {
public:
    explicit OptionReader(const std::string &path) : path_(path) {}
    template <class Byte> void Flag(const char *section, const char *key, Byte &on, int def, Read read, bool = true)
    {
        if (read == Read::Never)
            return;
        const int value = Profile::ReadInt(path_, section, key, def);
        if (read == Read::ZeroClears)
            on = on && value != 0;
        else
            on = read == Read::One ? value == 1 : value != 0;
    }
    void Text(const char *, const std::string &, const std::string &) {}

private:
    const std::string &path_;
};

class OptionWriter {
public:
    explicit OptionWriter(Profile::Edit &ini) : ini_(ini) {}
    template <class Byte> void Flag(const char *section, const char *key, Byte &on, int, Read, bool written = true)
    {
        if (written)
            ini_.Set(section, key, on ? "1" : "0");
    }
    void Text(const char *section, const std::string &key, const std::string &value) { ini_.Set(section, key, value); }

private:
    Profile::Edit &ini_;
};

} // namespace

void CMj::LoadSetting(const std::string &path)
{
    if (!Paths::Exists(path))
        return;
    OptionReader reader(path);
    Options(reader, *this);
    if (yuyin && dxsound)
        dxsound->voiceon = 1;
}

void CMj::SaveSetting(const std::string &path)
{
    Profile::Edit ini(path);
    // A new file starts with the sections in the order other readers expect.
    if (!Paths::Exists(path))
        for (const char *section : {"PlayerInfo", "Rull", "Skin", "Option", "Volume", "UserSet", "Avatar"})
            ini.AddSection(section);
    OptionWriter writer(ini);
    Options(writer, *this);
    // Every screen's settings go into the same write, so that a kill leaves the old file or the new
    // one, never some of the changes.
    if (setform)
        setform->WriteSettings(ini);
    if (loginform)
        loginform->WriteSettings(ini);
    if (helpform)
        helpform->WriteSettings(ini);
    if (lobby)
        lobby->WriteSettings(ini);
    draw.WriteSettings(ini);
    CommitSettings(ini);
}

void CMj::CommitSettings(const Profile::Edit &edit)
{
    std::string error;
    if (edit.Commit(error))
        return;
    g_log.Trace("Setting Error,%s.", error.c_str());
    if (unwrittentold)
        return;
    unwrittentold = 1;
    const std::string text = "The settings could not be written to " + Utf8ToGbk(edit.File()) + ".";
    // With the window still there the box waits its turn among the others; as the program ends it
    // shows at once, unless a signal is ending the program, which no box may hold up.
    if (shell)
        shell->PostBox(text, "信息", MessageBox::IconWarning, nullptr);
    else if (!TerminationSignals::Pending())
        MessageBox::Show(text, "信息", MessageBox::IconWarning);
}

void CMj::Paint()
{
    if (recordruns > 0)
        paintowed = true;
    else
        PaintFrame();
}

void CMj::BeginRecords()
{
    if (recordruns++ == 0 && shell)
        shell->HoldLists(true);
}

void CMj::EndRecords()
{
    if (recordruns == 0 || --recordruns > 0)
        return;
    if (shell)
        shell->HoldLists(false);
    if (paintowed) {
        paintowed = false;
        PaintFrame();
    }
}

void CMj::PaintFrame()
{
    if (ddrawready)
        draw.Render(this, wallstack);
    else
        draw.Draw(this, wallstack);
}

void CMj::ClearHover(int8_t id)
{
    if (CBitForm *screen = ScreenById(id))
        screen->buttons.ClearHover();
    else
        tablebuttons.ClearHover();
}

void CMj::OnShow()
{
    draw.Banner();
}

void CMj::Fly(uint8_t kind, int speed)
{
    // One step at most every 10 ms, so that a flight is seen however fast a frame is made.
    constexpr unsigned kStepMs = 10;
    draw.SetAnimKind(kind);
    while (!draw.StepFlight(speed)) {
        PaintFrame();
        TimerService::Current().Sleep(kStepMs);
    }
    draw.SetAnimKind(CMjDraw::AnimNone);
}

void CMj::PlayEffect(int effect)
{
    dxsound->PlayEffect(effect);
}

void CMj::PlayActionVoice(int seat, int voice)
{
    dxsound->PlayActionVoice(player[seat].sex == 1, voice);
}

void CMj::PlayMjVoice(int seat, MjTile tile)
{
    dxsound->PlayMjVoice(player[seat].sex == 1, tile);
}

int CMj::GetCountdown() const
{
    bool counting = timers[2]->GetEnabled() || timers[3]->GetEnabled();
    return counting ? countdown : -1;
}

void CMj::ResetTable()
{
    // Nobody is invited to a table that starts again or goes.
    if (curscreen == SCREEN_INVITE)
        curscreen = SCREEN_NONE;
    StopPlay();
    curplayer = 0;
    gamestatus = 1;
    for (CMjPlayer &p : player)
        ResetSeat(p);
    discardflying = 0;
    std::memset(wallstack, 2, sizeof wallstack);
    std::memset(seenmj, 0, sizeof seenmj);
    std::memset(gridflags, 0, sizeof gridflags);
    ClearTableView();
    Paint();
}

void CMj::ClearTableView()
{
    draw.ClearGrid();
    for (int seat = 0; seat < 4; seat++)
        draw.InitGridCursor(&player[seat], seat);
    draw.SetShowAll(0);
}

namespace {

// The timers are looked up on every tick, so their ids are laid out in two runs: 1-9, then 100-107.
constexpr unsigned TimerSlot(unsigned id)
{
    return id < 100 ? id - 1 : id - 100 + 9;
}

static_assert([] {
    for (unsigned i = 0; i < std::size(kTimers); i++)
        if (TimerSlot(kTimers[i].id) != i)
            return false;
    return true;
}());

} // namespace

CMjTimer *CMj::Timer(unsigned id)
{
    const unsigned slot = TimerSlot(id);
    return slot < std::size(timers) && timers[slot] && timers[slot]->id == id ? timers[slot] : nullptr;
}

void CMj::SetGameState(uint8_t state)
{
    gamestate = state;
    CMjTimer *t = Timer(TIMER_STATE);
    switch (state) {
    case STATE_DEAL:
        t->interval = 100;
        break;
    case STATE_DISCARD:
        t->interval = 500;
        break;
    case STATE_DICE:
        t->interval = 10;
        break;
    default:
        t->interval = 50;
        break;
    }
    t->SetEnabled(true);
}
