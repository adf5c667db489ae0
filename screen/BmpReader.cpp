#include "screen/BmpReader.h"

#include <fstream>
#include <iterator>

namespace {

constexpr uint32_t kPlainRgb = 0;
constexpr uint32_t kBitFields = 3;
constexpr int kLargestSide = 16384;

uint32_t Read32(const std::vector<uint8_t> &b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t Read16(const std::vector<uint8_t> &b, size_t at)
{
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// Widens a masked channel to eight bits (5 bits 31 -> 255, as the screen shows full intensity).
uint8_t Channel(uint32_t pixel, uint32_t mask)
{
    if (!mask)
        return 0;
    int shift = __builtin_ctz(mask);
    int bits = __builtin_popcount(mask);
    uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8)
        return static_cast<uint8_t>(value >> (bits - 8));
    uint32_t wide = value << (8 - bits);
    return static_cast<uint8_t>(wide | wide >> bits);
}

} // namespace

std::optional<Bitmap> ParseBmp(const std::vector<uint8_t> &bytes)
{
    constexpr size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader + 40 || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    uint32_t dataOffset = Read32(bytes, 10);
    uint32_t infoSize = Read32(bytes, 14);
    if (infoSize < 40 || kFileHeader + infoSize > bytes.size())
        return std::nullopt;
    int32_t width = static_cast<int32_t>(Read32(bytes, 18));
    int32_t rawHeight = static_cast<int32_t>(Read32(bytes, 22));
    uint16_t depth = Read16(bytes, 28);
    uint32_t compression = Read32(bytes, 30);
    uint32_t used = Read32(bytes, 46);
    bool topDown = rawHeight < 0;
    int64_t height = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
        return std::nullopt;

    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    size_t afterInfo = kFileHeader + infoSize;
    if (depth == 16 && compression == kBitFields) {
        // Masks follow a 40-byte header; longer headers carry them inside.
        size_t at = infoSize == 40 ? afterInfo : kFileHeader + 40;
        if (at + 12 > bytes.size())
            return std::nullopt;
        for (int i = 0; i < 3; ++i)
            masks[i] = Read32(bytes, at + 4 * i);
        if (infoSize == 40)
            afterInfo += 12;
    } else if (compression != kPlainRgb || (depth != 8 && depth != 16 && depth != 24)) {
        return std::nullopt;
    }

    std::vector<uint32_t> palette;
    if (depth == 8) {
        size_t colours = used ? used : 256;
        if (colours > 256 || afterInfo + colours * 4 > bytes.size())
            return std::nullopt;
        for (size_t i = 0; i < colours; ++i)
            palette.push_back(Read32(bytes, afterInfo + 4 * i) & 0xFFFFFF);
    }

    size_t stride = (static_cast<size_t>(width) * depth / 8 + 3) & ~size_t(3);
    if (dataOffset > bytes.size() || stride * height > bytes.size() - dataOffset)
        return std::nullopt;

    Bitmap bitmap{width, static_cast<int>(height), std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    for (int64_t y = 0; y < height; ++y) {
        size_t row = dataOffset + stride * (topDown ? y : height - 1 - y);
        uint32_t *out = &bitmap.pixels[static_cast<size_t>(y) * width];
        for (int32_t x = 0; x < width; ++x) {
            if (depth == 24) {
                const uint8_t *p = &bytes[row + 3 * x];
                out[x] = p[2] << 16 | p[1] << 8 | p[0];
            } else if (depth == 16) {
                uint16_t v = Read16(bytes, row + 2 * x);
                out[x] = Channel(v, masks[0]) << 16 | Channel(v, masks[1]) << 8 | Channel(v, masks[2]);
            } else {
                uint8_t index = bytes[row + x];
                out[x] = index < palette.size() ? palette[index] : 0;
            }
        }
    }
    return bitmap;
}

std::optional<Bitmap> ReadBmpFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    std::streamoff size = in.tellg();
    if (size < 0)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char *>(bytes.data()), size))
        return std::nullopt;
    return ParseBmp(bytes);
}
