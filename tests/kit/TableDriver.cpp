#include "tests/kit/TableDriver.h"

#include "platform/Gbk.h"
#include "platform/SurfacePng.h"
#include "platform/TestClock.h"
#include "screen/Device.h"
#include "table/CMj.h"
#include "tests/kit/LocalRobot.h"
#include "windows/CChooseNetForm.h"
#include "windows/CDxEdit.h"
#include "windows/CLoginForm.h"
#include "windows/CRegForm.h"

#include <sstream>

void TableDriver::NewGame()
{
    mj_.NewLocalGame();
}

bool TableDriver::Holds(const CMj &mj, Moment moment)
{
    CMj &game = const_cast<CMj &>(mj);
    switch (moment) {
    case Moment::LocalTurn:
        return mj.gamestatus == 1 && mj.curplayer == 0 && mj.cansave && !mj.claimbuttonsup && LocalRobot::GameWaits(game);
    case Moment::Claim:
        return mj.gamestatus == 1 && mj.claimbuttonsup && LocalRobot::GameWaits(game);
    case Moment::HandEnd:
        return mj.gamestatus == 2;
    case Moment::Dice:
        return mj.draw.animkind == CMjDraw::AnimDice;
    case Moment::Deal:
        return mj.gamestatus == 1 && mj.gamestate == STATE_DEAL && mj.mjindex >= 0 && mj.curplayer < 0;
    case Moment::Flight:
        return mj.draw.animkind != CMjDraw::AnimNone && mj.draw.animkind != CMjDraw::AnimDice;
    case Moment::Idle:
        return LocalRobot::GameWaits(game) && mj.draw.animkind == CMjDraw::AnimNone;
    }
    return false;
}

bool TableDriver::RunUntil(Moment moment, int maxTicks)
{
    return RunUntil([moment](const CMj &mj) { return Holds(mj, moment); }, maxTicks);
}

bool TableDriver::RunUntil(const std::function<bool(const CMj &)> &holds, int maxTicks)
{
    for (int tick = 0; tick < maxTicks; ++tick) {
        if (holds(mj_))
            return true;
        if (!LocalRobot::Act(mj_) && !clock_.Step())
            break;
    }
    return holds(mj_);
}

void TableDriver::Advance(unsigned ms)
{
    clock_.Advance(ms);
}

// Input reaches the table as the game routes it when no screen is up: the table's buttons first;
// hovering raises a tile while the local player may discard and a press discards the raised tile;
// a right press discards the drawn tile, or passes while the claim prompt is up; Esc and the menu
// button open and close the game menu; typed characters go to the chat input in an online game.
// The screens of online play take the mouse and the keys while they are on top.
namespace {

CBitForm *OnlineScreenOnTop()
{
    switch (curscreen) {
    case SCREEN_LOGIN:
        return loginform;
    case SCREEN_REGISTER:
        return regform;
    case SCREEN_SERVERS:
        return choosenetform;
    default:
        return nullptr;
    }
}

// A typed character for the login or the registration screen; false when neither is on top.
bool KeyToScreen(uint8_t key)
{
    if (curscreen == SCREEN_LOGIN)
        loginform->KeyPress(key);
    else if (curscreen == SCREEN_REGISTER)
        regform->KeyPress(key);
    else
        return false;
    return true;
}

constexpr int kMenuButton = 16;
constexpr int kResumeButton = 30;

void ToggleMenu(CMj &mj, bool open)
{
    for (int index = 27; index <= 30; ++index)
        mj.tablebuttons.Get(index)->visible = open;
    mj.Paint();
}

bool MenuOpen(CMj &mj)
{
    return mj.tablebuttons.Get(27)->visible;
}

} // namespace

void TableDriver::Move(int x, int y)
{
    if (CBitForm *screen = OnlineScreenOnTop()) {
        screen->MouseMove(x, y);
        return;
    }
    if (mj_.tablebuttons.MouseMove(x, y) >= 0)
        mj_.Paint();
    CMjPlayer &me = mj_.player[0];
    if (curscreen != SCREEN_NONE || mj_.gamestatus == 2 || !mj_.cansave)
        return;
    if (mj_.draw.HoverHand(x, y, &me))
        mj_.Paint();
}

void TableDriver::Click(int x, int y)
{
    Move(x, y);
    if (CBitForm *screen = OnlineScreenOnTop()) {
        screen->MouseDown(x, y);
        screen->MouseUp(x, y);
        return;
    }
    if (mj_.tablebuttons.MouseDown(x, y) >= 0) {
        mj_.Paint();
        const int released = mj_.tablebuttons.MouseUp(x, y);
        if (released == kMenuButton)
            ToggleMenu(mj_, !MenuOpen(mj_));
        else if (released == kResumeButton)
            ToggleMenu(mj_, false);
        else
            mj_.Paint();
        return;
    }
    if (MenuOpen(mj_)) {
        ToggleMenu(mj_, false);
        return;
    }
    mj_.PlayHighlighted();
}

void TableDriver::RightClick(int, int)
{
    CMjPlayer &me = mj_.player[0];
    const bool passShown = mj_.tablebuttons.Get(3)->visible;
    if (me.drawflag && !passShown) {
        me.hoverindex = me.cardnum;
        mj_.PlayHighlighted();
    } else if (passShown && mj_.tablebuttons.Get(3)->enabled) {
        mj_.Pass(0);
    }
}

void TableDriver::KeyDown(int key)
{
    if ((key == KeyTab || key == KeyEnter) && KeyToScreen(static_cast<uint8_t>(key)))
        return;
    if (curscreen == SCREEN_NONE && key == KeyEsc)
        ToggleMenu(mj_, !MenuOpen(mj_));
}

void TableDriver::Type(const std::string &utf8)
{
    if (curscreen == SCREEN_LOGIN || curscreen == SCREEN_REGISTER) {
        for (char byte : Utf8ToGbk(utf8))
            KeyToScreen(static_cast<uint8_t>(byte));
        return;
    }
    if (curscreen != SCREEN_NONE || !mj_.netgame || !mj_.chatedit)
        return;
    for (char byte : Utf8ToGbk(utf8))
        if (byte != KeyEnter)
            mj_.chatedit->KeyPress(static_cast<uint8_t>(byte));
    mj_.Paint();
}

bool TableDriver::Shot(const std::string &path) const
{
    return lpDDSBack && SaveSurfacePng(*lpDDSBack, path);
}

std::string TableDriver::StateLine() const
{
    std::ostringstream line;
    line << "curplayer=" << mj_.curplayer << " cardnum=" << mj_.player[0].cardnum << " outnum=";
    for (int seat = 0; seat < 4; ++seat)
        line << (seat ? "," : "") << mj_.player[seat].outnum;
    line << " gamestatus=" << int(mj_.gamestatus);
    return line.str();
}

void TableDriver::LinkGeneratedData(const std::filesystem::path &folder, const std::filesystem::path &data)
{
    for (const char *name : {"Graphic", "Wave", "male.gif", "female.gif", "Chat.txt", "Dirconfig.ini", "level.txt"}) {
        std::error_code ec;
        if (std::filesystem::exists(data / name, ec))
            std::filesystem::create_symlink(std::filesystem::absolute(data / name), folder / name, ec);
    }
}
