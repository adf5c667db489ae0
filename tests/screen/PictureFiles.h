#pragma once
#include "screen/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

// Picture files written by the tests, as the data folder's generator would write them.
Bitmap Filled(int width, int height, uint32_t rgb);
std::string Bmp24(const Bitmap &bitmap, bool topDown = false);
std::string Bmp8(const Bitmap &bitmap);
// 16 bits per pixel; masks given as bit fields when bitFields, else the plain 5-5-5 layout.
std::string Bmp16(const Bitmap &bitmap, bool bitFields);
// A GIF; pixels equal to transparentRgb (when given) use the transparent index.
std::string Gif(const Bitmap &bitmap, int64_t transparentRgb = -1);
// Every sound the player loads, as paths under the program folder: "Wave/Male/wan_1.wav".
std::vector<std::string> SoundFiles();
