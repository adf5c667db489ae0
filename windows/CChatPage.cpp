#include "windows/CChatPage.h"

#include "platform/SurfaceText.h"
#include "screen/Device.h"

#include <algorithm>

namespace {

constexpr int kLineGap = 4;
// A plain colour fill: on the 16-bit frame only the value's low half counts, a deep blue.
constexpr uint32_t kSelectionFill = 0xFF00FF;

int Lines(const CChatPage &page)
{
    return static_cast<int>(page.list.lines.size());
}

} // namespace

void CChatLine::SetRect(int l, int t, int r, int b)
{
    rect = {l, t, r, b};
}

void CChatLine::SetText(std::string_view bytes, int offset, int height)
{
    text = bytes;
    rect.top += offset;
    rect.bottom = rect.top + height;
}

void CChatLine::Draw() const
{
    if (lpDDSBack)
        DrawSurfaceText(*lpDDSBack, text, rect, TextWordBreak, {TextFont::IconTitle, ColorRefToRgb(color)});
}

void CChatLineList::Add(std::string_view text, int offset, int height, uint32_t color)
{
    CChatLine &line = lines.emplace_back();
    line.SetRect(rect.left, rect.top, rect.right, rect.bottom);
    line.color = color;
    line.SetText(text, offset, height);
}

void CChatLineList::Clear()
{
    lines.clear();
}

void CChatLineList::SetRect(int l, int t, int r, int b)
{
    rect = {l, t, r, b};
}

int CChatLineList::HitTest(int x, int y)
{
    auto hit = std::find_if(lines.begin(), lines.end(), [&](const CChatLine &line) {
        return line.rect.left < x && x < line.rect.right && line.rect.top < y && y < line.rect.bottom;
    });
    if (hit == lines.end() || hit->selected)
        return -1;
    for (CChatLine &line : lines)
        line.selected = &line == &*hit;
    return static_cast<int>(hit - lines.begin());
}

void CChatLineList::Draw() const
{
    if (!lpDDSBack)
        return;
    for (const CChatLine &line : lines)
        if (line.selected)
            lpDDSBack->Fill(line.rect, kSelectionFill);
    for (const CChatLine &line : lines)
        line.Draw();
}

std::optional<std::string_view> CChatLineList::SelectedText() const
{
    for (const CChatLine &line : lines)
        if (line.selected)
            return line.text;
    return std::nullopt;
}

void CChatPage::SetRect(int l, int t, int r, int b)
{
    used = 0;
    rect = {l, t, r, b};
    list.SetRect(l, t, r, b);
}

bool CChatPage::AddText(std::string_view text, uint32_t color)
{
    const int h = MeasureSurfaceText(text, {rect.left, rect.top, rect.right, rect.top}, TextWordBreak, TextFont::IconTitle)
                      .Height();
    if (rect.Height() >= used + h)
        list.Add(text, used, h, color);
    else if (used != 0)
        return false;
    else
        list.Add(text, 0, rect.Height(), color);
    used += h + kLineGap;
    return true;
}

void CChatPageList::SetRect(int l, int t, int r, int b)
{
    rect = {l, t, r, b};
}

int CChatPageList::AddText(std::string_view text, uint32_t color)
{
    if (pages_.empty() || !pages_.back()->AddText(text, color)) {
        auto page = std::make_unique<CChatPage>();
        page->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        page->AddText(text, color);
        pages_.push_back(std::move(page));
    }
    lines_++;
    while (lines_ - Lines(*pages_.front()) >= kKeptLines) {
        lines_ -= Lines(*pages_.front());
        pages_.erase(pages_.begin());
    }
    return Count() - 1;
}

CChatPage *CChatPageList::GetPage(int index) const
{
    if (pages_.empty())
        return nullptr;
    return pages_[std::clamp(index, 0, Count() - 1)].get();
}

CChatPage *CChatPageList::Page(int index) const
{
    return index >= 0 && index < Count() ? pages_[index].get() : nullptr;
}

int CChatPageList::HitTest(int x, int y, int page)
{
    CChatPage *p = Page(page);
    return p ? p->HitTest(x, y) : -1;
}

void CChatPageList::Draw(int page) const
{
    if (const CChatPage *p = Page(page))
        p->Draw();
}

std::optional<std::string_view> CChatPageList::SelectedText(int page) const
{
    const CChatPage *p = Page(page);
    return p ? p->SelectedText() : std::nullopt;
}

void CChatPageList::Clear()
{
    pages_.clear();
    lines_ = 0;
}
