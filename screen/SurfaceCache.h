#pragma once
#include "screen/Bitmap.h"
#include "screen/Sprite.h"

#include <cstdint>
#include <string>
#include <string_view>

// Every remembered picture: which owner's slot holds it, the path it came from and how to load it
// again, so that a display-mode switch can throw all surfaces away and rebuild them.
enum SurfaceKind : uint8_t { SurfaceBitmap = 0, SurfaceGif = 1 };
constexpr int kSurfaceTableSize = 500;
extern SurfaceSlot *surfaceslot[kSurfaceTableSize];
extern std::string surfacepath[kSurfaceTableSize];
extern uint8_t surfacekind[kSurfaceTableSize];
extern int surfacenum;

// Appends an entry; past the table's end the picture is simply not remembered (it is then neither
// released nor rebuilt by a switch, and keeps its surface).
void RememberSurface(SurfaceSlot &slot, std::string_view path, SurfaceKind kind);
// Takes every entry of slot out of the table, for an owner that goes before the program ends.
void ForgetSurface(const SurfaceSlot &slot);
// The first entry of slot, or -1.
int FindSurfaceEntry(const SurfaceSlot &slot);

// Where a picture is: a relative path under the program folder (backslashes, any case), never the
// current folder, which may be anyone's; empty when no file is there.
std::string LocatePicture(std::string_view path);

// A surface of the bitmap's size holding it; rect gets the size even when creation fails.
DrawResult GCreateOffScreenPlain(const Bitmap &bitmap, SurfaceSlot &slot, Rect &rect);
void GReleaseSurface(SurfaceSlot &slot);
void GSetColorKey(SurfaceSlot &slot);
// A missing or unreadable picture asks the program to end and leaves the slot empty.
void GLoadSurface(std::string_view path, SurfaceSlot &slot, Rect &rect, bool remember);
void GReloadSurface(std::string_view path, SurfaceSlot &slot, Rect &rect);
void GReleaseAllSurfaces();
void GRestoreAllSurfaces();
