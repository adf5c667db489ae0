#include "screen/CMjDraw.h"

#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/TimerService.h"
#include "screen/ColorTables.h"
#include "screen/Device.h"
#include "screen/FrameBlend.h"
#include "screen/SharedSprites.h"
#include "screen/SurfaceCache.h"
#include "windows/CBitButtonArray.h"
#include "windows/CBitForm.h"
#include "windows/CHelpForm.h"
#include "windows/CInfoForm.h"
#include "windows/CInviteForm.h"
#include "windows/CInviteMessage.h"
#include "windows/CShowMessageForm.h"
#include "windows/Screens.h"

int tophandy = 50;
std::string tooltiptext;
std::string avatarname[4];
int wallflightside = 0;
int discardseat = 0;

namespace {

constexpr int kBannerSteps = 40;
constexpr unsigned kBannerStepMs = 50;
constexpr int kTopPlateX = 222, kTopPlateY = 18;
constexpr int kClaimRowX = 259, kClaimRowY = 382, kClaimStep = 50;

// The renderer goes before the program ends: its pictures leave the surface table with it.
void Drop(SurfaceSlot &slot)
{
    ForgetSurface(slot);
    GReleaseSurface(slot);
}

} // namespace

CMjDraw::CMjDraw()
{
    lpDD = nullptr;
    lpDDSPrimary = nullptr;
    lpDDSBack.reset();
    tophandy = 50;
    ClearGrid();
    for (std::string &name : avatarname)
        name.clear();
}

CMjDraw::~CMjDraw()
{
    if (!lpDD)
        return;
    lpDDSPrimary = nullptr;
    lpDDSBack.reset();
    lpDDSSame.reset();
    ReleasePictures();
    lpDD = nullptr;
}

void CMjDraw::WriteSettings(Profile::Edit &ini) const
{
    ini.Set("Window", "Style", "0");
}

void CMjDraw::SetGame(CMj *owner, std::function<void()> paint)
{
    game = owner;
    paint_ = std::move(paint);
}

void CMjDraw::Refresh()
{
    if (paint_)
        paint_();
}

void CMjDraw::Banner()
{
    if (!lpDDSBack)
        return;
    Sprite logo;
    GLoadSurface(Paths::ProgramFolder() + "/Graphic\\Logo.bmp", logo.surface, logo.rect, false);
    int w = logo.rect.Width();
    int h = logo.rect.Height();
    for (int step = 0; step < kBannerSteps; ++step) {
        lpDDSBack->Fill({0, 0, width, height}, 0xFFFF);
        GAlphaBlend(logo.surface.get(), (width - w) / 2, (height - h) / 2, 0, 0, w, h, step * 6);
        DrawFullScreen();
        TimerService::Current().Sleep(kBannerStepMs);
    }
}

void CMjDraw::InitLayout()
{
    const int W = width;
    const int H = height;
    const int ow = owncell.width;
    const int oh = owncell.height;
    const int cw = wallpic[0].rect.Width(); // "cc2"
    const int ch = wallpic[0].rect.Height();
    const int pw = pung.rect.Width();
    const int ph = pung.rect.Height();
    const int lw = seatback[2].rect.Width(); // "djlq"
    const int sw = seatback[3].rect.Width(); // "sjcm"

    const int sideWallY = (H - 255 - ch - 5) / 2 - 15;
    wallorigin[0] = {(W - 18 * cw) / 2, 438};
    wallorigin[1] = {600, sideWallY};
    wallorigin[2] = {(W - 18 * cw) / 2, 105};
    wallorigin[3] = {180, sideWallY};

    seatpoint[0] = {(W - ow) / 2, H - 55 - 2 * oh - 20};
    seatpoint[1] = {W - 70 - sw - ow - 50, (H - oh) / 2};
    seatpoint[2] = {(W - ow) / 2, tophandy + oh};
    seatpoint[3] = {sw + 120, (H - oh) / 2};

    handanchor = {698, H - 55 - oh};

    // The bottom sign subtracts the picture's width, not its height.
    actionpoint[0] = {(W - pw) / 2, H - 55 - oh - pw - 10};
    actionpoint[1] = {W - (lw + 50) - pw, (H - ph) / 2};
    actionpoint[2] = {(W - pw) / 2, tophandy + 10};
    actionpoint[3] = {lw / 2 + 50, (H - ph) / 2};

    chipplate[0] = {2, 569};
    chipplate[1] = {700, 287};
    // The top seat's plate stands above its hand, clear of the top wall that would cover it lower.
    chipplate[2] = {kTopPlateX, kTopPlateY};
    chipplate[3] = {21, 287};

    dicestart[0] = {(W - 73) / 2, wallorigin[0].y - 10};
    dicestart[1] = {wallorigin[1].x - 40, (H - 73) / 2};
    dicestart[2] = {(W - 73) / 2, wallorigin[2].y + 40};
    dicestart[3] = {wallorigin[3].x + 40, (H - 73) / 2};

    gridrows = 14;
    gridcols = 6;

    if (!buttons)
        return;
    // Buttons 5 and 14 are never placed.
    const struct {
        int index, x, y;
    } places[] = {
        {4, 472, 378},  {6, 10, 0},     {7, 48, 0},     {8, 86, 0},     {9, 756, 3},    {10, 712, 10},
        {11, 380, H - 55 - oh - 50},    {13, 200, 378}, {15, 351, 481}, {16, 704, 550}, {17, 623, 564},
        {18, 612, 567}, {19, 612, 567}, {20, 710, 3},   {21, 575, 563}, {23, 200, 378}, {24, 340, 378},
        {25, 400, 378}, {26, 716, 20},  {27, 302, 198}, {28, 302, 310}, {29, 302, 253}, {30, 302, 366},
        {31, 150, 340}, {32, 150, 360}, {33, 150, 380}, {34, 150, 400}, {35, 150, 420},
    };
    for (const auto &place : places)
        buttons->SetPos(place.index, place.x, place.y);
    // The claim prompt is one row, the winning button its last, ending short of the right seat's first
    // row of discards and below its second: all six stand whenever the prompt does, and none may hide
    // that seat's discards, its wall or its hand.
    const int claimRow[] = {3, 12, 0, 1, 22, 2}; // pass, chow, pung, kong, ready, win
    for (int k = 0; k < 6; ++k)
        buttons->SetPos(claimRow[k], kClaimRowX + k * kClaimStep, kClaimRowY);
}

void CMjDraw::ReleasePictures()
{
    for (Sprite *group : {&chouma, &zjzl, &dice, &room, &state, &gbmj, &dzmj, &vidi, &pung, &kong, &win, &dianpao,
                          &chiact, &center, &center6, &zmp, &avatarnone, &offline, &kaishi, &shuzi, &deskmj, &newpan,
                          &newposition, &newwind, &newnum, &newbanker, &pai, &mj, &szds, &cursor, &quan, &wind,
                          &windpe, &windpn, &windpw, &sprites::black, &sprites::popup, &sprites::sparkling,
                          &sprites::hint, &sprites::chouma1, &sprites::pan, &sprites::handback, &sprites::hand,
                          &sprites::chupaikuang, &sprites::level})
        Drop(group->surface);
    for (auto *array : {seatback, wallpic, wallsheet, avatar, turnpointer})
        for (int i = 0; i < 4; ++i)
            Drop(array[i].surface);
    for (Sprite &s : effect)
        Drop(s.surface);
    for (Sprite &s : flower)
        Drop(s.surface);
    for (Sprite &s : sprites::tips)
        Drop(s.surface);
}

DrawResult CMjDraw::DrawFullScreen()
{
    if (!lpDDSPrimary || !lpDDSBack)
        return DrawResult::Failed;
    if (windowed && !backinscreenformat && lpDDSSame) {
        GCopySurfacePixels(lpDDSSame.get());
        return lpDDSPrimary->Present(*lpDDSSame);
    }
    return lpDDSPrimary->Present(*lpDDSBack);
}

void CMjDraw::Render(CMj *mj, const uint8_t *wallstack)
{
    if (!lpDDSBack)
        return;
    // A lost surface is restored and the frame composed again once; a frame lost twice is dropped.
    for (int attempt = 0; attempt < 2; ++attempt) {
        DrawAll(mj, wallstack);
        if (infoformon && infoform) {
            infoform->Draw();
            showmsgon = 0;
            invitemsgon = 0;
        }
        if (showmsgon && showmessageform) {
            Dim(100);
            showmessageform->Draw();
        }
        if (invitemsgon && invitemessage)
            invitemessage->Draw();
        if (DrawFullScreen() != DrawResult::Lost)
            return;
        if (attempt > 0 || RestoreSurfaces() != DrawResult::Ok)
            return;
    }
}

DrawResult CMjDraw::RestoreSurfaces()
{
    if (!lpDDSPrimary || !lpDDSBack)
        return DrawResult::Failed;
    DrawResult result = lpDDSPrimary->Restore();
    if (result == DrawResult::Ok)
        result = lpDDSBack->Restore();
    return result;
}
