#include "windows/CDxChatWnd.h"

#include "platform/Gbk.h"
#include "screen/Device.h"
#include "screen/FrameBlend.h"
#include "windows/TileColumn.h"

namespace {

// The background reaches this far round the text rectangle's top-left corner.
constexpr int kBorder = 5;

} // namespace

ChatWindow::ChatWindow(std::string_view backgroundPath, std::string_view upPath, std::string_view downPath)
    : up(upPath), down(downPath), background(backgroundPath, false)
{
}

void ChatWindow::AddText(std::string_view text, uint32_t color)
{
    curpage = pages.AddText(OneLine(text), color);
}

void ChatWindow::SetPos(int l, int t, int r, int b)
{
    left = l;
    top = t;
    right = r;
    bottom = b;
    pages.SetRect(l, t, r, b);
    up.SetPos(r + kBorder, t - kBorder);
    down.SetPos(r + kBorder, b - down.GetHeight());
}

bool ChatWindow::MouseMove(int x, int y)
{
    if (!visible)
        return false;
    if (clickable && Inside(x, y) && pages.HitTest(x, y, curpage) >= 0)
        return true;
    const bool upChanged = up.MouseMove(x, y);
    const bool downChanged = down.MouseMove(x, y);
    return upChanged || downChanged;
}

bool ChatWindow::MouseDown(int x, int y)
{
    if (!visible)
        return false;
    return up.MouseDown(x, y) || down.MouseDown(x, y);
}

bool ChatWindow::MouseUp(int x, int y)
{
    if (!visible)
        return false;
    const bool upClicked = up.MouseUp(x, y);
    const bool downClicked = down.MouseUp(x, y);
    if (upClicked && curpage - 1 >= 0)
        --curpage;
    if (downClicked && curpage + 1 < pages.Count())
        ++curpage;
    return upClicked || downClicked;
}

void ChatWindow::Clear()
{
    pages.Clear();
    curpage = -1;
}

void ChatWindow::DrawBackground(int alpha)
{
    GAlphaBlend(background.Get(), left - kBorder, top - kBorder, 0, 0, background.Width(), background.Height(), alpha);
}

void ChatWindow::DrawContent()
{
    up.Draw();
    down.Draw();
    pages.Draw(curpage);
}

CDxChatWnd::CDxChatWnd()
    : ChatWindow("Graphic\\NetForm\\Chat.bmp", "Graphic\\NetForm\\up.bmp", "Graphic\\NetForm\\down.bmp")
{
}

void CDxChatWnd::SetPos(int l, int t, int r, int b)
{
    ChatWindow::SetPos(l, t, r, b);
    columntop = t - kBorder;
    columnbottom = b - down.GetHeight();
    columnx = r + kBorder;
}

void CDxChatWnd::Draw(int alpha)
{
    if (!visible)
        return;
    DrawBackground(alpha);
    DrawTileColumn(columntile_, columnx, columntop, columnbottom);
    DrawContent();
}

CDxGameChatWnd::CDxGameChatWnd()
    : ChatWindow("Graphic\\ChatWnd\\BackGround.bmp", "Graphic\\ChatWnd\\up.bmp", "Graphic\\ChatWnd\\down.bmp")
{
}

void CDxGameChatWnd::Draw(int alpha)
{
    if (!visible)
        return;
    DrawBackground(alpha);
    DrawContent();
}

std::optional<std::string_view> CDxGameChatWnd::LineAt(int x, int y) const
{
    if (!visible || !clickable || !Inside(x, y))
        return std::nullopt;
    return pages.SelectedText(curpage);
}
