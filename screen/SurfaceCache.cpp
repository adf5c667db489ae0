#include "screen/SurfaceCache.h"

#include "platform/Paths.h"
#include "platform/QuitRequest.h"
#include "rules/CLog.h"
#include "screen/BmpReader.h"
#include "screen/Device.h"
#include "screen/GifSurface.h"

#include <filesystem>
#include <system_error>

SurfaceSlot *surfaceslot[kSurfaceTableSize];
std::string surfacepath[kSurfaceTableSize];
uint8_t surfacekind[kSurfaceTableSize];
int surfacenum = 0;

namespace {

// From disk when the file is there, else from the resources of hResModule.
Bitmap ReadPicture(std::string_view path)
{
    std::string file = LocatePicture(path);
    std::vector<uint8_t> bytes;
    std::optional<Bitmap> bitmap = !file.empty()                  ? ReadBmpFile(file)
                                   : hResModule.Read(path, bytes) ? ParseBmp(bytes)
                                                                  : std::nullopt;
    if (bitmap)
        return *bitmap;
    // Without its pictures the game cannot be played; the player is told which one is missing.
    g_log.Error("游戏文件丢失%s.", std::string(path).c_str());
    QuitRequest::PostFailure("游戏文件丢失" + Paths::Relative(path));
    return {};
}

} // namespace

void RememberSurface(SurfaceSlot &slot, std::string_view path, SurfaceKind kind)
{
    if (surfacenum >= kSurfaceTableSize)
        return;
    surfaceslot[surfacenum] = &slot;
    surfacepath[surfacenum] = std::string(path);
    surfacekind[surfacenum] = kind;
    ++surfacenum;
}

void ForgetSurface(const SurfaceSlot &slot)
{
    int kept = 0;
    for (int i = 0; i < surfacenum; ++i) {
        if (surfaceslot[i] == &slot)
            continue;
        surfaceslot[kept] = surfaceslot[i];
        surfacepath[kept] = std::move(surfacepath[i]);
        surfacekind[kept] = surfacekind[i];
        ++kept;
    }
    surfacenum = kept;
}

int FindSurfaceEntry(const SurfaceSlot &slot)
{
    for (int i = 0; i < surfacenum; ++i)
        if (surfaceslot[i] == &slot)
            return i;
    return -1;
}

std::string LocatePicture(std::string_view path)
{
    std::error_code ec;
    std::string file = Paths::Resolve(path);
    return std::filesystem::is_regular_file(file, ec) ? file : std::string();
}

DrawResult GCreateOffScreenPlain(const Bitmap &bitmap, SurfaceSlot &slot, Rect &rect)
{
    slot.reset();
    rect = {0, 0, bitmap.width, bitmap.height};
    // Full screen shows 16-bit RGB565 too, so every picture has the frame's layout.
    SurfaceSlot surface = Surface::Create(bitmap.width, bitmap.height, kRgb565);
    if (!surface)
        return DrawResult::Failed;
    uint8_t *pixels = surface->Lock();
    for (int y = 0; y < bitmap.height; ++y) {
        auto *row = reinterpret_cast<uint16_t *>(pixels + static_cast<size_t>(y) * surface->Pitch());
        const uint32_t *from = &bitmap.pixels[static_cast<size_t>(y) * bitmap.width];
        for (int x = 0; x < bitmap.width; ++x)
            row[x] = static_cast<uint16_t>((from[x] >> 8 & 0xF800) | (from[x] >> 5 & 0x07E0) | (from[x] >> 3 & 0x001F));
    }
    surface->Unlock();
    slot = std::move(surface);
    return DrawResult::Ok;
}

void GReleaseSurface(SurfaceSlot &slot)
{
    slot.reset();
}

void GSetColorKey(SurfaceSlot &slot)
{
    if (slot)
        slot->SetColorKey(colorkey.low);
}

void GLoadSurface(std::string_view path, SurfaceSlot &slot, Rect &rect, bool remember)
{
    GCreateOffScreenPlain(ReadPicture(path), slot, rect);
    if (remember)
        RememberSurface(slot, path, SurfaceBitmap);
}

void GReloadSurface(std::string_view path, SurfaceSlot &slot, Rect &rect)
{
    int entry = FindSurfaceEntry(slot);
    if (entry < 0)
        return;
    GReleaseSurface(slot);
    GCreateOffScreenPlain(ReadPicture(path), slot, rect);
    surfacepath[entry] = std::string(path);
    surfacekind[entry] = SurfaceBitmap;
}

void GReleaseAllSurfaces()
{
    for (int i = 0; i < surfacenum; ++i)
        GReleaseSurface(*surfaceslot[i]);
}

void GRestoreAllSurfaces()
{
    for (int i = 0; i < surfacenum; ++i) {
        // The owners keep their rectangles: a picture's size does not change across a switch.
        Rect scratch;
        if (surfacekind[i] == SurfaceGif)
            LoadGifSurface(surfacepath[i], *surfaceslot[i], scratch, false);
        else
            GLoadSurface(surfacepath[i], *surfaceslot[i], scratch, false);
        GSetColorKey(*surfaceslot[i]);
    }
}
