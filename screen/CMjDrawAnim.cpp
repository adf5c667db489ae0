// The moving things of the table (flights and dice) and the discard grid kept for saved games.
#include "rules/CMjPlayer.h"
#include "screen/CMjDraw.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDiceSteps = 15;
constexpr int kDiceStride = 12;

bool Seat(int seat)
{
    return seat >= 0 && seat < 4;
}

// Reached or passed, going from `from` towards `to` (which differ).
bool Reached(int from, int to, int now)
{
    return to > from ? now >= to : now <= to;
}

} // namespace

void CMjDraw::StartSeatFlight(int from, int to)
{
    if (!Seat(from) || !Seat(to))
        return;
    start = prev = pos = chipplate[from];
    target = chipplate[to];
    step = 0;
}

void CMjDraw::StartDiscardFlight(int seat, const MjTile *tile, const CMjPlayer *players)
{
    if (!Seat(seat))
        return;
    start = prev = pos = seatpoint[seat];
    target = DiscardPlace(seat, std::clamp(players[seat].outnum, 0, CMjPlayer::kMaxOut));
    step = 0;
    flytile = *tile;
    discardseat = seat;
}

void CMjDraw::StartMeldFlight(int toseat, int fromseat, const MjTile *tile)
{
    if (!Seat(toseat) || !Seat(fromseat))
        return;
    start = prev = pos = seatpoint[fromseat];
    target = drawtarget[toseat];
    step = 0;
    flytile = *tile;
    discardseat = 0;
}

void CMjDraw::StartWallFlight(int stack, int seat)
{
    if (stack < 0 || stack >= 72 || !Seat(seat))
        return;
    // Stacks run bottom, left, top, right.
    const int side = stack / 18;
    static constexpr int kSideSeat[4] = {0, 3, 2, 1};
    wallflightside = kSideSeat[side];
    flightvertical = side == 1 || side == 3;
    start = prev = pos = WallStackPlace(stack);
    target = drawtarget[seat];
    step = 0;
}

bool CMjDraw::StepFlight(int speed)
{
    const int dx = start.x - target.x;
    const int dy = start.y - target.y;
    ++step;
    prev = pos;
    if (dx == 0 && dy == 0) {
        // No direction to fly in: the flight is over at once.
        pos = target;
        return true;
    }
    const double d = std::sqrt(double(dx) * dx + double(dy) * dy);
    const double travel = double(step) * speed;
    const int movedX = static_cast<int>(travel * std::abs(dx) / d);
    const int movedY = static_cast<int>(travel * std::abs(dy) / d);
    pos.x = start.x + (dx < 0 ? movedX : -movedX);
    pos.y = start.y + (dy < 0 ? movedY : -movedY);
    return (dx != 0 && Reached(start.x, target.x, pos.x)) || (dy != 0 && Reached(start.y, target.y, pos.y));
}

void CMjDraw::StartDice(int thrower, int face1, int face2)
{
    if (!Seat(thrower))
        return;
    dicethrower = thrower;
    step = 0;
    pos = dicestart[thrower];
    die1 = face1;
    die2 = face2;
}

bool CMjDraw::StepDice()
{
    ++step;
    switch (dicethrower) {
    case 0: pos.y -= kDiceStride; break;
    case 1: pos.x -= kDiceStride; break;
    case 2: pos.y += kDiceStride; break;
    default: pos.x += kDiceStride; break;
    }
    return step >= kDiceSteps;
}

void CMjDraw::InitGridCursor(CMjPlayer *player, int seat)
{
    // Each cursor stands just before the first cell its seat fills.
    const Point cursor[4] = {{gridcols - 1, 2}, {gridcols, gridrows - 1}, {0, gridrows - 3}, {-1, 0}};
    if (!Seat(seat))
        return;
    player->gridrow = cursor[seat].y;
    player->gridcol = cursor[seat].x;
}

void CMjDraw::AddToGrid(CMjPlayer *player, int seat, const MjTile *tile)
{
    if (!Seat(seat))
        return;
    // The cursor comes from saved games too, so nothing here trusts it to lie inside the grid.
    const long long rows = std::clamp(gridrows, 0, kGridSize);
    const long long cols = std::clamp(gridcols, 0, kGridSize);
    const long long r = player->gridrow;
    const long long c = player->gridcol;
    auto isFree = [&](long long row, long long col) {
        return row >= 0 && row < rows && col >= 0 && col < cols && !gridused[row][col];
    };
    long long row = -1, col = -1;
    auto take = [&](long long tr, long long tc) {
        row = tr;
        col = tc;
        return true;
    };
    // The next cell along the seat's line, else the first free cell of the lines after it.
    auto place = [&]() {
        switch (seat) {
        case 0:
            if (r + 1 <= rows - 4 && isFree(r + 1, c))
                return take(r + 1, c);
            for (long long tc = std::min(c - 1, cols - 1); tc >= 1; --tc)
                for (long long tr = 3; tr <= rows - 1; ++tr)
                    if (isFree(tr, tc))
                        return take(tr, tc);
            return false;
        case 1:
            if (c - 1 >= 0 && isFree(r, c - 1))
                return take(r, c - 1);
            for (long long tr = std::min(r - 1, rows - 1); tr >= 1; --tr)
                for (long long tc = cols - 1; tc >= 1; --tc)
                    if (isFree(tr, tc))
                        return take(tr, tc);
            return false;
        case 2:
            if (r - 1 >= 3 && isFree(r - 1, c))
                return take(r - 1, c);
            for (long long tc = std::max(c + 1, 0LL); tc <= cols - 1; ++tc)
                for (long long tr = rows - 4; tr >= 4; --tr)
                    if (isFree(tr, tc))
                        return take(tr, tc);
            return false;
        default:
            if (c + 1 < cols && isFree(r, c + 1))
                return take(r, c + 1);
            for (long long tr = std::max(r + 1, 0LL); tr <= rows - 1; ++tr)
                for (long long tc = 0; tc <= cols - 1; ++tc)
                    if (isFree(tr, tc))
                        return take(tr, tc);
            return false;
        }
    };
    if (!place())
        return;
    grid[row][col] = *tile;
    gridused[row][col] = 1;
    player->gridrow = static_cast<int>(row);
    player->gridcol = static_cast<int>(col);
}

void CMjDraw::SetGridCell(int row, int column, uint8_t value)
{
    if (row >= 0 && row < kGridSize && column >= 0 && column < kGridSize)
        gridused[row][column] = value;
}

void CMjDraw::ClearGrid()
{
    std::fill(&gridused[0][0], &gridused[0][0] + kGridSize * kGridSize, uint8_t{0});
}

namespace {

constexpr size_t kCells = CMjDraw::kGridSize * CMjDraw::kGridSize;
static_assert(CMjDraw::kGridBytes == 3 * kCells);

} // namespace

void CMjDraw::SaveGrid(uint8_t *bytes) const
{
    std::copy(&gridused[0][0], &gridused[0][0] + kCells, bytes);
    for (size_t i = 0; i < kCells; ++i) {
        const MjTile &tile = grid[i / kGridSize][i % kGridSize];
        bytes[kCells + 2 * i] = static_cast<uint8_t>(tile.value);
        bytes[kCells + 2 * i + 1] = static_cast<uint8_t>(tile.suit);
    }
}

void CMjDraw::LoadGrid(const uint8_t *bytes)
{
    std::copy(bytes, bytes + kCells, &gridused[0][0]);
    for (size_t i = 0; i < kCells; ++i) {
        MjTile &tile = grid[i / kGridSize][i % kGridSize];
        tile.value = static_cast<int8_t>(bytes[kCells + 2 * i]);
        tile.suit = static_cast<int8_t>(bytes[kCells + 2 * i + 1]);
    }
}
