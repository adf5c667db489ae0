#include "tests/kit/TableDriver.h"

#include "platform/SurfacePng.h"
#include "platform/TestClock.h"
#include "screen/Device.h"
#include "table/CMj.h"
#include "tests/kit/LocalRobot.h"

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

// The table's share of the mouse, as the game's input routing gives it to the hand: hovering
// raises a tile while the local player may discard, a press discards the raised tile, and a right
// press discards the drawn tile (or passes while the claim prompt is up).
void TableDriver::Move(int x, int y)
{
    CMjPlayer &me = mj_.player[0];
    if (mj_.gamestatus == 2 || !mj_.cansave)
        return;
    if (mj_.draw.HoverHand(x, y, &me))
        mj_.Paint();
}

void TableDriver::Click(int x, int y)
{
    Move(x, y);
    mj_.PlayHighlighted();
}

void TableDriver::RightClick(int, int)
{
    CMjPlayer &me = mj_.player[0];
    const bool passShown = mj_.buttons.shown && mj_.buttons.pass;
    if (me.drawflag && !passShown) {
        me.hoverindex = me.cardnum;
        mj_.PlayHighlighted();
    } else if (passShown) {
        mj_.Pass(0);
    }
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
