#include "platform/Paths.h"
#include "platform/QuitRequest.h"
#include "screen/CMjDraw.h"
#include "screen/Device.h"
#include "screen/GifSurface.h"
#include "screen/SharedSprites.h"
#include "screen/SurfaceCache.h"

#include <string>

namespace {

constexpr int kSheetCells = 43;

uint8_t FormatCode(const PixelFormat &format)
{
    switch (format.bitsPerPixel) {
    case 16:
        return format.redMask == 0xF800 ? FormatRgb565 : Format16;
    case 24:
        return Format24;
    case 32:
        return Format32;
    default:
        return FormatUnknown;
    }
}

void Load(Sprite &sprite, const std::string &path, bool keyed = true)
{
    GLoadSurface(path, sprite.surface, sprite.rect, true);
    if (keyed)
        GSetColorKey(sprite.surface);
}

TileCell LoadSheet(Sprite &sheet, const std::string &path)
{
    Load(sheet, path);
    return {sheet.rect.Width() / kSheetCells, sheet.rect.Height()};
}

// The key is whatever the chip picture's corner holds, so the pictures decide their own key.
void TakeColorKey(Sprite &chip)
{
    if (!chip.surface)
        return;
    uint32_t corner = chip.surface->Pixel(0, 0);
    colorkey = {corner, corner};
    GSetColorKey(chip.surface);
}

std::string Numbered(const char *prefix, int n)
{
    return prefix + std::to_string(n) + ".bmp";
}

} // namespace

bool CMjDraw::OpenFullScreen(FrameSink *window)
{
    windowed = 0;
    lpDDSSame.reset();
    lpDD = window;
    if (!lpDD)
        return false;
    // The frame is scaled to the screen instead of the display being switched to 800 x 600.
    lpDD->ShowFullScreen();
    lpDDSPrimary = lpDD;
    lpDDSBack = Surface::Create(kFrameWidth, kFrameHeight, kRgb565);
    return lpDDSBack != nullptr;
}

bool CMjDraw::OpenWindowed()
{
    windowed = 1;
    lpDDSSame.reset();
    lpDD = hMainWnd;
    if (!lpDD)
        return false;
    lpDDSPrimary = lpDD;
    PixelFormat screen = lpDDSPrimary->ScreenFormat();
    pixelformat = FormatCode(screen);
    backinscreenformat = pixelformat == FormatRgb565;
    if (!backinscreenformat) {
        lpDDSSame = Surface::Create(kFrameWidth, kFrameHeight, screen);
        if (!lpDDSSame)
            return false;
    }
    lpDDSBack = Surface::Create(kFrameWidth, kFrameHeight, kRgb565);
    return lpDDSBack != nullptr;
}

bool CMjDraw::InitFullScreen(FrameSink *window)
{
    if (!OpenFullScreen(window))
        return false;
    ShowLoadingPicture();
    LoadPictureSet();
    return true;
}

bool CMjDraw::InitWindowed()
{
    if (!OpenWindowed())
        return false;
    ShowLoadingPicture();
    LoadPictureSet();
    return true;
}

void CMjDraw::ShowLoadingPicture()
{
    if (networkmode)
        return;
    Sprite loading;
    GLoadSurface(Paths::ProgramFolder() + "/Graphic\\LoadGame.bmp", loading.surface, loading.rect, false);
    if (loading.surface)
        lpDDSBack->StretchBlit({0, 0, kFrameWidth, kFrameHeight}, *loading.surface, loading.rect, false);
    DrawFullScreen();
}

void CMjDraw::LoadPictureSet()
{
    Load(chouma, "Graphic\\chouma.bmp", false);
    TakeColorKey(chouma);
    owncell = LoadSheet(zjzl, "Graphic\\zjzl.bmp");
    const char *const backs[4] = {"Graphic\\djlq.bmp", "Graphic\\xjcm.bmp", "Graphic\\djlq.bmp", "Graphic\\sjcm.bmp"};
    const char *const plates[4] = {"Graphic\\cc2.bmp", "Graphic\\cc1.bmp", "Graphic\\cc2.bmp", "Graphic\\cc1.bmp"};
    const char *const sheets[4] = {"Graphic\\zjpd.bmp", "Graphic\\xjpd.bmp", "Graphic\\djpd.bmp", "Graphic\\sjpd.bmp"};
    for (int seat = 0; seat < 4; ++seat) {
        Load(seatback[seat], backs[seat]);
        Load(wallpic[seat], plates[seat]);
    }
    Load(dice, "Graphic\\Dice.bmp");
    Load(room, "Graphic\\Room.bmp", false);
    for (int seat = 0; seat < 4; ++seat)
        wallcell[seat] = LoadSheet(wallsheet[seat], sheets[seat]);
    for (int seat = 0; seat < 4; ++seat) {
        std::string path = Paths::ProgramFolder() + (seat == 0 ? "/Graphic\\1.gif" : "/Graphic\\2.gif");
        LoadGifSurface(path, avatar[seat].surface, avatar[seat].rect, true);
    }
    for (Sprite &face : avatar)
        GSetColorKey(face.surface);
    Load(state, "Graphic\\state.bmp");
    Load(gbmj, "Graphic\\gbmj.bmp");
    Load(dzmj, "Graphic\\dzmj.bmp");
    Load(vidi, "Graphic\\Center\\vidi.bmp");
    Load(pung, "Graphic\\pung.bmp");
    Load(kong, "Graphic\\kong.bmp");
    Load(win, "Graphic\\win.bmp");
    Load(dianpao, "Graphic\\dianpao.bmp");
    Load(chiact, "Graphic\\chiact.bmp");
    for (int n = 2; n <= 5; ++n)
        Load(turnpointer[n - 2], Numbered("Graphic\\Center\\1-", n));
    Load(center, "Graphic\\Center\\1-1.bmp");
    Load(center6, "Graphic\\Center\\1-6.bmp");
    zmpcellwidth = LoadSheet(zmp, "Graphic\\zmp.bmp").width;
    Load(sprites::level, "Graphic\\level.bmp");
    Load(avatarnone, "Graphic\\avatarnone.bmp");
    Load(offline, "Graphic\\offline.bmp");
    Load(kaishi, "Graphic\\kaishi.bmp");
    Load(shuzi, "Graphic\\shuzi.bmp");
    Load(deskmj, "Graphic\\DeskMj.bmp");
    Load(newpan, "Graphic\\NewStyle\\pan.bmp");
    Load(newposition, "Graphic\\NewStyle\\position.bmp");
    Load(newwind, "Graphic\\NewStyle\\wind.bmp");
    Load(newnum, "Graphic\\NewStyle\\num.bmp");
    Load(newbanker, "Graphic\\NewStyle\\banker.bmp");
    for (int n = 0; n < 12; ++n)
        Load(effect[n], Numbered("Graphic\\Effect_", n));
    Load(pai, "Graphic\\pai.bmp");
    Load(mj, "Graphic\\mj.bmp");
    Load(szds, "Graphic\\szds.bmp");
    for (int n = 0; n < kFlowerPictures; ++n)
        Load(flower[n], Numbered("Graphic\\Flower\\Flower_", n));
    Load(cursor, "Graphic\\cursor.bmp");
    Load(quan, "Graphic\\quan.bmp");
    Load(wind, "Graphic\\wind.bmp");
    Load(windpe, "Graphic\\windpe.bmp");
    Load(windpn, "Graphic\\windpn.bmp");
    Load(windpw, "Graphic\\windpw.bmp");
    Load(sprites::pan, "Graphic\\pan.bmp");
    Load(sprites::popup, "Graphic\\NewStyle\\popup.bmp");
    Load(sprites::sparkling, "Graphic\\sparkling.bmp");
    Load(sprites::black, "Graphic\\black.bmp");
    Load(sprites::hint, "Graphic\\hint.bmp");
    Load(sprites::chouma1, "Graphic\\chouma1.bmp");
    for (int n = 0; n < 3; ++n)
        Load(sprites::tips[n], Numbered("Graphic\\Tips\\tips", n));
    Load(sprites::handback, "Graphic\\handback.bmp");
    Load(sprites::hand, "Graphic\\hand.bmp");
    Load(sprites::chupaikuang, "Graphic\\chupaikuang.bmp");
}

void CMjDraw::ToggleFullScreen()
{
    if (lpDD) {
        lpDDSPrimary = nullptr;
        if (windowed)
            lpDDSBack.reset();
        lpDDSSame.reset();
        GReleaseAllSurfaces();
        lpDD = nullptr;
    }
    fullscreen = 1 - fullscreen;
    // While every picture is rebuilt, one missing on disk comes from the bundle beside the program.
    hResModule = ResourceModule::Load(Paths::Resolve("MjRes.rcc"));
    backinscreenformat = 0;
    bool toFullScreen = windowed == 1;
    bool opened;
    if (toFullScreen) {
        opened = OpenFullScreen(hMainWnd);
    } else {
        // A screen no wider than the frame shows the window without its caption, as in full screen.
        if (hMainWnd)
            hMainWnd->ShowWindowed(hMainWnd->ScreenWidth() != kFrameWidth);
        opened = OpenWindowed();
    }
    if (!opened) {
        // Without a device the game cannot go on; the main window closes.
        hResModule.Free();
        QuitRequest::Post();
        return;
    }
    GRestoreAllSurfaces();
    if (paint_)
        paint_();
    hResModule.Free();
}
