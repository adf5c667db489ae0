#pragma once
#include "platform/Surface.h"

#include <cstdint>

// Every RGB565 value in the screen layouts a window may have: 0x00RRGGBB with the low bits zero, and
// 1-5-5-5 with the top bit clear.
extern uint32_t rgb565to888[65536];
extern uint16_t rgb565to555[65536];

void BuildColorTables();

// Converts the whole frame into dest in the window's screen layout (`pixelformat`).
void GCopySurfacePixels(Surface *dest);
