#include "platform/SurfaceText.h"
#include "screen/FrameBlend.h"
#include "tests/windows/WidgetFixture.h"
#include "windows/CDxChatWnd.h"

namespace {

// A table chat window with a text rectangle 100 pixels tall.
class ChatWindowTest : public WidgetTest {
protected:
    static constexpr Rect kText{200, 100, 363, 200};

    void SetUp() override
    {
        WidgetTest::SetUp();
        wnd = std::make_unique<CDxGameChatWnd>();
        wnd->SetPos(kText.left, kText.top, kText.right, kText.bottom);
        wnd->visible = 1;
    }
    static int LineHeight() { return MeasureSurfaceText("x", {0, 0, 163, 0}, TextWordBreak, TextFont::IconTitle).Height(); }
    const std::vector<CChatLine> &Lines(int page) const { return wnd->pages.GetPage(page)->list.lines; }
    static void Click(ChatWindow &w, const CBitButton &arrow)
    {
        w.MouseDown(arrow.x + 5, arrow.y + 5);
        w.MouseUp(arrow.x + 5, arrow.y + 5);
    }
    // The frame as the window draws with nothing on its page: the blended backing and the arrows.
    std::unique_ptr<Surface> Empty(int alpha)
    {
        GAlphaBlend(wnd->background.Get(), kText.left - 5, kText.top - 5, 0, 0, wnd->background.Width(),
                    wnd->background.Height(), alpha);
        wnd->up.Draw();
        wnd->down.Draw();
        return Snapshot();
    }

    std::unique_ptr<CDxGameChatWnd> wnd;
};

TEST_F(ChatWindowTest, ShortTextsFillAPageAndTheOneThatDoesNotFitStartsTheNextAndIsShown)
{
    const int h = LineHeight();
    const int fit = (100 - h) / (h + 4) + 1;
    ASSERT_GE(fit, 3);
    for (int i = 0; i < fit; ++i) {
        wnd->AddText("line " + std::to_string(i), 0xFFFFFF);
        EXPECT_EQ(wnd->curpage, 0);
    }
    wnd->AddText("next", 0xFFFFFF);
    EXPECT_EQ(wnd->curpage, 1);
    ASSERT_EQ(wnd->pages.Count(), 2);
    const std::vector<CChatLine> &first = Lines(0);
    ASSERT_EQ(static_cast<int>(first.size()), fit);
    for (int i = 0; i < fit; ++i)
        EXPECT_EQ(first[i].rect, (Rect{200, 100 + i * (h + 4), 363, 100 + i * (h + 4) + h})) << i;
    EXPECT_EQ(Lines(1).front().rect.top, 100);
}

TEST_F(ChatWindowTest, ATextTallerThanThePageIsCutAndTheNextTextGetsAPageOfItsOwn)
{
    std::string tall;
    for (int i = 0; i < 250; ++i)
        tall += "word ";
    wnd->AddText(tall, 0xFFFFFF);
    ASSERT_EQ(wnd->pages.Count(), 1);
    EXPECT_EQ(Lines(0).front().rect, kText);
    EXPECT_EQ(Lines(0).front().text.size(), 1250u);
    std::unique_ptr<Surface> before = Snapshot();
    wnd->Draw(255);
    EXPECT_EQ(Changed(*before, {kText.left, kText.bottom + 5, kText.right, kText.bottom + 60}), 0);

    wnd->AddText("short", 0xFFFFFF);
    EXPECT_EQ(wnd->pages.Count(), 2);
    EXPECT_EQ(wnd->curpage, 1);
}

TEST_F(ChatWindowTest, TheArrowsTurnPagesButNotPastTheFirstOrTheLast)
{
    for (int i = 0; i < 40; ++i)
        wnd->AddText("line", 0xFFFFFF);
    const int last = wnd->pages.Count() - 1;
    ASSERT_GE(last, 2);
    EXPECT_EQ(wnd->curpage, last);
    Click(*wnd, wnd->down);
    EXPECT_EQ(wnd->curpage, last);
    Click(*wnd, wnd->up);
    EXPECT_EQ(wnd->curpage, last - 1);
    wnd->curpage = 0;
    Click(*wnd, wnd->up);
    EXPECT_EQ(wnd->curpage, 0);
    Click(*wnd, wnd->down);
    EXPECT_EQ(wnd->curpage, 1);

    wnd->visible = 0;
    Click(*wnd, wnd->down);
    EXPECT_EQ(wnd->curpage, 1);
}

TEST_F(ChatWindowTest, ThePointerSelectsTheLineUnderItAndTheSelectionStaysWhenItLeaves)
{
    for (const char *line : {"first", "second", "third"})
        wnd->AddText(line, 0xFFFFFF);
    const Rect second = Lines(0)[1].rect;
    const int x = 250, y = (second.top + second.bottom) / 2;
    EXPECT_FALSE(wnd->MouseMove(x, y)); // not clickable: the lines do not follow
    wnd->clickable = 1;
    EXPECT_TRUE(wnd->MouseMove(x, y));
    EXPECT_FALSE(wnd->MouseMove(x + 10, y));
    EXPECT_FALSE(wnd->MouseMove(x, 195)); // below the last line
    EXPECT_FALSE(wnd->MouseMove(600, 500));
    EXPECT_EQ(Lines(0)[1].selected, 1);
    EXPECT_EQ(Lines(0)[0].selected + Lines(0)[2].selected, 0);
    EXPECT_TRUE(wnd->MouseMove(x, (Lines(0)[0].rect.top + Lines(0)[0].rect.bottom) / 2));
    EXPECT_EQ(Lines(0)[1].selected, 0);
}

TEST_F(ChatWindowTest, LineAtGivesTheSelectedLineOnlyInsideAShownClickableWindow)
{
    wnd->AddText("first", 0xFFFFFF);
    wnd->AddText("第二行", 0xFFFFFF);
    wnd->clickable = 1;
    EXPECT_EQ(wnd->LineAt(250, 150), std::nullopt); // nothing selected yet
    const Rect second = Lines(0)[1].rect;
    wnd->MouseMove(250, second.top + 2);
    EXPECT_EQ(wnd->LineAt(250, 150), std::optional<std::string_view>("第二行"));
    EXPECT_EQ(wnd->LineAt(kText.left, 150), std::nullopt);
    EXPECT_EQ(wnd->LineAt(250, kText.bottom), std::nullopt);
    wnd->clickable = 0;
    EXPECT_EQ(wnd->LineAt(250, 150), std::nullopt);
    wnd->clickable = 1;
    wnd->visible = 0;
    EXPECT_EQ(wnd->LineAt(250, 150), std::nullopt);
}

TEST_F(ChatWindowTest, AfterClearNothingIsShownAndTheNextTextStartsPageZero)
{
    std::unique_ptr<Surface> empty = Empty(180);
    lpDDSBack->Fill(lpDDSBack->Bounds(), kBackground);
    wnd->AddText("gone", 0xFFFFFF);
    wnd->Clear();
    EXPECT_EQ(wnd->curpage, -1);
    wnd->Draw(180);
    EXPECT_EQ(Changed(*empty, lpDDSBack->Bounds()), 0);
    wnd->AddText("again", 0xFFFFFF);
    EXPECT_EQ(wnd->curpage, 0);
    EXPECT_EQ(wnd->pages.Count(), 1);
}

TEST_F(ChatWindowTest, ALineIsDrawnInItsOwnColourOverTheSelectionFill)
{
    std::unique_ptr<Surface> empty = Empty(255);
    wnd->AddText("中中中中", 0x00FFFF); // yellow, as Windows writes it
    wnd->AddText("selected", 0xFFFFFF);
    wnd->pages.HitTest(250, Lines(0)[1].rect.top + 2, 0);
    lpDDSBack->Fill(lpDDSBack->Bounds(), kBackground);
    wnd->Draw(255);
    const Rect yellow = Lines(0)[0].rect;
    int lit = 0;
    for (int y = yellow.top; y < yellow.bottom; ++y)
        for (int x = yellow.left; x < yellow.right; ++x) {
            const uint32_t was = empty->Pixel(x, y), now = lpDDSBack->Pixel(x, y);
            if (now == was)
                continue;
            EXPECT_LE(now & 31, was & 31) << x << "," << y; // no blue in yellow
            lit = std::max<int>(lit, std::min<int>(now >> 11, now >> 6 & 31));
        }
    EXPECT_GT(lit, 20);
    // The selection's fill is the value 0xFF00FF cut to the 16-bit frame: 0x00FF.
    const Rect selected = Lines(0)[1].rect;
    EXPECT_EQ(lpDDSBack->Pixel(selected.right - 1, selected.top), 0x00FFu);
}

TEST_F(ChatWindowTest, LobbyWindowsShareOneColumnTileUnderTheirArrows)
{
    std::unique_ptr<Surface> before = Snapshot();
    auto lobby = std::make_unique<CDxChatWnd>();
    // A second window going does not take the tile from the first.
    {
        CDxChatWnd other;
    }
    lobby->SetPos(38, 480, 541, 542);
    lobby->visible = 1;
    lobby->Draw(200);
    EXPECT_EQ(lobby->columnx, 546);
    EXPECT_EQ(lobby->up.x, 546);
    EXPECT_EQ(lobby->down.y, 542 - 16);
    // Between the arrows the column shows: (526 - 475) / 8 + 1 tiles from 475.
    std::unique_ptr<Surface> tile = Load("Graphic\\NetForm\\barcenter.bmp");
    EXPECT_EQ(CellMismatches(*tile, tile->Bounds(), 546, 491, *before, false), 0);
    EXPECT_EQ(CellMismatches(*tile, tile->Bounds(), 546, 515, *before, false), 0);
}

} // namespace
