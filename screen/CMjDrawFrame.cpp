// One frame of the game screen, composed from nothing into `lpDDSBack` in a fixed order.
#include "platform/SurfaceText.h"
#include "screen/CMjDraw.h"
#include "screen/Device.h"
#include "screen/FrameBlend.h"
#include "screen/SharedSprites.h"
#include "table/CMj.h"

#include <algorithm>

namespace {

constexpr Point kCentre{347, 241};
constexpr Point kWindSign[4] = {{63, 544}, {710, 201}, {190, 33}, {32, 201}};
constexpr Point kFlowerCounter[4][3] = {
    {{98, 565}, {119, 572}, {136, 572}},
    {{703, 319}, {724, 326}, {741, 326}},
    {{139, 38}, {160, 45}, {177, 45}},
    {{26, 319}, {47, 326}, {64, 326}},
};
constexpr Point kSparkle[4] = {{139, 563}, {716, 386}, {550, 80}, {60, 386}};
constexpr int kSignCells = 4;

// A cell of a picture made of equal cells side by side.
Rect CellOf(const Sprite &sprite, int cells, int index)
{
    const int w = sprite.rect.Width() / cells;
    return {index * w, 0, (index + 1) * w, sprite.rect.Height()};
}

} // namespace

void CMjDraw::Dim(int alpha)
{
    GAlphaBlend(sprites::black.surface.get(), 0, 0, 0, 0, width, height, alpha);
}

void CMjDraw::DrawAll(CMj *mj, const uint8_t *wallstack)
{
    if (!lpDDSBack || !mj)
        return;
    DrawScreens(*mj, wallstack);
}

void CMjDraw::DrawScreens(CMj &mj, const uint8_t *wallstack)
{
    DrawTable(mj, wallstack);
}

void CMjDraw::DrawSeatSigns(CMj &mj)
{
    for (int seat = 0; seat < 4; ++seat)
        if (SeatShown(mj, seat))
            DrawSprite(chouma, chipplate[seat].x, chipplate[seat].y);
    for (int seat = 0; seat < 4; ++seat) {
        const int wind = mj.player[seat].seatwind;
        if (wind >= 1 && wind <= 4 && this->wind.surface)
            lpDDSBack->Blit(kWindSign[seat].x, kWindSign[seat].y, *this->wind.surface, CellOf(this->wind, kSignCells, wind - 1),
                            true);
    }
    for (int seat : {3, 2, 1, 0}) {
        if (!SeatShown(mj, seat))
            continue;
        // The digit pictures end at 8, as many flowers as there are.
        const int count = std::clamp(mj.player[seat].flowernum, 0, kFlowerPictures - 3);
        const int pictures[3] = {0, 1, 2 + count};
        for (int k = 0; k < 3; ++k)
            DrawSprite(flower[pictures[k]], kFlowerCounter[seat][k].x, kFlowerCounter[seat][k].y);
    }
}

void CMjDraw::DrawMovingThing()
{
    switch (animkind) {
    case AnimChip:
        DrawSprite(sprites::chouma1, pos.x, pos.y);
        break;
    case AnimTile:
        if (discardseat == 0)
            DrawSmallTile(flytile, pos.x, pos.y, false);
        else
            DrawSeatTile(discardseat, flytile, pos.x, pos.y, false);
        break;
    case AnimWallTile:
        DrawSprite(wallpic[flightvertical ? 1 : 0], pos.x, pos.y);
        break;
    default:
        break;
    }
}

void CMjDraw::DrawToolTip()
{
    if (tooltiptext.empty())
        return;
    const Point at = tooltippoint;
    BlendSprite(sprites::hint, at.x, at.y, 160);
    DrawSurfaceText(*lpDDSBack, tooltiptext, {at.x + 20, at.y + 8, at.x + 113, at.y + 28}, TextCentre, TextStyle{});
}

void CMjDraw::DrawTable(CMj &mj, const uint8_t *wallstack)
{
    if (room.surface)
        lpDDSBack->Blit(0, 0, *room.surface, room.rect, false);
    else
        lpDDSBack->Fill({0, 0, width, height}, 0);
    DrawSprite(center, kCentre.x, kCentre.y);
    DrawSeatSigns(mj);
    if (mj.gamestatus == 1 && animkind != AnimDice && !diceshown && mj.curplayer >= 0 && mj.curplayer <= 3)
        DrawSprite(turnpointer[mj.curplayer], kCentre.x, kCentre.y);

    DrawReadySigns(mj);
    DrawAvatarsAndNames(mj);
    DrawDiscards(mj);
    DrawWalls(wallstack);
    DrawLocalMelds(mj);
    DrawDice();
    DrawLocalName(mj);
    DrawScores(mj);

    if (mj.sparkleframe >= 0 && mj.sparkleframe < kSignCells && sprites::sparkling.surface)
        for (int seat = 0; seat < 4; ++seat)
            if (mj.player[seat].seated && mj.player[seat].marklevel >= 1)
                lpDDSBack->Blit(kSparkle[seat].x, kSparkle[seat].y, *sprites::sparkling.surface,
                                CellOf(sprites::sparkling, kSignCells, mj.sparkleframe), true);

    DrawTopHand(mj);
    DrawRightHand(mj);
    DrawLeftHand(mj);
    DrawLocalHand(mj);
    DrawDiscardFrames(mj);
    DrawClaimSigns(mj);
    DrawReadyMarks(mj);
    DrawMovingThing();
    DrawWildTile(mj);
    DrawCountdown(mj);

    if (mj.markertimeron && mj.markerframe >= 0 && mj.markerframe < 12 && mj.markerseat >= 0 && mj.markerseat <= 3) {
        Point at = mj.markerseat == 0 ? Point{720, 520} : drawtarget[mj.markerseat];
        at.x = std::max(at.x, 20);
        DrawSprite(effect[mj.markerframe], at.x - 20, at.y - 20);
    }

    if (mj.ShowTips) {
        const bool passShown = mj.buttons.shown && mj.buttons.pass;
        if (mj.discardhint)
            BlendSprite(sprites::tips[0], 269, 170, 220);
        if (passShown)
            BlendSprite(sprites::tips[1], 25, 384, 220);
        else if (mj.secondhint)
            BlendSprite(sprites::tips[2], 268, 374, 220);
    }
    DrawToolTip();
}
