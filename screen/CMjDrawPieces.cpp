// The pieces of the table: tiles out of their sheets, signs, avatars, names, scores, discards,
// walls, melds, the other seats' hands, dice and digits.
#include "platform/Paths.h"
#include "platform/SurfaceText.h"
#include "screen/CMjDraw.h"
#include "screen/Device.h"
#include "screen/FrameBlend.h"
#include "screen/GifSurface.h"
#include "screen/SharedSprites.h"
#include "screen/SurfaceCache.h"
#include "table/CMj.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kSheetCells = 43;
constexpr int kBackCell = 42;
constexpr int kShortCut = 8;
constexpr int kShadeAlpha = 120;

// The first cell of each suit on a sheet; -1 for a suit the sheet has no cells for.
int SuitBase(int suit)
{
    switch (suit) {
    case SUIT_WAN: return 0;
    case SUIT_TIAO: return 9;
    case SUIT_BING: return 18;
    case SUIT_ZI: return 27;
    case SUIT_HUA: return 34;
    default: return -1;
    }
}

int FaceCell(MjTile tile)
{
    int base = SuitBase(tile.suit);
    return base < 0 ? -1 : base + tile.value - 1;
}

// The seat sheets also hold the back, and show any other suit by its value alone.
int SeatCell(MjTile tile)
{
    if (tile.suit == SUIT_BACK)
        return kBackCell;
    int cell = FaceCell(tile);
    return cell >= 0 ? cell : tile.value - 1;
}

TextStyle White(TextFont font = TextFont::Arial12)
{
    return TextStyle{font, 0xFFFFFF, false, 0};
}

void Text(std::string_view text, Rect box, unsigned flags, TextFont font = TextFont::Arial12)
{
    DrawSurfaceText(*lpDDSBack, text, box, flags, White(font));
}

constexpr Point kReadySign[4] = {{144, 437}, {692, 172}, {576, 46}, {32, 172}};
// A user's own picture is loaded at most this large.
constexpr int kShowWidth = 140, kShowHeight = 226;
constexpr Rect kAvatarRect[4] = {{0, 511, 57, 567}, {710, 225, 767, 281}, {190, 57, 247, 113}, {31, 225, 88, 281}};
constexpr Point kDiscardFrame[4] = {{355, 377}, {606, 250}, {356, 98}, {105, 250}};
constexpr int kDiscardFrameWidth = 89;
constexpr int kDiscardFrameHeight = 103;
constexpr int kDiceCell = 33;
// A ready badge's place beside its seat's plate.
constexpr int kBadgeDrop = 58, kBadgeGap = 4;
constexpr int kRollingCells = 6; // the six faces come first, the rolling frames after them

// Where the other seats' names and scores are written on their plates, from the plate's corner.
struct SeatText {
    int seat;
    Rect box;
};
constexpr SeatText kNames[] = {{3, {1, 0, 81, 18}}, {1, {0, 0, 80, 18}}, {2, {9, 0, 89, 18}}};
constexpr SeatText kScores[] = {{1, {20, 16, 70, 36}}, {2, {24, 16, 74, 36}}, {3, {22, 16, 72, 36}}};

} // namespace

bool IsSameOrFlower(MjTile a, MjTile b)
{
    if (!wildmode)
        return false;
    return IsSameMj(a, b) || (a.suit == SUIT_HUA && b.suit == SUIT_HUA);
}

void CMjDraw::DrawSprite(const Sprite &sprite, int x, int y)
{
    if (sprite.surface)
        lpDDSBack->Blit(x, y, *sprite.surface, sprite.rect, true);
}

void CMjDraw::BlendSprite(const Sprite &sprite, int x, int y, int alpha)
{
    GAlphaBlend(sprite.surface.get(), x, y, 0, 0, sprite.rect.Width(), sprite.rect.Height(), alpha);
}

void CMjDraw::DrawCell(const Sprite &sheet, TileCell cell, int index, int x, int y, bool shortTile, bool shaded)
{
    if (!sheet.surface || index < 0 || index >= kSheetCells)
        return;
    Rect source{index * cell.width, 0, (index + 1) * cell.width, cell.height - (shortTile ? kShortCut : 0)};
    if (shaded)
        GAlphaBlend(sheet.surface.get(), x, y, source.left, source.top, source.right, source.bottom, kShadeAlpha);
    else
        lpDDSBack->Blit(x, y, *sheet.surface, source, true);
}

void CMjDraw::DrawOwnTile(MjTile tile, int x, int y, bool faceup)
{
    bool empty = tile.value == 0 && tile.suit == 0;
    DrawCell(zjzl, owncell, !faceup || empty ? SuitBase(SUIT_ZI) : FaceCell(tile), x, y, false, false);
}

void CMjDraw::DrawOwnTileShaded(MjTile tile, int x, int y, bool faceup)
{
    if (!faceup)
        BlendSprite(seatback[2], x, y, kShadeAlpha);
    else
        DrawCell(zjzl, owncell, FaceCell(tile), x, y, false, true);
}

void CMjDraw::DrawSeatTile(int seat, MjTile tile, int x, int y, bool shortTile)
{
    DrawCell(wallsheet[seat & 3], wallcell[seat & 3], SeatCell(tile), x, y, shortTile, false);
}

void CMjDraw::DrawSeatTileShaded(int seat, MjTile tile, int x, int y, bool shortTile)
{
    int cell = tile.suit == SUIT_BACK ? tile.value - 1 : SeatCell(tile);
    DrawCell(wallsheet[seat & 3], wallcell[seat & 3], cell, x, y, shortTile, true);
}

void CMjDraw::DrawSmallTile(MjTile tile, int x, int y, bool shortTile)
{
    DrawCell(zmp, {zmpcellwidth, zmp.rect.Height()}, FaceCell(tile), x, y, shortTile, false);
}

void CMjDraw::DrawSmallTileShaded(MjTile tile, int x, int y)
{
    DrawCell(zmp, {zmpcellwidth, zmp.rect.Height()}, FaceCell(tile), x, y, false, true);
}

bool CMjDraw::SeatShown(const CMj &mj, int seat) const
{
    return !mj.netgame || mj.player[seat].seated;
}

void CMjDraw::DrawReadySigns(CMj &mj)
{
    for (int seat = 0; seat < 4; ++seat)
        if (mj.player[seat].ting)
            DrawSprite(state, kReadySign[seat].x, kReadySign[seat].y);
}

void CMjDraw::BlendInto(const Sprite &sprite, Rect box, int alpha)
{
    const int w = sprite.rect.Width();
    const int h = sprite.rect.Height();
    if (!sprite.surface || w <= 0 || h <= 0)
        return;
    if (w == box.Width() && h == box.Height()) {
        BlendSprite(sprite, box.left, box.top, alpha);
        return;
    }
    // The larger scale that keeps the whole picture inside the box.
    int fw = box.Width();
    int fh = h * box.Width() / w;
    if (fh > box.Height()) {
        fh = box.Height();
        fw = w * box.Height() / h;
    }
    Surface fitted(std::max(fw, 1), std::max(fh, 1));
    fitted.Fill(fitted.Bounds(), colorkey.low);
    fitted.StretchBlit(fitted.Bounds(), *sprite.surface, sprite.rect, true);
    GAlphaBlend(&fitted, box.left + (box.Width() - fitted.Width()) / 2, box.top + (box.Height() - fitted.Height()) / 2, 0,
                0, fitted.Width(), fitted.Height(), alpha);
}

void CMjDraw::DrawAvatars(CMj &mj)
{
    for (int seat : {3, 1, 2, 0}) {
        const CMjPlayer &p = mj.player[seat];
        avatarrect[seat] = kAvatarRect[seat];
        const Sprite &face = avatar[seat];
        if (!face.surface)
            continue;
        // A user's own picture is a standing figure far larger than the seat's place: in play it
        // keeps to that place like every other, so that it covers no tile, name or button.
        if (mj.gamestatus == 1 || (mj.netgame && p.seated && p.started))
            BlendInto(face, avatarrect[seat], 200);
        else if (SeatShown(mj, seat) && !face.rect.Empty())
            lpDDSBack->StretchBlit(avatarrect[seat], *face.surface, face.rect, true);
    }
}

Rect CMjDraw::OnPlate(int seat, Rect box) const
{
    const Point plate = chipplate[seat];
    return {plate.x + box.left, plate.y + box.top, plate.x + box.right, plate.y + box.bottom};
}

void CMjDraw::DrawNames(CMj &mj)
{
    for (const SeatText &name : kNames)
        if (SeatShown(mj, name.seat))
            Text(mj.player[name.seat].GetName(), OnPlate(name.seat, name.box), TextCentre);
}

void CMjDraw::DrawLocalName(CMj &mj)
{
    Text(mj.player[0].GetName(), {3, 570, 100, 590}, TextLeft, TextFont::IconTitle);
}

void CMjDraw::DrawScores(CMj &mj)
{
    for (const SeatText &score : kScores)
        if (SeatShown(mj, score.seat))
            Text(std::to_string(mj.player[score.seat].score), OnPlate(score.seat, score.box), TextCentre);
    SurfaceTextOut(*lpDDSBack, 24, 585, std::to_string(mj.player[0].score), White());
}

Point CMjDraw::DiscardPlace(int seat, int n) const
{
    const bool side = seat == 1 || seat == 3;
    const TileCell cell = seat == 0 ? TileCell{zmpcellwidth, zmp.rect.Height()} : wallcell[seat & 3];
    const int w = cell.width;
    const int step = cell.height - kShortCut;
    // Rows of 11 (9 beside), two fewer each, then rows of one; each row one step on and one step in.
    int row = 0;
    int length = side ? 9 : 11;
    int sideways = 0; // row starts moved along the row direction
    while (n >= length) {
        n -= length;
        ++row;
        length = std::max(length - 2, 1);
        if (seat != 0 || length > 1)
            ++sideways;
    }
    switch (seat) {
    case 0: return {255 - w + w * (sideways + n), 397 - step * row};
    case 2: return {540 - w * (sideways + n), 140 + step * row};
    case 3: return {210 + w * row, 190 - cell.height + step * (sideways + n)};
    default: return {558 - w * row, 373 - step * (sideways + n)};
    }
}

bool CMjDraw::DiscardIsShort(int seat, int n) const
{
    if (seat == 0)
        return n >= 11;
    if (seat != 1)
        return false;
    // On the right every tile but the first of its row.
    int length = 9;
    while (n >= length) {
        n -= length;
        length = std::max(length - 2, 1);
    }
    return n > 0;
}

void CMjDraw::DrawDiscards(CMj &mj)
{
    for (int seat = 0; seat < 4; ++seat) {
        const CMjPlayer &p = mj.player[seat];
        int count = std::min(p.outnum, CMjPlayer::kMaxOut);
        for (int n = 0; n < count; ++n) {
            Point at = DiscardPlace(seat, n);
            if (seat == 0)
                DrawSmallTile(p.outmj[n], at.x, at.y, DiscardIsShort(0, n));
            else
                DrawSeatTile(seat, p.outmj[n], at.x, at.y, DiscardIsShort(seat, n));
        }
    }
}

Point CMjDraw::WallStackPlace(int stack) const
{
    const int cw = wallpic[0].rect.Width();
    if (stack < 18)
        return {wallorigin[0].x + (17 - stack) * cw, wallorigin[0].y};
    if (stack < 36)
        return {wallorigin[3].x, wallorigin[3].y + (35 - stack) * 15};
    if (stack < 54)
        return {wallorigin[2].x + (stack - 36) * cw, wallorigin[2].y};
    return {wallorigin[1].x, wallorigin[1].y + (stack - 54) * 15};
}

void CMjDraw::DrawWalls(const uint8_t *wallstack)
{
    // Top, bottom, left, right; the second tile of a stack lies 5 (8 on the sides) pixels higher.
    for (int side : {2, 0, 3, 1}) {
        const int first = side == 0 ? 0 : side == 1 ? 54 : side == 2 ? 36 : 18;
        const Sprite &stackPicture = wallpic[side];
        const int lift = side == 1 || side == 3 ? 8 : 5;
        for (int i = 0; i < 18; ++i) {
            int stack = side == 0 || side == 3 ? first + 17 - i : first + i;
            Point at = WallStackPlace(stack);
            if (wallstack[stack] >= 1)
                DrawSprite(stackPicture, at.x, at.y);
            if (wallstack[stack] >= 2)
                DrawSprite(stackPicture, at.x, at.y - lift);
        }
    }
}

void CMjDraw::DrawLocalMelds(CMj &mj)
{
    const CMjPlayer &p = mj.player[0];
    const TileCell cell = wallcell[0];
    int x = (width - 15 * owncell.width - 15) / 2;
    const int y = handanchor.y + owncell.height - cell.height;
    for (int m = 0; m < std::min(p.getnum, 5); ++m) {
        const GetMj &meld = p.getmj[m];
        for (int t = 0; t < 3; ++t) {
            if (t == 2 && p.meldshown[m] == 1)
                DrawSeatTileShaded(0, mj.covertile, x + t * cell.width, y, false);
            else
                DrawSeatTile(0, meld.tiles[t], x + t * cell.width, y, false);
        }
        if (meld.count == 4)
            DrawSeatTile(0, meld.tiles[3], x + cell.width, y - 16, false);
        x += 3 * cell.width + 4;
    }
}

void CMjDraw::DrawSideMeldTile(CMj &mj, int seat, const CMjPlayer &p, int meld, int tile, int x, int y)
{
    if (tile == 2 && p.meldshown[meld] == 1)
        DrawSeatTileShaded(seat, mj.covertile, x, y, false);
    else
        DrawSeatTile(seat, p.getmj[meld].tiles[tile], x, y, false);
}

int CMjDraw::DrawSideMelds(CMj &mj, int seat, int x, int y)
{
    const CMjPlayer &p = mj.player[seat];
    const int ch = wallcell[1].height;
    for (int m = 0; m < std::min(p.getnum, 5); ++m) {
        for (int t = 0; t < 3; ++t)
            DrawSideMeldTile(mj, seat, p, m, t, x, y + t * (ch - 8));
        if (p.getmj[m].count == 4)
            DrawSeatTile(seat, p.getmj[m].tiles[3], x, y + ch - 16, false);
        y += 3 * wallcell[seat].height - 12;
    }
    return y;
}

void CMjDraw::DrawTopHand(CMj &mj)
{
    const CMjPlayer &p = mj.player[2];
    const int cw = wallcell[2].width;
    const int bw = seatback[2].rect.Width();
    const int bh = seatback[2].rect.Height();
    const int n = std::min(p.cardnum - (p.drawflag ? 1 : 0), 14);
    const int g = std::min(p.getnum, 5);
    const int x0 = (width - n * cw - 4 * g - 3 * cw * g) / 2;
    const int y = tophandy;
    int end = x0;
    if (showall) {
        for (int i = 0; i < p.cardnum && i < 14; ++i)
            DrawSeatTile(2, p.Mj[i], x0 + i * cw, y, false);
        end = x0 + n * cw;
    } else {
        for (int i = 0; i < n; ++i)
            DrawSprite(seatback[2], x0 + i * (bw - 1), y + (i == p.hoverindex ? 15 : 0));
        end = x0 + n * (bw - 1);
    }
    if (p.ishu && !showall)
        DrawSeatTile(2, p.humj, x0 - cw - 10, y, false);
    else if (p.drawflag)
        DrawSprite(seatback[2], x0 + 1 - bw - 5, y);
    drawtarget[2] = {x0 - bw / 2, 50 + bh};
    int x = end + 8;
    for (int m = 0; m < g; ++m) {
        for (int t = 0; t < 3; ++t)
            DrawSideMeldTile(mj, 2, p, m, t, x + t * cw, y);
        if (p.getmj[m].count == 4)
            DrawSeatTile(2, p.getmj[m].tiles[3], x + cw, y - 8, false);
        x += 3 * cw + 4;
    }
}

void CMjDraw::DrawRightHand(CMj &mj)
{
    const CMjPlayer &p = mj.player[1];
    const TileCell cell = wallcell[1];
    const int bh = seatback[1].rect.Height();
    const int n = std::min(p.cardnum - (p.drawflag ? 1 : 0), 14);
    const int g = std::min(p.getnum, 5);
    const int x = width - 70 - seatback[1].rect.Width() - 40;
    const int y0 = (height - 20 * (n - 1) - bh - g * (3 * cell.height - 12)) / 2;
    if (showall) {
        const int faceX = width - 70 - cell.width - 40;
        for (int i = 0; i < p.cardnum && i < 14; ++i)
            DrawSeatTile(1, p.Mj[i], faceX, y0 + i * (cell.height - 8), false);
    } else {
        for (int i = 0; i < n; ++i)
            DrawSprite(seatback[1], x - (i == p.hoverindex ? 5 : 0), y0 + 20 * i);
    }
    if (p.ishu && !showall)
        DrawSeatTile(1, p.humj, x, y0 - cell.height - 6, false);
    else if (p.drawflag)
        DrawSprite(seatback[1], x, y0 - 34);
    drawtarget[1] = {x, y0 - 31 - (p.drawflag ? 31 : 0)};
    DrawSideMelds(mj, 1, x, y0 + 20 * (n - 1) + bh);
}

void CMjDraw::DrawLeftHand(CMj &mj)
{
    const CMjPlayer &p = mj.player[3];
    const TileCell cell = wallcell[3];
    const int sh = seatback[3].rect.Height();
    const int n = std::min(p.cardnum - (p.drawflag ? 1 : 0), 14);
    const int g = std::min(p.getnum, 5);
    const int x = 110;
    const int y0 = (height - 21 * (n - 1) - sh - g * (3 * wallcell[1].height - 12)) / 2;
    const int first = DrawSideMelds(mj, 3, x, y0);
    int last = first - 20; // the last back's y
    if (showall) {
        for (int i = 0; i < p.cardnum && i < 14; ++i)
            DrawSeatTile(3, p.Mj[i], x, first + i * (cell.height - 8), false);
        last = first + (n - 1) * 20;
    } else {
        for (int i = 0; i < n; ++i) {
            last = first + 20 * i;
            DrawSprite(seatback[3], i == p.hoverindex ? 115 : x, last);
        }
    }
    const Point drawn{x, last + 20 + seatback[2].rect.Height() - 21};
    if (p.ishu && !showall)
        DrawSeatTile(3, p.humj, x, last + 20, false);
    else if (p.drawflag)
        DrawSprite(seatback[3], drawn.x, drawn.y);
    drawtarget[3] = drawn;
}

void CMjDraw::DrawDiscardFrames(CMj &mj)
{
    for (int seat = 0; seat < 4; ++seat) {
        const CMjPlayer &p = mj.player[seat];
        if (!p.hasplayed)
            continue;
        const Sprite &frames = sprites::chupaikuang;
        if (frames.surface)
            lpDDSBack->Blit(kDiscardFrame[seat].x, kDiscardFrame[seat].y, *frames.surface,
                            {seat * kDiscardFrameWidth, 0, (seat + 1) * kDiscardFrameWidth, kDiscardFrameHeight}, true);
        if (p.shadeplayed)
            DrawOwnTileShaded(p.playmj, seatpoint[seat].x, seatpoint[seat].y, true);
        else
            DrawOwnTile(p.playmj, seatpoint[seat].x, seatpoint[seat].y, true);
    }
}

void CMjDraw::DrawClaimSigns(CMj &mj)
{
    const Sprite *signs[5] = {&pung, &kong, &win, &dianpao, &chiact};
    for (int seat = 0; seat < 4; ++seat) {
        int action = mj.player[seat].action;
        if (action >= 1 && action <= 5)
            DrawSprite(*signs[action - 1], actionpoint[seat].x, actionpoint[seat].y);
    }
}

void CMjDraw::DrawReadyMarks(CMj &mj)
{
    if (!mj.netgame)
        return;
    // Beside each seat's plate, clear of walls and discards: under the side seats' flower counts, to
    // the right of the top seat's plate.
    const int w = offline.rect.Width();
    const int pw = chouma.rect.Width();
    const int ph = chouma.rect.Height();
    const auto under = [&](int seat) { return Point{chipplate[seat].x + (pw - w) / 2, chipplate[seat].y + kBadgeDrop}; };
    const Point marks[4] = {
        {(width - kaishi.rect.Width()) / 2, handanchor.y - 8 - kaishi.rect.Height()},
        under(1),
        {chipplate[2].x + pw + kBadgeGap, chipplate[2].y + (ph - offline.rect.Height()) / 2},
        under(3),
    };
    for (int seat = 0; seat < 4; ++seat)
        if (mj.player[seat].seated && mj.player[seat].ready)
            DrawSprite(offline, marks[seat].x, marks[seat].y);
}

void CMjDraw::DrawDice()
{
    if (!dice.surface)
        return;
    const bool rolling = animkind == AnimDice;
    if (!rolling && !diceshown)
        return;
    const bool beside = dicethrower == 1 || dicethrower == 3;
    const Point second = beside ? Point{pos.x, pos.y + 40} : Point{pos.x + 40, pos.y};
    auto cell = [](int index) { return Rect{index * kDiceCell, 0, (index + 1) * kDiceCell, kDiceCell}; };
    const int face1 = rolling ? kRollingCells + step : die1;
    const int face2 = rolling ? kRollingCells + step : die2;
    lpDDSBack->Blit(pos.x, pos.y, *dice.surface, cell(face1), true);
    lpDDSBack->Blit(second.x, second.y, *dice.surface, cell(face2), true);
}

void CMjDraw::DrawCountdown(CMj &mj)
{
    int seconds = mj.GetCountdown();
    if (!mj.netgame || mj.gamestatus != 1 || seconds < 0 || seconds > 9 || !shuzi.surface)
        return;
    const int w = shuzi.rect.Width() / 10;
    lpDDSBack->Blit(width - w - 30, handanchor.y - 50, *shuzi.surface, {seconds * w, 0, (seconds + 1) * w, shuzi.rect.Height()},
                    true);
}

void CMjDraw::DrawWildTile(CMj &mj)
{
    if (wildmode && mj.wildindicator.suit >= SUIT_WAN && mj.wildindicator.suit <= SUIT_HUA)
        DrawSmallTileShaded(mj.wildindicator, 210, 561);
}

void CMjDraw::SetAvatar(int seat, int n)
{
    if (seat < 0 || seat > 3 || n < 1 || n > 12 || !game)
        return;
    const CMjPlayer &p = game->player[seat];
    if (game->netgame && !p.seated)
        return;
    // Online: the user's own picture once it has arrived, else the default by sex.
    std::string downloaded;
    if (game->netgame)
        if (const UserRow *row = game->userlist.FindUserItem(p.GetName()))
            downloaded = game->AvatarFile(row->info.userid);
    const std::string path = !downloaded.empty() ? downloaded
                             : game->netgame     ? Paths::ProgramFolder() + (p.sex == 1 ? "/male.gif" : "/female.gif")
                                                 : Paths::ProgramFolder() + "/Graphic\\" + std::to_string(n) + ".gif";
    if (path == avatarname[seat])
        return;
    avatarname[seat] = path;
    if (!downloaded.empty())
        ReloadGifSurfaceClip(path, avatar[seat].surface, avatar[seat].rect, kShowWidth, kShowHeight);
    else
        ReloadGifSurface(path, avatar[seat].surface, avatar[seat].rect);
    GSetColorKey(avatar[seat].surface);
}
