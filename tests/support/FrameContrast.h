#pragma once
#include "platform/Surface.h"

#include <cstdint>

// How well letters stand out in a composed RGB565 frame.

// The contrast of two RGB565 colours as the ratio of their relative luminances, each plus 0.05:
// 1 for the same colour, 21 for black on white.
double ContrastRatio(uint32_t a, uint32_t b);
// The colour most pixels of the area have: the ground that the letters drawn there stand on.
uint32_t GroundColour(const Surface &frame, Rect area);
// How many pixels of the area look more like the ink than like the ground: the letters' pixels,
// their smoothed edges included.
int LetterPixels(const Surface &frame, Rect area, uint32_t ground, uint32_t ink);
