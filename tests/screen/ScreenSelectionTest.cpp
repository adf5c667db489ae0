#include "screen/SharedSprites.h"
#include "tests/kit/FrameProbe.h"
#include "tests/screen/TableScreenFixture.h"
#include "windows/CBitForm.h"
#include "windows/CInviteForm.h"
#include "windows/Screens.h"

// Which screen stands over the table, and whether the table shows under it dimmed, plain or not at all.
namespace {

// A screen that paints one solid rectangle.
class SolidScreen : public CBitForm {
public:
    SolidScreen(Rect box, uint16_t colour) : CBitForm("Graphic\\hint.bmp", nullptr), box_(box), colour_(colour) {}
    void Draw() override { lpDDSBack->Fill(box_, colour_); }
    void Show() override {}
    int MouseDown(int, int) override { return -1; }
    int MouseMove(int, int) override { return -1; }
    int MouseUp(int, int) override { return -1; }

private:
    Rect box_;
    uint16_t colour_;
};

constexpr uint16_t kMarker = 0x1234;
constexpr uint16_t kScreenColour = 0xF800;
constexpr Rect kScreenBox{300, 200, 500, 400};
constexpr Point kProbe{400, 30}; // bare table, outside every screen

uint16_t Dimmed(uint16_t under, int alpha)
{
    const uint16_t black = static_cast<uint16_t>(sprites::black.surface->Pixel(0, 0));
    auto mix = [alpha](int s, int d) { return d + (((s - d) * alpha) >> 8); };
    return static_cast<uint16_t>(mix(black >> 11, under >> 11) << 11 | mix(black >> 5 & 63, under >> 5 & 63) << 5 |
                                 mix(black & 31, under & 31));
}

class Screens : public TableScreen {
protected:
    void TearDown() override
    {
        for (CBitForm **slot : {&scoreform, &setform, &welcomform, &inputnamedlg, &modeform})
            *slot = nullptr;
        curscreen = SCREEN_NONE;
        setformfrom = 0;
        TableScreen::TearDown();
    }

    // The frame composed with screen id shown, over a frame filled with the marker.
    void Compose(int8_t id)
    {
        curscreen = id;
        lpDDSBack->Fill(lpDDSBack->Bounds(), kMarker);
        mj->Paint();
    }
    uint32_t Probe() const { return Frame().Pixel(kProbe.x, kProbe.y); }
    uint32_t Room() const { return mj->draw.room.surface->Pixel(kProbe.x, kProbe.y); }
    bool ScreenDrawn() const { return Frame().Pixel(400, 300) == kScreenColour; }

    SolidScreen screenOnTop{kScreenBox, kScreenColour};
};

TEST_F(Screens, ScoresAndOptionsStandOverTheDimmedTable)
{
    scoreform = &screenOnTop;
    Compose(SCREEN_SCORE);
    EXPECT_TRUE(ScreenDrawn());
    EXPECT_EQ(Dimmed(Room(), 100), Probe());

    setform = &screenOnTop;
    setformfrom = SCREEN_NONE;
    Compose(SCREEN_OPTIONS);
    EXPECT_TRUE(ScreenDrawn());
    EXPECT_EQ(Dimmed(Room(), 100), Probe());
}

TEST_F(Screens, OptionsFromTheTitleMenuStandOverTheMenuDimmedHarder)
{
    SolidScreen menu({0, 0, 800, 600}, 0x07E0);
    modeform = &menu;
    setform = &screenOnTop;
    setformfrom = SCREEN_MENU;
    Compose(SCREEN_OPTIONS);
    EXPECT_TRUE(ScreenDrawn());
    EXPECT_EQ(Dimmed(0x07E0, 150), Probe());
}

TEST_F(Screens, NameAndInvitationScreensLeaveTheTableAsItIs)
{
    inputnamedlg = &screenOnTop;
    Compose(SCREEN_NAME);
    EXPECT_TRUE(ScreenDrawn());
    EXPECT_EQ(Room(), Probe());
    Compose(SCREEN_NONE);
    Surface table = Frame();
    Compose(SCREEN_INVITE);
    // The invitation screen itself changes only its own place.
    const CBitForm &invite = *inviteform;
    const Rect own{invite.x, invite.y, invite.x + invite.background.Width(), invite.y + invite.background.Height()};
    Rect changed = ChangedRect(table, Frame());
    EXPECT_FALSE(changed.Empty());
    EXPECT_EQ(changed, Intersect(changed, own));
}

TEST_F(Screens, SlotsAndTitleMenuHideTheTable)
{
    welcomform = &screenOnTop;
    Compose(SCREEN_SLOTS);
    EXPECT_TRUE(ScreenDrawn());
    EXPECT_EQ(kMarker, Probe());
    modeform = &screenOnTop;
    Compose(SCREEN_MENU);
    EXPECT_TRUE(ScreenDrawn());
    EXPECT_EQ(kMarker, Probe());
    // Ids without a screen show the table alone.
    Compose(5);
    EXPECT_EQ(Room(), Probe());
    EXPECT_FALSE(ScreenDrawn());
}

TEST_F(Screens, TheGameMenuOpensOverTheDimmedTableWithItsButtonsBright)
{
    driver->Key(TableDriver::KeyEsc);
    ASSERT_TRUE(mj->tablebuttons.Get(27)->visible);
    const Sprite &popup = sprites::popup;
    // The panel's title, above the buttons.
    EXPECT_EQ(popup.surface->Pixel(136, 45), Frame().Pixel(264 + 136, 96 + 45));
    EXPECT_EQ(Dimmed(Room(), 100), Probe());
    for (int index = 27; index <= 30; ++index) {
        const CBitButton *button = mj->tablebuttons.Get(index);
        Rect normal{0, 0, button->GetWidth(), button->GetHeight()};
        EXPECT_EQ(0, CellMismatches(Frame(), button->x, button->y, *button->picture.Get(), normal)) << index;
    }
    driver->Key(TableDriver::KeyEsc);
    EXPECT_FALSE(mj->tablebuttons.Get(27)->visible);
    EXPECT_EQ(Room(), Probe());
}

TEST_F(Screens, TheLayoutPlacesTheTableButtons)
{
    const CBitButtonArray &b = mj->tablebuttons;
    EXPECT_EQ(704, b.Get(16)->x);
    EXPECT_EQ(550, b.Get(16)->y);
    EXPECT_EQ(710, b.Get(20)->x);
    EXPECT_EQ(3, b.Get(20)->y);
    EXPECT_EQ(380, b.Get(11)->x);
    EXPECT_EQ(443, b.Get(11)->y);
    for (int index : {5, 14}) {
        EXPECT_EQ(0, b.Get(index)->x);
        EXPECT_EQ(0, b.Get(index)->y);
    }
    EXPECT_EQ(36, b.Count());
}

} // namespace
