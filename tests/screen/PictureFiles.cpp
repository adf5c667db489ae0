#include "tests/screen/PictureFiles.h"

#include <gd.h>
#include <map>
#include <vector>

namespace {

void Put16(std::string &out, uint32_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8 & 0xFF);
}

void Put32(std::string &out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::string Headers(const Bitmap &b, int depth, uint32_t compression, int height, uint32_t extra, uint32_t colours)
{
    uint32_t stride = (b.width * depth / 8 + 3) & ~3u;
    uint32_t offset = 14 + 40 + extra;
    std::string out = "BM";
    Put32(out, offset + stride * b.height);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, b.width);
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, depth);
    Put32(out, compression);
    Put32(out, stride * b.height);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, colours);
    Put32(out, 0);
    return out;
}

void Pad(std::string &out, int rowBytes)
{
    while (rowBytes++ % 4)
        out += '\0';
}

} // namespace

Bitmap Filled(int width, int height, uint32_t rgb)
{
    return {width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, rgb)};
}

std::string Bmp24(const Bitmap &b, bool topDown)
{
    std::string out = Headers(b, 24, 0, topDown ? -b.height : b.height, 0, 0);
    for (int row = 0; row < b.height; ++row) {
        int y = topDown ? row : b.height - 1 - row;
        for (int x = 0; x < b.width; ++x) {
            uint32_t p = b.At(x, y);
            out += static_cast<char>(p & 0xFF);
            out += static_cast<char>(p >> 8 & 0xFF);
            out += static_cast<char>(p >> 16 & 0xFF);
        }
        Pad(out, b.width * 3);
    }
    return out;
}

std::string Bmp8(const Bitmap &b)
{
    std::map<uint32_t, int> index;
    for (uint32_t p : b.pixels)
        index.emplace(p, static_cast<int>(index.size()));
    std::string out = Headers(b, 8, 0, b.height, static_cast<uint32_t>(index.size()) * 4,
                              static_cast<uint32_t>(index.size()));
    std::vector<uint32_t> palette(index.size());
    for (auto [rgb, i] : index)
        palette[i] = rgb;
    for (uint32_t rgb : palette)
        Put32(out, rgb);
    for (int y = b.height - 1; y >= 0; --y) {
        for (int x = 0; x < b.width; ++x)
            out += static_cast<char>(index[b.At(x, y)]);
        Pad(out, b.width);
    }
    return out;
}

std::string Bmp16(const Bitmap &b, bool bitFields)
{
    std::string out = Headers(b, 16, bitFields ? 3 : 0, b.height, bitFields ? 12 : 0, 0);
    if (bitFields) {
        Put32(out, 0xF800);
        Put32(out, 0x07E0);
        Put32(out, 0x001F);
    }
    for (int y = b.height - 1; y >= 0; --y) {
        for (int x = 0; x < b.width; ++x) {
            uint32_t p = b.At(x, y);
            uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, bl = p & 0xFF;
            Put16(out, bitFields ? (r >> 3) << 11 | (g >> 2) << 5 | bl >> 3 : (r >> 3) << 10 | (g >> 3) << 5 | bl >> 3);
        }
        Pad(out, b.width * 2);
    }
    return out;
}

std::string Gif(const Bitmap &b, int64_t transparentRgb)
{
    gdImagePtr image = gdImageCreate(b.width, b.height);
    std::map<uint32_t, int> index;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            uint32_t p = b.At(x, y);
            auto it = index.find(p);
            if (it == index.end())
                it = index.emplace(p, gdImageColorAllocate(image, p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF)).first;
            gdImageSetPixel(image, x, y, it->second);
        }
    if (transparentRgb >= 0 && index.count(static_cast<uint32_t>(transparentRgb)))
        gdImageColorTransparent(image, index[static_cast<uint32_t>(transparentRgb)]);
    int size = 0;
    void *bytes = gdImageGifPtr(image, &size);
    std::string out(static_cast<const char *>(bytes), size);
    gdFree(bytes);
    gdImageDestroy(image);
    return out;
}

std::vector<std::string> SoundFiles()
{
    std::vector<std::string> sounds;
    for (const char *name : {"sezi", "DaPai", "action", "Click", "move", "givemj", "win", "chouma", "TinyGame"})
        sounds.push_back(std::string("Wave/") + name + ".wav");
    for (const char *sex : {"Male", "FeMale"}) {
        for (const char *suit : {"wan_", "tiao_", "bing_"})
            for (int value = 1; value <= 9; ++value)
                sounds.push_back(std::string("Wave/") + sex + "/" + suit + std::to_string(value) + ".wav");
        for (const char *name : {"dong", "nan", "xi", "bei", "hongzhong", "facai", "baiban", "peng", "gang", "hu",
                                 "zimo", "buhua", "chi", "ting"})
            sounds.push_back(std::string("Wave/") + sex + "/" + name + ".wav");
    }
    return sounds;
}
