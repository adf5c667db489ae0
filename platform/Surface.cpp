#include "platform/Surface.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kLargestSide = 16384;

int Shift(uint32_t mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int Bits(uint32_t mask)
{
    return __builtin_popcount(mask);
}

uint32_t PackChannel(uint8_t value, uint32_t mask)
{
    return (static_cast<uint32_t>(value >> (8 - Bits(mask))) << Shift(mask)) & mask;
}

} // namespace

bool ClipCopy(int &x, int &y, Rect &srcRect, const Rect &srcBounds, const Rect &dstBounds)
{
    Rect inside = Intersect(srcRect, srcBounds);
    x += inside.left - srcRect.left;
    y += inside.top - srcRect.top;
    Rect target = Intersect({x, y, x + inside.Width(), y + inside.Height()}, dstBounds);
    if (target.Empty())
        return false;
    srcRect = {inside.left + target.left - x, inside.top + target.top - y, 0, 0};
    srcRect.right = srcRect.left + target.Width();
    srcRect.bottom = srcRect.top + target.Height();
    x = target.left;
    y = target.top;
    return true;
}

namespace {

// Written so that the compiler turns it into vector compares and blends.
void KeyedRow16(uint16_t *dst, const uint16_t *src, int count, uint16_t key)
{
    for (int i = 0; i < count; ++i) {
        uint16_t s = src[i];
        dst[i] = s == key ? dst[i] : s;
    }
}

} // namespace

Rect Intersect(const Rect &r, const Rect &bounds)
{
    Rect out{std::max(r.left, bounds.left), std::max(r.top, bounds.top), std::min(r.right, bounds.right),
             std::min(r.bottom, bounds.bottom)};
    if (out.Empty())
        return {};
    return out;
}

Surface::Surface(int width, int height, PixelFormat format, int pitch)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), format_(format)
{
    int packed = (width_ * format_.BytesPerPixel() + 3) & ~3;
    pitch_ = std::max(pitch, packed);
    pixels_.assign(static_cast<size_t>(pitch_) * height_, 0);
}

std::unique_ptr<Surface> Surface::Create(int width, int height, PixelFormat format)
{
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
        return nullptr;
    return std::make_unique<Surface>(width, height, format);
}

uint8_t *Surface::Lock()
{
    if (locked_)
        return nullptr;
    locked_ = true;
    return pixels_.data();
}

void Surface::Unlock()
{
    locked_ = false;
}

void Surface::SetColorKey(uint32_t key)
{
    hasKey_ = true;
    key_ = key;
}

uint32_t Surface::PackColor(uint8_t red, uint8_t green, uint8_t blue) const
{
    return PackChannel(red, format_.redMask) | PackChannel(green, format_.greenMask) |
           PackChannel(blue, format_.blueMask);
}

uint32_t Surface::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    const uint8_t *p = Row(y) + x * format_.BytesPerPixel();
    uint32_t value = 0;
    std::memcpy(&value, p, format_.BytesPerPixel());
    return value;
}

void Surface::SetPixel(int x, int y, uint32_t value)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    std::memcpy(Row(y) + x * format_.BytesPerPixel(), &value, format_.BytesPerPixel());
}

DrawResult Surface::CheckBlit(const Surface &src) const
{
    if (locked_ || src.locked_)
        return DrawResult::Busy;
    if (!(src.format_ == format_))
        return DrawResult::Failed;
    return DrawResult::Ok;
}

DrawResult Surface::Blit(int x, int y, const Surface &src, Rect srcRect, bool keyed)
{
    if (DrawResult check = CheckBlit(src); check != DrawResult::Ok)
        return check;
    if (!ClipCopy(x, y, srcRect, src.Bounds(), Bounds()))
        return DrawResult::Ok;
    if (&src == this) {
        Surface copy(srcRect.Width(), srcRect.Height(), format_);
        copy.Blit(0, 0, src, srcRect, false);
        if (src.hasKey_)
            copy.SetColorKey(src.key_);
        return Blit(x, y, copy, copy.Bounds(), keyed);
    }
    int bpp = format_.BytesPerPixel();
    size_t rowBytes = static_cast<size_t>(srcRect.Width()) * bpp;
    bool useKey = keyed && src.hasKey_;
    for (int row = 0; row < srcRect.Height(); ++row) {
        uint8_t *d = Row(y + row) + x * bpp;
        const uint8_t *s = src.Row(srcRect.top + row) + srcRect.left * bpp;
        if (!useKey) {
            std::memcpy(d, s, rowBytes);
        } else if (bpp == 2) {
            KeyedRow16(reinterpret_cast<uint16_t *>(d), reinterpret_cast<const uint16_t *>(s), srcRect.Width(),
                       static_cast<uint16_t>(src.key_));
        } else {
            for (int col = 0; col < srcRect.Width(); ++col) {
                uint32_t value = src.Pixel(srcRect.left + col, srcRect.top + row);
                if (value != src.key_)
                    SetPixel(x + col, y + row, value);
            }
        }
    }
    return DrawResult::Ok;
}

DrawResult Surface::StretchBlit(Rect dst, const Surface &src, Rect srcRect, bool keyed)
{
    if (DrawResult check = CheckBlit(src); check != DrawResult::Ok)
        return check;
    if (dst.Empty() || Intersect(srcRect, src.Bounds()) != srcRect || srcRect.Empty())
        return DrawResult::Failed;
    if (dst.Width() == srcRect.Width() && dst.Height() == srcRect.Height())
        return Blit(dst.left, dst.top, src, srcRect, keyed);
    Rect visible = Intersect(dst, Bounds());
    bool useKey = keyed && src.hasKey_;
    const Surface *from = &src;
    Surface copy(0, 0, format_);
    if (&src == this) {
        copy = src;
        from = &copy;
    }
    for (int y = visible.top; y < visible.bottom; ++y) {
        int sy = srcRect.top + static_cast<int>(static_cast<int64_t>(y - dst.top) * srcRect.Height() / dst.Height());
        for (int x = visible.left; x < visible.right; ++x) {
            int sx = srcRect.left +
                     static_cast<int>(static_cast<int64_t>(x - dst.left) * srcRect.Width() / dst.Width());
            uint32_t value = from->Pixel(sx, sy);
            if (!useKey || value != src.key_)
                SetPixel(x, y, value);
        }
    }
    return DrawResult::Ok;
}

DrawResult Surface::Fill(Rect dst, uint32_t value)
{
    if (locked_)
        return DrawResult::Busy;
    Rect area = Intersect(dst, Bounds());
    for (int y = area.top; y < area.bottom; ++y) {
        if (format_.bitsPerPixel == 16) {
            std::fill_n(reinterpret_cast<uint16_t *>(Row(y)) + area.left, area.Width(), static_cast<uint16_t>(value));
            continue;
        }
        for (int x = area.left; x < area.right; ++x)
            SetPixel(x, y, value);
    }
    return DrawResult::Ok;
}
