#include "screen/CMjDraw.h"

#include "screen/ColorTables.h"
#include "screen/Device.h"
#include "screen/SharedSprites.h"
#include "screen/SurfaceCache.h"

CMjDraw::CMjDraw()
{
    lpDD = nullptr;
    lpDDSPrimary = nullptr;
    lpDDSBack.reset();
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

void CMjDraw::SetGame(CMj *owner, std::function<void()> paint)
{
    game = owner;
    paint_ = std::move(paint);
}

void CMjDraw::ReleasePictures()
{
    for (Sprite *group : {&chouma, &zjzl, &dice, &room, &state, &gbmj, &dzmj, &vidi, &pung, &kong, &win, &dianpao,
                          &chiact, &center, &center6, &zmp, &avatarnone, &offline, &kaishi, &shuzi, &deskmj, &newpan,
                          &newposition, &newwind, &newnum, &newbanker, &pai, &mj, &szds, &cursor, &quan, &wind,
                          &windpe, &windpn, &windpw, &sprites::black, &sprites::popup, &sprites::sparkling,
                          &sprites::hint, &sprites::chouma1, &sprites::pan, &sprites::handback, &sprites::hand,
                          &sprites::chupaikuang, &sprites::level})
        GReleaseSurface(group->surface);
    for (auto *array : {seatback, wallpic, wallsheet, avatar, turnpointer})
        for (int i = 0; i < 4; ++i)
            GReleaseSurface(array[i].surface);
    for (Sprite &s : effect)
        GReleaseSurface(s.surface);
    for (Sprite &s : flower)
        GReleaseSurface(s.surface);
    for (Sprite &s : sprites::tips)
        GReleaseSurface(s.surface);
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

DrawResult CMjDraw::RestoreSurfaces()
{
    if (!lpDDSPrimary || !lpDDSBack)
        return DrawResult::Failed;
    DrawResult result = lpDDSPrimary->Restore();
    if (result == DrawResult::Ok)
        result = lpDDSBack->Restore();
    return result;
}
