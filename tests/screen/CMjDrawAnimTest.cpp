#include "rules/CMjPlayer.h"
#include "screen/CMjDraw.h"
#include "tests/support/ScratchFolder.h"

#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <utility>
#include <vector>

// The renderer's flights, dice and discard grid need no device: they are numbers the game steps.
namespace {

class Flights : public testing::Test {
protected:
    ScratchFolder folder; // the renderer leaves its window style in the program folder
    std::unique_ptr<CMjDraw> draw = std::make_unique<CMjDraw>();

    // Flies a chip between two plates placed at a and b; returns the steps taken to arrive.
    int Fly(Point a, Point b, int speed, int limit = 1000)
    {
        draw->chipplate[0] = a;
        draw->chipplate[1] = b;
        draw->StartSeatFlight(0, 1);
        for (int steps = 1; steps <= limit; ++steps)
            if (draw->StepFlight(speed))
                return steps;
        return -1;
    }
};

// A flight ends on the step that reaches or passes its target, where that step put it.
TEST_F(Flights, AFlightEndsOnTheStepThatReachesItsTargetWhereThatStepPutsIt)
{
    const struct {
        Point from, to;
        int speed, steps;
        Point end;
    } cases[] = {
        {{100, 50}, {195, 50}, 30, 4, {220, 50}}, // ninety-five pixels: twenty-five past
        {{195, 50}, {100, 50}, 30, 4, {75, 50}},  // left and up end the same way
        {{40, 300}, {40, 205}, 30, 4, {40, 180}},
        {{10, 10}, {10, 80}, 30, 3, {10, 100}},
        {{10, 10}, {10, 70}, 30, 2, {10, 70}}, // reaching the target exactly is arriving
        {{10, 10}, {10, 70}, 60, 1, {10, 70}},
        {{0, 0}, {300, 400}, 30, 17, {306, 408}}, // 500 long: 18 and 24 pixels a step
        {{300, 200}, {300, 200}, 30, 1, {300, 200}}, // going nowhere ends at the first step
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.steps, Fly(c.from, c.to, c.speed)) << c.to.x << "," << c.to.y;
        EXPECT_EQ(c.end, draw->pos) << c.to.x << "," << c.to.y;
    }
    Fly({100, 50}, {195, 50}, 30);
    EXPECT_EQ((Point{190, 50}), draw->prev);
    draw->chipplate[1] = {300, 400};
    draw->chipplate[0] = {0, 0};
    draw->StartSeatFlight(0, 1);
    draw->StepFlight(30);
    EXPECT_EQ((Point{18, 24}), draw->pos);
}

TEST_F(Flights, DiceRollOneHundredEightyPixelsTowardsTheCentreInFifteenSteps)
{
    const Point start{300, 300};
    const Point ends[4] = {{300, 120}, {120, 300}, {300, 480}, {480, 300}};
    for (int thrower = 0; thrower < 4; ++thrower) {
        draw->dicestart[thrower] = start;
        draw->StartDice(thrower, 2, 5);
        for (int step = 1; step < 15; ++step)
            ASSERT_FALSE(draw->StepDice()) << thrower << " step " << step;
        EXPECT_TRUE(draw->StepDice());
        EXPECT_EQ(ends[thrower], draw->pos) << thrower;
        EXPECT_EQ(2, draw->die1);
        EXPECT_EQ(5, draw->die2);
    }
}

TEST_F(Flights, WallTilesFlyFromTheirStackAndSideWallsStandUpright)
{
    for (int seat = 0; seat < 4; ++seat)
        draw->wallorigin[seat] = {100 * seat + 10, 50 * seat + 5};
    draw->drawtarget[2] = {400, 60};
    const struct {
        int stack;
        int side;
        int vertical;
    } cases[] = {{0, 0, 0}, {17, 0, 0}, {18, 3, 1}, {35, 3, 1}, {36, 2, 0}, {53, 2, 0}, {54, 1, 1}, {71, 1, 1}};
    for (const auto &c : cases) {
        draw->StartWallFlight(c.stack, 2);
        EXPECT_EQ(draw->WallStackPlace(c.stack), draw->start) << c.stack;
        EXPECT_EQ(draw->start, draw->pos) << c.stack;
        EXPECT_EQ((Point{400, 60}), draw->target);
        EXPECT_EQ(c.side, wallflightside) << c.stack;
        EXPECT_EQ(c.vertical, draw->flightvertical) << c.stack;
    }
}

class Grid : public testing::Test {
protected:
    void SetUp() override
    {
        draw->gridrows = 14;
        draw->gridcols = 6;
    }

    // The cells a seat fills with count discards, in order.
    std::vector<std::pair<int, int>> Fill(int seat, int count)
    {
        std::vector<std::pair<int, int>> cells;
        draw->InitGridCursor(&seats[seat], seat);
        for (int k = 0; k < count; ++k) {
            MjTile tile = MakeMj(k % 9 + 1, seat % 3);
            draw->AddToGrid(&seats[seat], seat, &tile);
            cells.emplace_back(seats[seat].gridrow, seats[seat].gridcol);
        }
        return cells;
    }

    ScratchFolder folder;
    std::unique_ptr<CMjDraw> draw = std::make_unique<CMjDraw>();
    CMjPlayer seats[4];
};

TEST_F(Grid, EachSeatFillsItsOwnLinesInItsOwnOrder)
{
    using Cell = std::pair<int, int>;
    const struct {
        int seat;
        std::vector<std::pair<int, Cell>> expected; // (discard number, cell)
    } seatsOrder[] = {
        // Up the last column from row 3 to row 10, then the next column from row 3.
        {0, {{0, {3, 5}}, {1, {4, 5}}, {7, {10, 5}}, {8, {3, 4}}, {29, {8, 2}}}},
        // Along the bottom row from the right, then the row above from column 5.
        {1, {{0, {13, 5}}, {5, {13, 0}}, {6, {12, 5}}, {12, {11, 5}}}},
        // Up the first column from row 10 to row 3, then the next column from row 10.
        {2, {{0, {10, 0}}, {7, {3, 0}}, {8, {10, 1}}, {16, {10, 2}}}},
        // Along the top row from the left, then the next row from column 0.
        {3, {{0, {0, 0}}, {5, {0, 5}}, {6, {1, 0}}, {29, {4, 5}}}},
    };
    for (const auto &s : seatsOrder) {
        draw->ClearGrid();
        std::vector<Cell> cells = Fill(s.seat, 30);
        std::set<Cell> distinct(cells.begin(), cells.end());
        EXPECT_EQ(30u, distinct.size()) << "seat " << s.seat;
        for (const auto &[n, cell] : s.expected) {
            EXPECT_EQ(cell, cells[n]) << "seat " << s.seat << " discard " << n;
            EXPECT_EQ(1, draw->gridused[cell.first][cell.second]);
            EXPECT_EQ(n % 9 + 1, draw->grid[cell.first][cell.second].value);
        }
        for (const Cell &cell : cells) {
            EXPECT_LT(cell.first, 14);
            EXPECT_LT(cell.second, 6);
        }
    }
}

TEST_F(Grid, ATakenCellEndsTheLineAndAFullGridPlacesNothing)
{
    draw->SetGridCell(0, 2, 1);
    std::vector<std::pair<int, int>> cells = Fill(3, 3);
    EXPECT_EQ((std::pair<int, int>{1, 0}), cells[2]);

    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 20; ++c)
            draw->SetGridCell(r, c, 1);
    draw->InitGridCursor(&seats[0], 0);
    MjTile tile = MakeMj(3, 2);
    draw->AddToGrid(&seats[0], 0, &tile);
    EXPECT_EQ(2, seats[0].gridrow);
    EXPECT_EQ(5, seats[0].gridcol);
}

TEST_F(Grid, ADamagedCursorWritesOnlyInsideTheGrid)
{
    const int damaged[][2] = {{1000, -7}, {-7, 1000}, {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, {20, 20}};
    for (int seat = 0; seat < 4; ++seat) {
        for (const auto &cursor : damaged) {
            draw->ClearGrid();
            const int rowsBefore = draw->gridrows;
            seats[seat].gridrow = cursor[0];
            seats[seat].gridcol = cursor[1];
            MjTile tile = MakeMj(7, 1);
            draw->AddToGrid(&seats[seat], seat, &tile);
            EXPECT_EQ(rowsBefore, draw->gridrows);
            int used = 0;
            for (int r = 0; r < 20; ++r)
                for (int c = 0; c < 20; ++c)
                    if (draw->gridused[r][c]) {
                        ++used;
                        EXPECT_TRUE(r < 14 && c < 6) << seat << " wrote " << r << "," << c;
                        EXPECT_EQ(r, seats[seat].gridrow);
                        EXPECT_EQ(c, seats[seat].gridcol);
                    }
            EXPECT_LE(used, 1);
        }
    }
    draw->SetGridCell(20, 0, 9);
    draw->SetGridCell(-1, 3, 9);
    draw->SetGridCell(3, 20, 9);
    for (const auto &row : draw->gridused)
        for (uint8_t cell : row)
            EXPECT_NE(9, cell);
}

TEST_F(Grid, SavedBytesLoadBack)
{
    Fill(0, 12);
    Fill(2, 5);
    draw->SetGridCell(19, 19, 1);
    uint8_t bytes[CMjDraw::kGridBytes];
    draw->SaveGrid(bytes);
    CMjDraw loaded;
    loaded.LoadGrid(bytes);
    EXPECT_EQ(0, std::memcmp(draw->gridused, loaded.gridused, sizeof loaded.gridused));
    EXPECT_EQ(0, std::memcmp(draw->grid, loaded.grid, sizeof loaded.grid));

    // Occupancy first, row by row, then each tile's value and suit.
    EXPECT_EQ(1, bytes[3 * 20 + 5]);
    EXPECT_EQ(1, bytes[399]);
    EXPECT_EQ(draw->grid[3][5].value, bytes[400 + 2 * (3 * 20 + 5)]);
    EXPECT_EQ(draw->grid[3][5].suit, bytes[401 + 2 * (3 * 20 + 5)]);
}

} // namespace
