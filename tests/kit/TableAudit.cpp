#include "tests/kit/TableAudit.h"

#include "platform/TimerService.h"
#include "table/CMj.h"
#include "table/TileCount.h"

int TableAudit::CountTiles(const CMj &mj)
{
    int total = TileCount::WallLeft(mj.mjindex);
    for (const CMjPlayer &p : mj.player) {
        total += TileCount::OfSeat(p.cardnum, p.drawflag, p.getmj, p.getnum, p.outnum, p.flowernum);
        if (p.hasplayed)
            total++; // discarded, not yet landed or claimed
    }
    // A ready player's drawn tile is held up a moment, out of the wall and not yet in the hand.
    if (TimerService::Current().IsRunning(TIMER_READYDRAW))
        total++;
    // A drawn tile flying from the wall has left the wall and is in no hand yet.
    if (TimerService::Current().IsRunning(TIMER_FLIGHT))
        total++;
    return total;
}

std::vector<std::string> TableAudit::Check(const CMj &mj) const
{
    std::vector<std::string> broken;
    int tiles = CountTiles(mj);
    if (tiles != MJ_TOTAL)
        broken.push_back("tiles accounted: " + std::to_string(tiles));
    for (int suit = 0; suit < 5; suit++)
        for (int value = 0; value < 10; value++)
            if (mj.seenmj[suit][value] > 4 || mj.seenmj[suit][value] < 0)
                broken.push_back("seen " + std::to_string(value) + "/" + std::to_string(suit) + ": " +
                                 std::to_string(mj.seenmj[suit][value]));
    int scores = 0;
    for (int seat = 0; seat < 4; seat++) {
        const CMjPlayer &p = mj.player[seat];
        scores += p.score;
        if (p.ishu || mj.curplayer < 0 || mj.gamestatus != 1)
            continue; // the deal is still counting tiles in, or the hand is over
        int held = TileCount::Held(p.cardnum, p.drawflag, p.getnum);
        bool holdsTurnTile = held == 14 && seat == mj.curplayer && !p.hasplayed;
        if (held != 13 && !holdsTurnTile)
            broken.push_back("seat " + std::to_string(seat) + " holds " + std::to_string(held));
    }
    if (scores != scoreTotal_)
        broken.push_back("scores sum to " + std::to_string(scores));
    return broken;
}
