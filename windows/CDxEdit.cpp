#include "windows/CDxEdit.h"

#include "platform/Beep.h"
#include "platform/Gbk.h"
#include "platform/SurfaceText.h"
#include "screen/Device.h"

namespace {

constexpr uint8_t kBackspace = 8;
constexpr uint8_t kTab = 9;
constexpr uint8_t kEnter = 13;
constexpr uint8_t kEscape = 27;
constexpr uint8_t kDelete = 127;

bool IsControl(uint8_t key)
{
    return key < 0x20 || key == kDelete;
}

// A byte 0x81-0xFE starts a two-byte character; these may follow it.
bool IsLead(uint8_t key)
{
    return key >= 0x81 && key <= 0xFE;
}

bool IsTrail(uint8_t key)
{
    return key >= 0x40 && key <= 0xFE && key != kDelete;
}

} // namespace

CDxEdit::CDxEdit(std::string_view path) : picture(path, true) {}

void CDxEdit::SetPos(int px, int py)
{
    x = px;
    y = py;
}

void CDxEdit::Draw()
{
    if (!visible || !lpDDSBack)
        return;
    if (picture.Get())
        lpDDSBack->Blit(x, y, *picture.Get(), picture.rect, true);
    const TextStyle style{TextFont::Arial12, ColorRefToRgb(color)};
    const Rect box{x + marginx, y + marginy, x - marginx + picture.Width(), y + picture.Height()};
    if (mask)
        shown_.assign(text.size(), '*');
    else
        shown_ = text;
    const size_t length = shown_.size();
    // What is shown is measured, with the caret's room while focused.
    if (focused)
        shown_ += '|';
    const Rect extent = MeasureSurfaceText(shown_, box, TextLeft, TextFont::Arial12);
    const bool fits = extent.right <= box.right;
    if (focused && !caret) {
        // The caret's place stays, so the text does not shift as the caret blinks.
        shown_.resize(length);
        if (!fits) {
            Rect left = box;
            left.right -= extent.Width() - MeasureSurfaceText(shown_, box, TextLeft, TextFont::Arial12).Width();
            DrawSurfaceText(*lpDDSBack, shown_, left, TextRight, style);
            return;
        }
    }
    if (fits)
        SurfaceTextOut(*lpDDSBack, box.left, box.top, shown_, style);
    else
        DrawSurfaceText(*lpDDSBack, shown_, box, TextRight, style);
}

bool CDxEdit::MouseDown(int px, int py)
{
    if (px <= x || px >= x + picture.Width() || py <= y || py >= y + picture.Height())
        return false;
    focused = 1;
    return true;
}

bool CDxEdit::KeyPress(uint8_t key)
{
    if (!focused || key == kEnter || key == kEscape)
        return false;
    if (droptrail_) {
        droptrail_ = 0;
        if (IsTrail(key))
            return true;
    }
    if (key == kBackspace) {
        if (!text.empty())
            text.resize(GbkFit(text, text.size() - 1));
        return true;
    }
    if (IsControl(key) && key != kTab)
        return false;
    // A lead byte where a character starts brings its trail byte: both fit, or neither goes in.
    const bool startsPair = IsLead(key) && GbkFit(text, text.size()) == text.size();
    if (text.size() + (startsPair ? 2 : 1) > kMaxLength) {
        Beep();
        droptrail_ = startsPair;
        return true;
    }
    text.push_back(static_cast<char>(key));
    return true;
}

std::string CDxEdit::GetText(size_t max) const
{
    return text.substr(0, GbkFit(text, max));
}
