#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// Channel masks of a pixel layout; every picture and the frame use RGB565, only the copy made for a
// screen of another depth uses one of the others.
struct PixelFormat {
    int bitsPerPixel;
    uint32_t redMask;
    uint32_t greenMask;
    uint32_t blueMask;

    bool operator==(const PixelFormat &) const = default;
    int BytesPerPixel() const { return bitsPerPixel / 8; }
};

inline constexpr PixelFormat kRgb565{16, 0xF800, 0x07E0, 0x001F};
inline constexpr PixelFormat kRgb555{16, 0x7C00, 0x03E0, 0x001F};
inline constexpr PixelFormat kRgb888{24, 0xFF0000, 0x00FF00, 0x0000FF};
inline constexpr PixelFormat kXrgb8888{32, 0xFF0000, 0x00FF00, 0x0000FF};

struct Point {
    int x = 0;
    int y = 0;

    bool operator==(const Point &) const = default;
};

// Left and top inside, right and bottom outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const Rect &) const = default;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
};

// The part of r inside bounds (empty when they do not meet).
Rect Intersect(const Rect &r, const Rect &bounds);
// Cuts a copy of srcRect to (x, y) down to what lies inside both the source and the destination,
// moving (x, y) along; false when nothing remains.
bool ClipCopy(int &x, int &y, Rect &srcRect, const Rect &srcBounds, const Rect &dstBounds);

enum class DrawResult { Ok, Lost, Busy, Failed };

// An off-screen picture in system memory. Rows start every Pitch() bytes. Every blit is clipped to
// both surfaces, so a cell or rectangle reaching outside a picture draws only its inside part.
class Surface {
public:
    // A pitch of 0 packs the rows (rounded up to four bytes).
    Surface(int width, int height, PixelFormat format = kRgb565, int pitch = 0);
    // Null when the size is empty or too large to hold, as a refused creation.
    static std::unique_ptr<Surface> Create(int width, int height, PixelFormat format = kRgb565);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return pitch_; }
    const PixelFormat &Format() const { return format_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    // Direct access to the pixels; null while already locked. Blits fail while locked.
    uint8_t *Lock();
    void Unlock();
    bool Locked() const { return locked_; }

    // Memory surfaces keep their pixels, so they are never lost; callers still follow the restore
    // protocol that a presented surface needs.
    bool IsLost() const { return false; }
    DrawResult Restore() { return DrawResult::Ok; }

    // The source colour key used by keyed blits from this surface.
    void SetColorKey(uint32_t key);
    bool HasColorKey() const { return hasKey_; }
    uint32_t ColorKey() const { return key_; }

    // The pixel value of a colour in this surface's layout (channels truncated).
    uint32_t PackColor(uint8_t red, uint8_t green, uint8_t blue) const;
    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t value);

    // Copies src's rectangle to (x, y); keyed skips pixels equal to src's colour key.
    DrawResult Blit(int x, int y, const Surface &src, Rect srcRect, bool keyed);
    // Scales src's rectangle into dst (nearest pixel).
    DrawResult StretchBlit(Rect dst, const Surface &src, Rect srcRect, bool keyed);
    DrawResult Fill(Rect dst, uint32_t value);

    // Read access to a row, for showing and comparing finished pictures.
    const uint8_t *Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * pitch_; }

private:
    uint8_t *Row(int y) { return pixels_.data() + static_cast<size_t>(y) * pitch_; }
    DrawResult CheckBlit(const Surface &src) const;

    int width_;
    int height_;
    int pitch_;
    PixelFormat format_;
    std::vector<uint8_t> pixels_;
    bool locked_ = false;
    bool hasKey_ = false;
    uint32_t key_ = 0;
};
