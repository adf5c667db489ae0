// The local player's hand: its drawing with the raised tile and its tool-tip, and where the mouse
// is over it.
#include "screen/CMjDraw.h"
#include "screen/Device.h"
#include "screen/SharedSprites.h"
#include "table/CMj.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kRaise = 15;
constexpr int kDrawnGap = 20;
constexpr Point kHandAnimation{673, 361};
constexpr int kHandFrameWidth = 114;

std::string TileName(MjTile tile)
{
    static const char *const kHonours[7] = {"East Wind", "South wind", "West wind", "North wind",
                                            "Red dragon", "Green dragon", "White Dragon"};
    switch (tile.suit) {
    case SUIT_WAN: return "Character " + std::to_string(tile.value);
    case SUIT_TIAO: return "Bamboo " + std::to_string(tile.value);
    case SUIT_BING: return "Circle " + std::to_string(tile.value);
    case SUIT_ZI: return tile.value >= 1 && tile.value <= 7 ? kHonours[tile.value - 1] : "Wind ";
    default: return "Flower ";
    }
}

bool IsWild(MjTile tile)
{
    return IsSameOrFlower(tile, wildmj);
}

} // namespace

int CMjDraw::HandLeft(const CMjPlayer &p, bool ended) const
{
    int left = handanchor.x - owncell.width * p.cardnum - kDrawnGap;
    // A won hand whose winning tile has joined it shifts right by one tile.
    return ended && p.ishu ? left + owncell.width : left;
}

void CMjDraw::DrawLocalHand(CMj &mj)
{
    const CMjPlayer &p = mj.player[0];
    const int ow = owncell.width;
    const int y = handanchor.y;
    const int x0 = HandLeft(p, mj.gamestatus != 1 && !p.drawflag);
    const int count = std::clamp(p.cardnum, 0, 14);
    tooltiptext.clear();
    if (mj.handtimeron)
        DrawSprite(sprites::handback, kHandAnimation.x, kHandAnimation.y);

    const bool byFlags = mj.handmode == 2;
    const bool marking = p.markmode && !byFlags;
    // How tile i (count: the drawn tile) is drawn; the raised one sets the tool-tip.
    auto drawTile = [&](int i, MjTile tile, int x) {
        const bool raised = i == p.hoverindex || (marking && i == p.markindex);
        const int ty = raised ? y - kRaise : y;
        bool shaded;
        if (byFlags)
            shaded = !p.tileok2[i];
        else
            shaded = !p.tileok[i] || IsWild(tile) || (raised && p.shadeplayed);
        if (shaded)
            DrawOwnTileShaded(tile, x, ty, true);
        else
            DrawOwnTile(tile, x, ty, true);
        if (i == p.hoverindex && !byFlags && !marking) {
            tooltiptext = TileName(tile);
            tooltippoint = {x - 40, y - 50};
        }
    };
    for (int i = 0; i < count; ++i)
        drawTile(i, p.Mj[i], x0 + ow * i);
    if (marking)
        return;
    if (p.ishu && !showall)
        DrawSeatTile(0, p.humj, x0 + ow * count + 10, y + owncell.height - wallcell[0].height, false);
    else if (p.drawflag)
        drawTile(count, p.drawmj, x0 + ow * count + kDrawnGap);
    drawtarget[0] = {x0 + ow * (count + 1), y};
    if (mj.handtimeron && sprites::hand.surface) {
        const int f = std::max(mj.handframe, 0);
        lpDDSBack->Blit(kHandAnimation.x, kHandAnimation.y, *sprites::hand.surface,
                        {f * kHandFrameWidth, 0, (f + 1) * kHandFrameWidth, sprites::hand.rect.Height()}, true);
    }
}

int CMjDraw::TileUnder(int x, int y, const CMjPlayer &p, int left) const
{
    const int ow = owncell.width;
    const int row = handanchor.y;
    if (ow <= 0 || y < row - kRaise || y >= row + owncell.height)
        return -1;
    const int handRight = left + ow * p.cardnum;
    if (x >= left && x < handRight)
        return (x - left) / ow;
    const int drawnLeft = handRight + kDrawnGap;
    if (p.drawflag && x >= drawnLeft && x < drawnLeft + ow)
        return p.cardnum;
    return -1;
}

Point CMjDraw::HandTileCentre(const CMjPlayer &p, int index) const
{
    const int left = HandLeft(p, game && game->gamestatus == 2);
    const int x = left + owncell.width * index + (index == p.cardnum ? kDrawnGap : 0);
    return {x + owncell.width / 2, handanchor.y + owncell.height / 2};
}

bool CMjDraw::HitTestHand(int x, int y, CMjPlayer *player)
{
    CMjPlayer &p = *player;
    const int row = handanchor.y;
    const int i = TileUnder(x, y, p, HandLeft(p, game && game->gamestatus == 2));
    if (i < 0)
        return false;
    if (game && game->handmode == 2)
        return true;
    if (i == p.hoverindex) {
        if (y > row + owncell.height - kRaise)
            return false;
        p.hoverindex = -1;
        return true;
    }
    if (y < row)
        return false;
    p.hoverindex = i;
    return true;
}

bool CMjDraw::HoverHand(int x, int y, CMjPlayer *player)
{
    CMjPlayer &p = *player;
    const int row = handanchor.y;
    const int i = TileUnder(x, y, p, HandLeft(p, game && game->gamestatus == 2));
    const bool above = y < row;
    if (i >= 0 && i < p.cardnum) {
        if (!p.tileok[i] || IsWild(p.Mj[i])) {
            p.hoverindex = -1;
            return true;
        }
        if (p.hoverindex < 0) {
            if (above)
                return false;
            p.hoverindex = i;
            return true;
        }
        if (i == p.hoverindex)
            return false;
        p.hoverindex = above ? -1 : i;
        return true;
    }
    if (i == p.cardnum) {
        if (p.hoverindex >= 0) {
            if (p.hoverindex == p.cardnum || above)
                return false;
            p.hoverindex = p.cardnum;
            return true;
        }
        if (above)
            return false;
        if (IsWild(p.drawmj)) {
            p.hoverindex = -1;
            return false;
        }
        p.hoverindex = p.cardnum;
        return true;
    }
    if (p.hoverindex < 0)
        return false;
    p.hoverindex = -1;
    return true;
}
