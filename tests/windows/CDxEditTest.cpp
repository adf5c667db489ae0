#include "tests/windows/WidgetFixture.h"
#include "windows/CDxEdit.h"

namespace {

// A focused chat input at (100, 300); its text may run to x 265.
class CDxEditTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        edit = std::make_unique<CDxEdit>("Graphic\\input.bmp");
        edit->SetPos(100, 300);
        edit->focused = 1;
    }
    void Type(std::string_view keys)
    {
        for (char key : keys)
            edit->KeyPress(static_cast<uint8_t>(key));
    }
    // The box drawn on a plain frame; the frame stays so.
    std::unique_ptr<Surface> Drawn()
    {
        lpDDSBack->Fill(lpDDSBack->Bounds(), kBackground);
        edit->Draw();
        return Snapshot();
    }
    std::unique_ptr<CDxEdit> edit;
};

TEST_F(CDxEditTest, OnlyAFocusedBoxTakesKeysAndNeverControlBytes)
{
    edit->focused = 0;
    EXPECT_FALSE(edit->KeyPress('a'));
    EXPECT_FALSE(edit->MouseDown(100, 310));
    EXPECT_FALSE(edit->MouseDown(150, 324));
    EXPECT_TRUE(edit->MouseDown(101, 301));
    EXPECT_TRUE(edit->KeyPress('a'));
    for (uint8_t key : {13, 27, 1, 22, 127})
        EXPECT_FALSE(edit->KeyPress(key)) << int(key);
    EXPECT_EQ(edit->text, "a");
}

TEST_F(CDxEditTest, AFullBoxRefusesACharacterWholeWithOneBeep)
{
    Type(std::string(99, 'a') + "b");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(edit->text, std::string(99, 'a'));

    edit->text.resize(98);
    Type("中");
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(edit->text, std::string(98, 'a'));
    // The refused character's second byte went with it; what follows is typed as usual.
    Type("b");
    EXPECT_EQ(edit->text, std::string(98, 'a') + "b");
    Type("中");
    EXPECT_EQ(beeps, 3);
    EXPECT_EQ(edit->GetText(99).size(), 99u);
}

TEST_F(CDxEditTest, BackspaceRemovesTheLastWholeCharacter)
{
    EXPECT_TRUE(edit->KeyPress(8));
    Type("a中\b");
    EXPECT_EQ(edit->text, "a");
    // A character whose second byte is below 0x80 goes whole too.
    Type("\x81\x40\b");
    EXPECT_EQ(edit->text, "a");
    Type("中\x81\x40\x81\x40\b\b\b");
    EXPECT_EQ(edit->text, "a");
    EXPECT_EQ(edit->GetText(2), "a");
}

TEST_F(CDxEditTest, AMaskedBoxShowsOneStarPerByte)
{
    for (uint8_t focused : {0, 1}) {
        edit->focused = focused;
        edit->mask = 1;
        edit->text = "中文";
        std::unique_ptr<Surface> masked = Drawn();
        edit->mask = 0;
        edit->text = "****";
        Drawn();
        EXPECT_EQ(Changed(*masked, masked->Bounds()), 0) << int(focused);
    }
}

TEST_F(CDxEditTest, TextStartsFiveInAndWhenTooWideShowsItsEndAndTheCaretRightAligned)
{
    edit->focused = 0;
    std::unique_ptr<Surface> empty = Drawn();
    edit->text = "W";
    Drawn();
    EXPECT_EQ(Extent(*empty).left, 105);

    edit->focused = 1;
    edit->text = std::string(60, 'W');
    std::unique_ptr<Surface> withCaret = Drawn();
    const Rect text = Extent(*empty);
    EXPECT_LE(text.left, 106); // the start is cut off at the margin
    EXPECT_TRUE(text.right > 260 && text.right <= 266) << text.right;
    // The caret's blink shows and hides the caret only: the text stays in place.
    edit->caret = 0;
    Drawn();
    const Rect caret = Extent(*withCaret);
    EXPECT_TRUE(!caret.Empty() && caret.left >= 259 && caret.right <= 266) << caret.left << "-" << caret.right;
}

TEST_F(CDxEditTest, TheTextHasTheBoxsColour)
{
    edit->focused = 0;
    edit->color = 0x0000FF; // red, as Windows writes it
    std::unique_ptr<Surface> empty = Drawn();
    edit->text = "中中中";
    Drawn();
    int reddest = 0;
    EachChanged(*empty, {100, 300, 270, 324}, [&](uint32_t was, uint32_t now, int, int) {
        EXPECT_LE(now & 31, was & 31);
        reddest = std::max<int>(reddest, (now >> 11) - (now & 31));
    });
    EXPECT_GT(reddest, 12);
}

} // namespace
