#pragma once
#include "platform/Surface.h"

#include <string>

// Writes an RGB565 surface as a PNG file; false when it cannot be written.
bool SaveSurfacePng(const Surface &surface, const std::string &path);
