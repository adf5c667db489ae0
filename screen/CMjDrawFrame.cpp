// One frame of the game screen, composed from nothing into `lpDDSBack` in a fixed order.
#include "platform/SurfaceText.h"
#include "screen/CMjDraw.h"
#include "screen/Device.h"
#include "screen/FrameBlend.h"
#include "screen/SharedSprites.h"
#include "table/CMj.h"
#include "windows/CBitButtonArray.h"
#include "windows/CBitForm.h"
#include "windows/CChooseNetForm.h"
#include "windows/CDxChatWnd.h"
#include "windows/CDxEdit.h"
#include "windows/CHelpForm.h"
#include "windows/CInfoForm.h"
#include "windows/CInputNameDlg.h"
#include "windows/CInviteForm.h"
#include "windows/CInviteMessage.h"
#include "windows/CLoginForm.h"
#include "windows/CModeForm.h"
#include "windows/CNewGameDlg.h"
#include "windows/CRegForm.h"
#include "windows/CScoreForm.h"
#include "windows/CSetForm.h"
#include "windows/CShowMessageForm.h"
#include "windows/CWelComForm.h"
#include "windows/Screens.h"

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

namespace {

void DrawScreen(CBitForm *screen)
{
    if (screen)
        screen->Draw();
}

} // namespace

void CMjDraw::DrawScreens(CMj &mj, const uint8_t *wallstack)
{
    switch (curscreen) {
    case SCREEN_SCORE:
        DrawTable(mj, wallstack);
        Dim(100);
        DrawScreen(scoreform);
        return;
    case SCREEN_OPTIONS:
        // From the title menu the options stand over the dimmed menu, from the table over the table.
        if (setformfrom == SCREEN_MENU) {
            DrawScreen(modeform);
            Dim(150);
        } else {
            DrawTable(mj, wallstack);
            Dim(100);
        }
        DrawScreen(setform);
        return;
    case SCREEN_SLOTS:
        DrawScreen(welcomform);
        return;
    case SCREEN_NEWGAME:
        DrawScreen(welcomform);
        DrawScreen(newgamedlg);
        return;
    case SCREEN_NAME:
        DrawTable(mj, wallstack);
        DrawScreen(inputnamedlg);
        return;
    case SCREEN_INVITE:
        DrawTable(mj, wallstack);
        DrawScreen(inviteform);
        return;
    case SCREEN_LOBBY:
        DrawScreen(netroom);
        return;
    case SCREEN_MENU:
        DrawScreen(modeform);
        return;
    case SCREEN_LOGIN:
        DrawScreen(loginform);
        return;
    case SCREEN_REGISTER:
        DrawScreen(regform);
        return;
    case SCREEN_HELP:
        DrawScreen(helpform);
        return;
    case SCREEN_SERVERS:
        DrawScreen(choosenetform);
        return;
    default:
        DrawTable(mj, wallstack);
        for (const CDxLinkLabel &label : mj.linklabels)
            label.Draw();
        if (ButtonShown(27))
            DrawGameMenu();
        return;
    }
}

bool CMjDraw::ButtonShown(int index) const
{
    const CBitButton *button = buttons ? buttons->Get(index) : nullptr;
    return button && button->visible;
}

void CMjDraw::DrawGameMenu()
{
    Dim(100);
    DrawSprite(sprites::popup, 264, 96);
    for (int index = 27; index <= 30; ++index)
        if (CBitButton *button = buttons->Get(index))
            button->Draw();
}

void CMjDraw::DrawWidgets(CMj &mj)
{
    if (mj.chatedit)
        mj.chatedit->Draw();
    if (buttons)
        buttons->DrawAll();
    if (mj.chatwnd[0])
        mj.chatwnd[0]->Draw(180);
    if (mj.chatwnd[1])
        mj.chatwnd[1]->Draw(100);
}

void CMjDraw::DrawChowChoices(CMj &mj)
{
    if (!ButtonShown(35))
        return;
    const CMjPlayer &me = mj.player[0];
    const int n = std::clamp(me.chinum, 0, 3);
    const int x0 = (width - (122 * n + 122)) / 2;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < 3; ++i)
            DrawSmallTile(me.chichoice[j].tiles[i], x0 + 122 * j + 25 * i + 20, 420, false);
}

void CMjDraw::DrawHints(CMj &mj)
{
    if (!mj.ShowTips)
        return;
    const bool passShown = ButtonShown(3);
    if (mj.discardhint)
        BlendSprite(sprites::tips[0], 269, 170, 220);
    if (passShown)
        BlendSprite(sprites::tips[1], 25, 384, 220);
    else if (mj.secondhint)
        BlendSprite(sprites::tips[2], 268, 374, 220);
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
    DrawAvatars(mj);
    DrawDiscards(mj);
    DrawWalls(wallstack);
    DrawNames(mj);
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
    DrawWidgets(mj);

    if (mj.markertimeron && mj.markerframe >= 0 && mj.markerframe < 12 && mj.markerseat >= 0 && mj.markerseat <= 3) {
        Point at = mj.markerseat == 0 ? Point{720, 520} : drawtarget[mj.markerseat];
        at.x = std::max(at.x, 20);
        DrawSprite(effect[mj.markerframe], at.x - 20, at.y - 20);
    }

    DrawChowChoices(mj);
    DrawHints(mj);
    DrawToolTip();
}
