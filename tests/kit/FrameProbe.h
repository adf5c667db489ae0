#pragma once
#include "platform/Surface.h"

// Checks on composed frames that need no stored pictures of whole frames.

// How many visible pixels of a picture's cell differ from the frame where the cell should stand
// with its top-left corner at (x, y); pixels of the colour key are see-through and skipped. -1 when
// no visible pixel of the cell lies inside the frame.
int CellMismatches(const Surface &frame, int x, int y, const Surface &picture, Rect cell);

// The smallest rectangle that holds every pixel where two frames differ; empty when they are equal.
Rect ChangedRect(const Surface &a, const Surface &b);
