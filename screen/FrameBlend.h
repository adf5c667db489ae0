#pragma once
#include "platform/Surface.h"

#include <cstdint>

// Per-pixel drawing onto the frame `lpDDSBack` that blits cannot do. Both clip the rectangle to the
// source and its image to the frame, and skip source pixels equal to the colour key.

// Mixes the source over the frame: alpha 0 leaves the frame, 255 gives (almost) the source.
void GAlphaBlend(Surface *src, int x, int y, int left, int top, int right, int bottom, int alpha);

// The grey of the same brightness; blue weighs 6 and green 1.
uint16_t Rgb565ToGrey(uint16_t pixel);
void GreyBlit(Surface *src, int x, int y, int left, int top, int right, int bottom);
