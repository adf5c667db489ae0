#include "windows/CScoreForm.h"

#include "platform/SurfaceText.h"
#include "rules/FanTable.h"
#include "screen/Device.h"
#include "screen/FrameBlend.h"
#include "table/CMj.h"

#include <algorithm>
#include <string>

CScoreForm *scoreform = nullptr;

namespace {

constexpr int kFadedAlpha = 120;
constexpr int kHintAlpha = 250;
constexpr int kSpace = 32;
constexpr int kTileCells = 43;
constexpr int kSuitBase[5] = {0, 9, 18, 27, 34};
constexpr int kGroupGap = 3;
constexpr int kKongRise = 12;
constexpr int kDigitWidth = 19;
constexpr int kDigitHeight = 18;
constexpr Rect kPlus{0, 0, 14, 12};
constexpr Rect kMinus{14, 0, 28, 12};
constexpr int kHintWidth = 283;
constexpr int kHintHeight = 117;
constexpr int kHintsPerRow = 10;
constexpr int kHintGap = 3; // between a fan's explanation and its row
constexpr int kHandRow = 86;
constexpr int kRowTop = 171;
constexpr int kRowHeight = 25;
constexpr int kRowLeft = 19;
constexpr int kRowRight = 279;
constexpr int kRowLightRise = 3; // the pointed row's light ground starts above its letters
constexpr uint32_t kGold = 0xFFBE00;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kBlack = 0x000000;

// Where each seat's sign and first digit stand, and its name's box, relative to the panel.
struct SeatPlaces {
    Point sign, digits, name;
};
constexpr SeatPlaces kSeatPlaces[4] = {
    {{348, 251}, {363, 249}, {355, 268}},
    {{401, 206}, {416, 204}, {407, 223}},
    {{348, 158}, {363, 156}, {355, 174}},
    {{300, 206}, {315, 204}, {307, 223}},
};

} // namespace

CScoreForm::CScoreForm(std::string_view backgroundPath, CMj *game)
    : CBitForm(backgroundPath, game, true), tiles("Graphic\\ScoreForm\\mj.bmp", true),
      drawngame("Graphic\\ScoreForm\\huangpai.bmp", true), digits("Graphic\\ScoreForm\\lresultnumber2.bmp", true),
      signs("Graphic\\ScoreForm\\lresultSign2.bmp", true), column("Graphic\\ScoreForm\\barcenter.bmp", true),
      hints("Graphic\\ScoreForm\\hint.bmp", true), rowlight("Graphic\\ScoreForm\\rowlight.bmp", true)
{
    for (const char *name : {"replay", "exit", "up", "down"})
        buttons.Add(std::string("Graphic\\ScoreForm\\") + name + ".bmp", "");
    Centre();
}

void CScoreForm::SetPos(int px, int py)
{
    CBitForm::SetPos(px, py);
    buttons.SetPos(REPLAY, px + 308, py + 298);
    buttons.SetPos(EXIT, px + 399, py + 298);
    buttons.SetPos(UP, px + 279, py + 149);
    buttons.SetPos(DOWN, px + 279, py + 298);
}

std::vector<CScoreForm::FanRow> CScoreForm::Rows() const
{
    std::vector<FanRow> rows;
    if (winner < 0)
        return rows;
    const CMjPlayer &p = owner->player[winner];
    for (int fan = 0; fan < FAN_COUNT - 1; ++fan)
        if (p.fanflag[fan] || (fan == FAN_FLOWERS && p.flowernum > 0))
            rows.push_back({false, fan});
    for (int extra = 0; extra < EXTRA_FAN_USED; ++extra)
        if (p.extrafanflag[extra])
            rows.push_back({true, extra});
    return rows;
}

int CScoreForm::Points(FanRow row) const
{
    if (row.extra)
        return ExtraFanPoints(row.index);
    if (row.index == FAN_FLOWERS)
        return winner >= 0 ? owner->player[winner].flowernum : 0;
    return FanPoints(row.index);
}

void CScoreForm::Show()
{
    winner = -1;
    for (int seat = 0; seat < 4 && winner < 0; ++seat)
        if (owner->player[seat].ishu)
            winner = seat;
    buttons.Get(UP)->visible = winner >= 0;
    buttons.Get(DOWN)->visible = winner >= 0;
    hoverrow = -1;
    firstrow = 0;
    panelshown = 1;
    curscreen = SCREEN_SCORE;
    Repaint();
}

int CScoreForm::MouseDown(int px, int py)
{
    const int index = ButtonsDown(px, py);
    if (index < 0)
        hoverheld = 1;
    return index;
}

int CScoreForm::MouseMove(int px, int py)
{
    if (hoverheld)
        return 0;
    const int index = ButtonsMove(px, py);
    if (index >= 0)
        return index;
    int row = -1;
    if (px >= x + kRowLeft && px <= x + kRowRight && py >= y + kRowTop && py <= y + kRowTop + kRowsShown * kRowHeight)
        row = std::min((py - (y + kRowTop)) / kRowHeight, kRowsShown - 1);
    if (row != hoverrow) {
        hoverrow = row;
        Repaint();
    }
    return index;
}

int CScoreForm::MouseUp(int px, int py)
{
    hoverheld = 0;
    const int index = buttons.MouseUp(px, py);
    switch (index) {
    case REPLAY:
        Hide();
        owner->NextHand();
        break;
    case EXIT:
        owner->LeaveTable();
        break;
    case UP:
        firstrow = std::max(firstrow - 1, 0);
        Repaint();
        break;
    case DOWN:
        if (static_cast<int>(Rows().size()) - firstrow > kRowsShown)
            ++firstrow;
        Repaint();
        break;
    default:
        break;
    }
    return index;
}

int CScoreForm::OnSpaceDown(int key)
{
    if (key == kSpace && panelshown) {
        panelshown = 0;
        Repaint();
    }
    return 0;
}

int CScoreForm::OnSpaceUp(int key)
{
    if (key == kSpace) {
        panelshown = 1;
        Repaint();
    }
    return 0;
}

void CScoreForm::DrawTile(MjTile tile, int px, int py, bool faded)
{
    if (tile.suit < 0 || tile.suit > 4 || !tiles.Get())
        return;
    const int cell = kSuitBase[tile.suit] + tile.value - 1;
    // A tile from elsewhere (the server) may name no cell of the strip.
    if (cell < 0 || cell >= kTileCells)
        return;
    const int w = tiles.Width() / kTileCells;
    const Rect from{cell * w, 0, (cell + 1) * w, tiles.Height()};
    if (faded)
        GAlphaBlend(tiles.Get(), px, py, from.left, from.top, from.right, from.bottom, kFadedAlpha);
    else
        lpDDSBack->Blit(px, py, *tiles.Get(), from, true);
}

void CScoreForm::DrawGroup(const GetMj &group, int *px, int py, bool wildFaded)
{
    const int w = tiles.Width() / kTileCells;
    const int count = std::clamp(group.count, 0, 4);
    for (int i = 0; i < std::min(count, 3); ++i)
        DrawTile(group.tiles[i], *px + i * w, py, wildFaded && group.wildfill[i]);
    if (count == 4)
        DrawTile(group.tiles[3], *px + w, py - kKongRise, wildFaded && group.wildfill[3]);
    *px += std::min(count, 3) * w + kGroupGap;
}

void CScoreForm::DrawHand(const CMjPlayer &p)
{
    DrawTile(p.winmj, x + 76, y + 35, false);
    const int row = y + kHandRow;
    int px = x + 15;
    for (int m = 0; m < std::clamp(p.getnum, 0, 5); ++m)
        DrawGroup(p.getmj[m], &px, row, false);
    if (p.hunum == 0) {
        const int w = tiles.Width() / kTileCells;
        for (int i = 0; i < std::clamp(p.cardnum, 0, 14); ++i)
            DrawTile(p.Mj[i], px + i * w, row, false);
        return;
    }
    for (int g = 0; g < std::clamp(p.hunum, 0, 6); ++g)
        DrawGroup(p.hugroup[g], &px, row, true);
}

void CScoreForm::DrawScoreChange(int32_t change, int signx, int signy, int digitx, int digity)
{
    // Taken in 64 bits: the size of the most negative change does not fit its own type.
    const int64_t size = change < 0 ? -int64_t{change} : int64_t{change};
    if (size >= kMaxShown || !signs.Get() || !digits.Get())
        return;
    if (change != 0)
        lpDDSBack->Blit(signx, signy, *signs.Get(), change < 0 ? kMinus : kPlus, true);
    int64_t divisor = 1000;
    for (int i = 0; i < 4; ++i, divisor /= 10) {
        const int d = static_cast<int>(size / divisor % 10);
        lpDDSBack->Blit(digitx + i * kDigitWidth, digity, *digits.Get(),
                        {d * kDigitWidth, 0, (d + 1) * kDigitWidth, kDigitHeight}, true);
    }
}

void CScoreForm::DrawTexts()
{
    const CMjPlayer &w = owner->player[winner];
    DrawSurfaceText(*lpDDSBack, std::to_string(w.totalfan) + " Fan", {x + 457, y + 52, x + 537, y + 84}, TextLeft,
                    {TextFont::Arial12, kGold});
    for (int seat = 0; seat < 4; ++seat) {
        const Point at = kSeatPlaces[seat].name;
        DrawSurfaceText(*lpDDSBack, owner->player[seat].GetName(), {x + at.x, y + at.y, x + at.x + 80, y + at.y + 32},
                        TextCentre | TextVCentre, {TextFont::Arial12, kWhite});
    }
}

void CScoreForm::DrawRows()
{
    const std::vector<FanRow> rows = Rows();
    for (int r = 0; r < kRowsShown && firstrow + r < static_cast<int>(rows.size()); ++r) {
        const FanRow row = rows[firstrow + r];
        const int ry = y + kRowTop + r * kRowHeight;
        const bool hovered = r == hoverrow;
        const char *name = row.extra ? kExtraFanNamesEn[row.index] : kFanNamesEn[row.index];
        const int nameRight = row.extra ? 200 : 219;
        const uint32_t colour = hovered ? (row.extra ? kBlack : kBlue) : kWhite;
        if (hovered && rowlight.Get())
            lpDDSBack->Blit(x + kRowLeft, ry - kRowLightRise, *rowlight.Get(), rowlight.rect, true);
        DrawSurfaceText(*lpDDSBack, name, {x + kRowLeft, ry, x + nameRight, ry + 32}, TextLeft, {TextFont::Arial12, colour});
        DrawSurfaceText(*lpDDSBack, std::to_string(Points(row)), {x + 235, ry, x + 285, ry + 32}, TextLeft,
                        {TextFont::Arial12, kGold});
    }
    if (hoverrow < 0 || firstrow + hoverrow >= static_cast<int>(rows.size()) || !hints.Get())
        return;
    const FanRow hovered = rows[firstrow + hoverrow];
    if (hovered.extra || hovered.index < 1)
        return;
    const int cell = hovered.index - 1;
    const int left = cell % kHintsPerRow * kHintWidth, top = cell / kHintsPerRow * kHintHeight;
    GAlphaBlend(hints.Get(), x + kRowLeft, y + HintTop(hoverrow), left, top, left + kHintWidth, top + kHintHeight,
                kHintAlpha);
}

int CScoreForm::HintTop(int row) const
{
    // Above the pointed row, unless it would cover the winning hand there: then below the row.
    const int above = kRowTop + row * kRowHeight - kHintGap - kHintHeight;
    const int handBottom = kHandRow + tiles.Height();
    return above >= handBottom ? above : kRowTop + (row + 1) * kRowHeight;
}

void CScoreForm::Draw()
{
    if (!panelshown || !lpDDSBack)
        return;
    // Opaque, so that the table's discards do not show through the fans and the points.
    if (background.Get())
        lpDDSBack->Blit(x, y, *background.Get(), background.rect, true);
    // A missing column picture has no height to step by.
    if (winner >= 0 && column.Get() && column.Height() > 0)
        for (int k = 0; k <= 140 / column.Height(); ++k)
            lpDDSBack->Blit(x + 279, y + 169 + k * column.Height(), *column.Get(), column.rect, true);
    buttons.DrawAll();
    if (winner < 0) {
        if (drawngame.Get())
            lpDDSBack->Blit(x + 141, y + 94, *drawngame.Get(), drawngame.rect, true);
        return;
    }
    DrawHand(owner->player[winner]);
    for (int seat = 0; seat < 4; ++seat) {
        const SeatPlaces &at = kSeatPlaces[seat];
        DrawScoreChange(owner->player[seat].scorechange, x + at.sign.x, y + at.sign.y, x + at.digits.x, y + at.digits.y);
    }
    DrawTexts();
    DrawRows();
}
