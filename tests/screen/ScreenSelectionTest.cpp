#include "screen/SharedSprites.h"
#include "tests/kit/FrameProbe.h"
#include "tests/screen/TableScreenFixture.h"
#include "windows/CBitForm.h"
#include "windows/CInputNameDlg.h"
#include "windows/CInviteForm.h"
#include "windows/CModeForm.h"
#include "windows/CScoreForm.h"
#include "windows/CSetForm.h"
#include "windows/CWelComForm.h"

#include <utility>

// Which screen stands over the table, and whether the table shows under it dimmed, plain or not at all.
namespace {

constexpr uint16_t kMarker = 0x1234;
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
    // The frame changed inside the screen's own place, compared with the frame of the id shown alone.
    bool Drawn(const CBitForm &screen, const Surface &without) const
    {
        const Rect own{screen.x, screen.y, screen.x + screen.background.Width(), screen.y + screen.background.Height()};
        const Rect changed = ChangedRect(without, Frame());
        return !changed.Empty() && changed == Intersect(changed, own);
    }
};

TEST_F(Screens, EachScreenShowsTheTableDimmedPlainOrNotAtAllAndDrawsOnlyItsOwnPlace)
{
    const uint32_t room = Room();
    const uint32_t menu = modeform->background.Get()->Pixel(kProbe.x, kProbe.y);
    const struct {
        int id, from;
        uint32_t probe;
    } cases[] = {
        {SCREEN_SCORE, 0, Dimmed(room, 100)},
        {SCREEN_OPTIONS, 0, Dimmed(room, 100)},
        {SCREEN_OPTIONS, SCREEN_MENU, Dimmed(menu, 150)}, // over the title menu, dimmed harder
        {SCREEN_NAME, 0, room},
        {SCREEN_INVITE, 0, room},
        {SCREEN_SLOTS, 0, welcomform->background.Get()->Pixel(kProbe.x, kProbe.y)},
        {SCREEN_MENU, 0, menu},
        {5, 0, room}, // an id without a screen shows the table alone
    };
    for (const auto &c : cases) {
        setformfrom = static_cast<int8_t>(c.from);
        Compose(static_cast<int8_t>(c.id));
        EXPECT_EQ(c.probe, Probe()) << c.id << " from " << c.from;
    }
    setformfrom = 0;
    // The score screen changes only its own place of the dimmed table, the name and invitation
    // screens only theirs of the table.
    CScoreForm *score = std::exchange(scoreform, nullptr);
    Compose(SCREEN_SCORE);
    Surface dimmed = Frame();
    scoreform = score;
    Compose(SCREEN_SCORE);
    EXPECT_TRUE(Drawn(*scoreform, dimmed));
    // The table as the screens leave it: the product's link stands only while no screen is up.
    mj->linklabels[0].shown = 0;
    Compose(SCREEN_NONE);
    Surface table = Frame();
    mj->linklabels[0].shown = 1;
    for (int8_t id : {int8_t(SCREEN_NAME), int8_t(SCREEN_INVITE)}) {
        Compose(id);
        const CBitForm &screen = id == SCREEN_NAME ? static_cast<const CBitForm &>(*inputnamedlg) : *inviteform;
        EXPECT_TRUE(Drawn(screen, table)) << int(id);
    }
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
