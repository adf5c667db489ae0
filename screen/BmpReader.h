#pragma once
#include "screen/Bitmap.h"

#include <optional>
#include <string>
#include <vector>

// Windows bitmap files of 8 bits (palette), 16 bits (5-5-5, or any masks given as bit fields) and
// 24 bits, stored bottom-up or top-down. Nothing when the file is missing, compressed, of another
// depth, or shorter than its headers say: a damaged picture is refused, not read past.
std::optional<Bitmap> ReadBmpFile(const std::string &path);
std::optional<Bitmap> ParseBmp(const std::vector<uint8_t> &bytes);
