#include "platform/SurfaceText.h"
#include "screen/FrameBlend.h"
#include "tests/windows/WidgetFixture.h"
#include "windows/CDxChatWnd.h"

namespace {

// A shown table chat window whose text rectangle is 100 pixels tall.
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
    const std::vector<CChatLine> &Lines(int page) const { return wnd->pages.GetPage(page)->list.lines; }
    void Click(const CBitButton &arrow)
    {
        wnd->MouseDown(arrow.x + 5, arrow.y + 5);
        EXPECT_TRUE(wnd->MouseUp(arrow.x + 5, arrow.y + 5));
    }
    // The window as drawn with no text: the blended backing and the arrows.
    std::unique_ptr<Surface> Empty(int alpha)
    {
        GAlphaBlend(wnd->background.Get(), kText.left - 5, kText.top - 5, 0, 0, wnd->background.Width(),
                    wnd->background.Height(), alpha);
        wnd->up.Draw();
        wnd->down.Draw();
        std::unique_ptr<Surface> empty = Snapshot();
        lpDDSBack->Fill(lpDDSBack->Bounds(), kBackground);
        return empty;
    }

    std::unique_ptr<CDxGameChatWnd> wnd;
};

TEST_F(ChatWindowTest, TextsFillAPageAndTheOneThatDoesNotFitStartsTheNextAndIsShown)
{
    const int h = MeasureSurfaceText("x", {0, 0, 163, 0}, TextWordBreak, TextFont::IconTitle).Height();
    const int fit = (100 - h) / (h + 4) + 1;
    for (int i = 0; i < fit; ++i)
        wnd->AddText("line", 0xFFFFFF);
    EXPECT_EQ(wnd->curpage, 0);
    wnd->AddText("next", 0xFFFFFF);
    EXPECT_EQ(wnd->curpage, 1);
    ASSERT_EQ(static_cast<int>(Lines(0).size()), fit);
    for (int i = 0; i < fit; ++i)
        EXPECT_EQ(Lines(0)[i].rect, (Rect{200, 100 + i * (h + 4), 363, 100 + i * (h + 4) + h})) << i;
    EXPECT_EQ(Lines(1).front().rect.top, 100);

    // The arrows turn pages, never past the first or the last.
    Click(wnd->down);
    EXPECT_EQ(wnd->curpage, 1);
    Click(wnd->up);
    Click(wnd->up);
    EXPECT_EQ(wnd->curpage, 0);
}

TEST_F(ChatWindowTest, ATextTallerThanThePageIsCutAndTheNextTextGetsAPageOfItsOwn)
{
    std::string tall;
    for (int i = 0; i < 400; ++i)
        tall += "word ";
    wnd->AddText(tall, 0xFFFFFF);
    EXPECT_EQ(Lines(0).front().rect, kText);
    EXPECT_EQ(Lines(0).front().text.size(), 2000u);
    std::unique_ptr<Surface> before = Snapshot();
    wnd->Draw(255);
    EXPECT_EQ(Changed(*before, {kText.left, kText.bottom + 5, kText.right, kText.bottom + 60}), 0);
    wnd->AddText("short", 0xFFFFFF);
    EXPECT_EQ(wnd->pages.Count(), 2);
    EXPECT_EQ(wnd->curpage, 1);
}

TEST_F(ChatWindowTest, ThePointerSelectsTheLineUnderItAndLineAtGivesItInsideAClickableWindow)
{
    for (const char *line : {"first", "第二行", "third"})
        wnd->AddText(line, 0xFFFFFF);
    const int y = Lines(0)[1].rect.top + 2;
    EXPECT_FALSE(wnd->MouseMove(250, y)); // not clickable: the lines do not follow
    wnd->clickable = 1;
    EXPECT_EQ(wnd->LineAt(250, 150), std::nullopt);
    EXPECT_TRUE(wnd->MouseMove(250, y));
    EXPECT_FALSE(wnd->MouseMove(260, y));
    EXPECT_FALSE(wnd->MouseMove(250, 195)); // below the last line
    EXPECT_FALSE(wnd->MouseMove(600, 500));
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
    wnd->AddText("gone", 0xFFFFFF);
    wnd->Clear();
    EXPECT_EQ(wnd->curpage, -1);
    wnd->Draw(180);
    EXPECT_EQ(Changed(*empty, lpDDSBack->Bounds()), 0);
    wnd->AddText("again", 0xFFFFFF);
    EXPECT_EQ(wnd->curpage, 0);
}

TEST_F(ChatWindowTest, AWindowKeepsTheLastTwoThousandTextsWithControlBytesShownAsSpaces)
{
    constexpr size_t kKept = CChatPageList::kKeptLines, kAdded = kKept * 5 / 2;
    for (size_t i = 0; i < kAdded; ++i)
        wnd->AddText(std::to_string(i), 0xFFFFFF);
    std::vector<std::string> kept;
    for (int page = 0; page < wnd->pages.Count(); ++page)
        for (const CChatLine &line : Lines(page))
            kept.push_back(line.text);
    // The oldest page goes once the pages after it hold the texts kept.
    ASSERT_TRUE(kept.size() >= kKept && kept.size() - Lines(0).size() < kKept) << kept.size();
    for (size_t i = 0; i < kept.size(); ++i)
        ASSERT_EQ(kept[i], std::to_string(kAdded - kept.size() + i)) << "the newest texts, in order";
    wnd->AddText("a\r\nb\tc", 0xFFFFFF);
    EXPECT_EQ(Lines(wnd->curpage).back().text, "a  b c");
}

TEST_F(ChatWindowTest, ALineIsDrawnInItsOwnColourOverTheSelectionFill)
{
    std::unique_ptr<Surface> empty = Empty(255);
    wnd->AddText("中中中中", 0x00FFFF); // yellow, as Windows writes it
    wnd->AddText("selected", 0xFFFFFF);
    wnd->pages.HitTest(250, Lines(0)[1].rect.top + 2, 0);
    wnd->Draw(255);
    const Rect yellow = Lines(0)[0].rect;
    int lit = 0;
    EachChanged(*empty, yellow, [&](uint32_t was, uint32_t now, int, int) {
        EXPECT_LE(now & 31, was & 31); // no blue in yellow
        lit = std::max<int>(lit, std::min<int>(now >> 11, now >> 6 & 31));
    });
    EXPECT_GT(lit, 20);
    // The selection's fill is the value 0xFF00FF cut to the 16-bit frame: 0x00FF.
    const Rect selected = Lines(0)[1].rect;
    EXPECT_EQ(lpDDSBack->Pixel(selected.right - 1, selected.top), 0x00FFu);
}

TEST_F(ChatWindowTest, ALobbyWindowDrawsItsColumnTileUnderItsArrows)
{
    std::unique_ptr<Surface> before = Snapshot();
    auto lobby = std::make_unique<CDxChatWnd>();
    {
        CDxChatWnd other; // another window going takes nothing of the first's
    }
    lobby->SetPos(38, 480, 541, 542);
    lobby->visible = 1;
    lobby->Draw(200);
    // Arrows at x 546, the down one ending at the bottom; between them tiles from 475 down.
    EXPECT_EQ(lobby->down.y, 542 - 16);
    std::unique_ptr<Surface> tile = Load("Graphic\\NetForm\\barcenter.bmp");
    EXPECT_EQ(CellMismatches(*tile, tile->Bounds(), 546, 491, *before, false), 0);
    EXPECT_EQ(CellMismatches(*tile, tile->Bounds(), 546, 515, *before, false), 0);
}

} // namespace
