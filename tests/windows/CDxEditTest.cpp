#include "platform/SurfaceText.h"
#include "tests/windows/WidgetFixture.h"
#include "windows/CDxEdit.h"

namespace {

constexpr const char *kField = "Graphic\\input.bmp";

class CDxEditTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        edit = std::make_unique<CDxEdit>(kField);
        edit->SetPos(100, 300);
        edit->focused = 1;
    }
    void Type(std::string_view keys)
    {
        for (char key : keys)
            edit->KeyPress(static_cast<uint8_t>(key));
    }
    // The frame's pixels of the box after drawing it as it is now.
    std::unique_ptr<Surface> Drawn()
    {
        lpDDSBack->Fill(lpDDSBack->Bounds(), kBackground);
        edit->Draw();
        return Snapshot();
    }
    // The leftmost and rightmost columns where two drawings of the box differ, or {-1, -1}.
    static std::pair<int, int> Columns(const Surface &a, const Surface &b)
    {
        int first = -1, last = -1;
        for (int x = 0; x < 800; ++x)
            for (int y = 300; y < 324; ++y)
                if (a.Pixel(x, y) != b.Pixel(x, y)) {
                    first = first < 0 ? x : first;
                    last = x;
                }
        return {first, last};
    }

    std::unique_ptr<CDxEdit> edit;
};

TEST_F(CDxEditTest, OnlyAFocusedBoxTakesKeysAndNeverControlBytes)
{
    edit->focused = 0;
    EXPECT_FALSE(edit->KeyPress('a'));
    EXPECT_FALSE(edit->MouseDown(100, 310));
    EXPECT_FALSE(edit->MouseDown(150, 324));
    EXPECT_EQ(edit->focused, 0);
    EXPECT_TRUE(edit->MouseDown(101, 301));
    EXPECT_EQ(edit->focused, 1);
    EXPECT_TRUE(edit->KeyPress('a'));
    for (uint8_t key : {13, 27, 1, 22, 127})
        EXPECT_FALSE(edit->KeyPress(key)) << int(key);
    EXPECT_EQ(edit->text, "a");
}

TEST_F(CDxEditTest, TheHundredthByteBeepsAndChangesNothing)
{
    Type(std::string(99, 'a'));
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(edit->KeyPress('b'));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(edit->text, std::string(99, 'a'));
}

TEST_F(CDxEditTest, AChineseCharacterThatDoesNotFitIsRefusedWholeWithOneBeep)
{
    Type(std::string(97, 'a') + "中");
    EXPECT_EQ(edit->text.size(), 99u);
    edit->text.resize(98);
    edit->text.back() = 'a';
    Type("中");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(edit->text, std::string(98, 'a'));
    // The refused character's second byte went with it; what follows is typed as usual.
    Type("b");
    EXPECT_EQ(edit->text, std::string(98, 'a') + "b");
    Type("中");
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(edit->text.size(), 99u);
}

TEST_F(CDxEditTest, BackspaceRemovesTheLastWholeCharacter)
{
    EXPECT_TRUE(edit->KeyPress(8));
    EXPECT_EQ(edit->text, "");
    Type("a中\b");
    EXPECT_EQ(edit->text, "a");
    Type("\b");
    EXPECT_EQ(edit->text, "");
    // A character whose second byte is below 0x80 goes whole too.
    Type("x\x81\x40\b");
    EXPECT_EQ(edit->text, "x");
    Type("中\x81\x40\x81\x40\b\b");
    EXPECT_EQ(edit->text, "x中");
    EXPECT_EQ(beeps, 0);
}

TEST_F(CDxEditTest, TextIsTakenOutCutBetweenCharacters)
{
    edit->text = "ab中d";
    EXPECT_EQ(edit->GetText(3), "ab");
    EXPECT_EQ(edit->GetText(4), "ab中");
    EXPECT_EQ(edit->GetText(99), "ab中d");
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
        EXPECT_EQ(Columns(*masked, *Drawn()), std::make_pair(-1, -1)) << int(focused);
    }
}

TEST_F(CDxEditTest, ShortTextStartsFiveInsideTheBox)
{
    std::unique_ptr<Surface> empty = Drawn();
    edit->text = "W";
    edit->caret = 0;
    auto [first, last] = Columns(*empty, *Drawn());
    EXPECT_GE(first, 105);
    EXPECT_LE(first, 107);
    EXPECT_LT(last, 120);
}

TEST_F(CDxEditTest, TextWiderThanTheBoxShowsItsEndAndTheCaretRightAligned)
{
    const int right = 100 + 170 - 5;
    edit->focused = 0;
    std::unique_ptr<Surface> empty = Drawn();
    edit->focused = 1;
    edit->text = std::string(60, 'W');
    std::unique_ptr<Surface> withCaret = Drawn();
    auto [first, last] = Columns(*empty, *withCaret);
    EXPECT_LE(first, 106); // the start is cut off at the margin
    EXPECT_GE(last, right - 5);
    EXPECT_LE(last, right);

    // The caret's blink shows and hides the caret only: the text stays in place.
    edit->caret = 0;
    std::unique_ptr<Surface> blank = Drawn();
    auto [caretFirst, caretLast] = Columns(*blank, *withCaret);
    EXPECT_GE(caretFirst, right - 6);
    EXPECT_LE(caretLast, right);
}

TEST_F(CDxEditTest, TheTextHasTheBoxsColour)
{
    edit->color = 0x0000FF; // red, as Windows writes it
    edit->focused = 0;
    std::unique_ptr<Surface> empty = Drawn();
    edit->text = "中中中";
    std::unique_ptr<Surface> red = Drawn();
    int reddest = 0;
    for (int y = 300; y < 324; ++y)
        for (int x = 100; x < 270; ++x) {
            const uint32_t was = empty->Pixel(x, y), now = red->Pixel(x, y);
            if (now == was)
                continue;
            EXPECT_LE(now & 31, was & 31) << x << "," << y;
            reddest = std::max<int>(reddest, (now >> 11) - (now & 31));
        }
    EXPECT_GT(reddest, 12);
}

} // namespace
