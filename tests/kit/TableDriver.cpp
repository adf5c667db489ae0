#include "tests/kit/TableDriver.h"

#include "platform/Gbk.h"
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
    return Run(holds, maxTicks, true);
}

bool TableDriver::Run(const std::function<bool(CMj &)> &holds, int maxTicks, bool seat0Plays)
{
    for (int tick = 0; tick < maxTicks; ++tick) {
        if (holds(mj_))
            return true;
        if (!(seat0Plays && LocalRobot::Act(mj_)) && !clock_.Step())
            break;
    }
    return holds(mj_);
}

void TableDriver::Advance(unsigned ms)
{
    clock_.Advance(ms);
}

bool TableDriver::RunUntilSeat0(int maxTicks)
{
    return Run([](CMj &mj) { return mj.gamestatus == 2 || LocalRobot::Next(mj).kind != LocalInput::None; }, maxTicks,
               false);
}

void TableDriver::Move(int x, int y)
{
    mj_.OnMouseMove(x, y);
}

void TableDriver::Click(int x, int y)
{
    mj_.OnMouseMove(x, y);
    mj_.OnMouseDown(x, y, false);
    mj_.OnMouseUp(x, y);
}

void TableDriver::Press(const CBitForm &screen, int button)
{
    const CBitButton &b = *screen.buttons.Get(button);
    Click(b.x + b.GetWidth() / 2, b.y + b.GetHeight() / 2);
}

void TableDriver::RightClick(int x, int y)
{
    mj_.OnMouseDown(x, y, true);
    mj_.OnMouseUp(x, y);
}

void TableDriver::Key(int key)
{
    mj_.OnKeyDown(key);
    // The character a key types comes after its code; Tab's when it is let go.
    if (key == KeyBackspace || key == KeyEnter || key == KeyEsc || key == KeySpace)
        mj_.OnKeyPress(static_cast<uint8_t>(key));
    mj_.OnKeyUp(key);
    if (key == KeyTab)
        mj_.OnKeyPress(KeyTab);
}

void TableDriver::Type(const std::string &utf8)
{
    for (char byte : Utf8ToGbk(utf8))
        mj_.OnKeyPress(static_cast<uint8_t>(byte));
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
    for (const char *name : {"Graphic", "Wave", "ad", "male.gif", "female.gif", "Chat.txt", "Dirconfig.ini", "level.txt"}) {
        std::error_code ec;
        if (std::filesystem::exists(data / name, ec))
            std::filesystem::create_symlink(std::filesystem::absolute(data / name), folder / name, ec);
    }
}
