#pragma once
#include "platform/Surface.h"

#include <cstdint>

// How the letters written in ink in an area of a composed RGB565 frame stand out from their ground
// (the colour most of the area's pixels have): the ratio of the two relative luminances, each plus
// 0.05, from 1 (none) to 21 (black on white). 0 when fewer than `least` pixels look more like the
// ink than like the ground: nothing is written there.
double LettersContrast(const Surface &frame, Rect area, uint32_t ink, int least = 30);
