#include "generator/deal.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace tessal {
namespace {

using testing::MemoryCells;
using testing::ScriptedRandom;
using testing::SeededRandom;

void expectValidDeal(const MemoryCells& cells, const GameValues& values) {
    int givens = 0;
    for (int box = 0; box < 9; ++box) {
        int inBox = 0;
        for (int cell : boxCells(box)) {
            const auto& square = cells.cells[cell];
            EXPECT_EQ(square.colour, kGivenColour) << cell;
            const int solution = values.solution[cell];
            ASSERT_GE(std::abs(solution), 1) << cell;
            ASSERT_LE(std::abs(solution), 9) << cell;
            if (solution > 0) {
                EXPECT_EQ(square.text, digitText(solution)) << cell;
                ++inBox;
            } else {
                EXPECT_EQ(square.text, "") << cell;
            }
        }
        EXPECT_EQ(inBox, 9 - kBlankedPerBox[box]) << "box " << box;
        givens += inBox;
    }
    EXPECT_EQ(givens, 30);
    for (int value = 0; value <= 80; value += 10)
        EXPECT_EQ(values.solution[value], 0);

    // The complete grid: every unit holds 1..9 once.
    for (int k = 0; k < 9; ++k)
        for (const Unit& unit : {boxCells(k), rowCells(k), columnCells(k)}) {
            std::set<int> digits;
            for (int cell : unit)
                digits.insert(std::abs(values.solution[cell]));
            EXPECT_EQ(digits.size(), 9u);
        }
    // Box 0 of the grid, by position, is the permutation.
    for (int m = 1; m <= 9; ++m)
        EXPECT_EQ(std::abs(values.solution[m]), values.permutation[m]);
}

TEST(DrawDigit, StaysWithinOneToNineAtTheEdgesOfTheGenerator) {
    EXPECT_EQ(drawDigit(0.0f), 1);
    EXPECT_EQ(drawDigit(std::nextafter(1.0f / 9.0f, 0.0f)), 1);
    EXPECT_EQ(drawDigit(0.5f), 5);
    EXPECT_EQ(drawDigit(std::nextafter(1.0f, 0.0f)), 9);
    EXPECT_EQ(drawDigit(1.0f), 9); // some real distributions can return their upper bound
}

TEST(Deal, ManySeededDealsAreValid) {
    for (unsigned seed = 0; seed < 300; ++seed) {
        MemoryCells cells;
        GameValues values;
        SeededRandom random(seed);
        Deal(cells, values, random).run();
        expectValidDeal(cells, values);
        if (::testing::Test::HasFailure())
            FAIL() << "seed " << seed;
    }
}

TEST(Deal, AGeneratorStuckOnItsLargestValuesStillDeals) {
    // Each value repeats many times before the next: every draw repeats a taken digit often.
    std::vector<float> sticky;
    for (float value : {1.0f, std::nextafter(1.0f, 0.0f), 0.0f, 0.5f, 0.3f, 0.12f, 0.7f, 0.25f,
                        0.85f, 0.4f, 0.6f})
        sticky.insert(sticky.end(), 7, value);
    MemoryCells cells;
    GameValues values;
    ScriptedRandom random(sticky);
    Deal(cells, values, random).run();
    expectValidDeal(cells, values);
}

TEST(Deal, ReseedsOnceAtEachDealBeforeDrawing) {
    MemoryCells cells;
    GameValues values;
    ScriptedRandom random({0.05f, 0.15f, 0.25f, 0.35f, 0.45f, 0.55f, 0.65f, 0.75f, 0.85f, 0.95f});
    Deal deal(cells, values, random);
    deal.run();
    deal.run();
    EXPECT_EQ(random.reseeds, 2);
}

TEST(Deal, TheIdentityPermutationWritesTheTemplateGrid) {
    MemoryCells cells;
    GameValues values;
    ScriptedRandom random = testing::digitsInOrder();
    Deal deal(cells, values, random);
    deal.tire();
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(values.permutation[k], k);
    deal.tire2();
    // The template digit at position m of box 0 becomes m: row 0 on screen reads 1 2 3 8 7 9 4 6 5.
    const int row0[9] = {1, 2, 3, 8, 7, 9, 4, 6, 5};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(cells.cells[cellAt(0, c)].text, digitText(row0[c]));
    const int row8[9] = {6, 3, 1, 7, 5, 4, 9, 8, 2};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(values.solution[cellAt(8, c)], row8[c]);
}

TEST(Existe, LooksAtAllNineDrawnValues) {
    MemoryCells cells;
    GameValues values;
    ScriptedRandom random({0.5f});
    Deal deal(cells, values, random);
    EXPECT_EQ(deal.existe(0), 1); // places not yet filled hold 0
    values.drawn = {0, 4, 0, 0, 0, 0, 0, 0, 0, 7};
    EXPECT_EQ(deal.existe(7), 1);
    EXPECT_EQ(deal.existe(4), 1);
    EXPECT_EQ(deal.existe(5), 0);
}

TEST(Efface, EmptiesExactlyItsCountOfDistinctCellsAndOnlyInItsBox) {
    for (int box = 0; box < 9; ++box) {
        MemoryCells cells;
        GameValues values;
        // The same position again and again before a new one: repeats must be drawn past.
        ScriptedRandom random(
            {0.0f, 0.0f, 0.0f, 0.2f, 0.0f, 0.2f, 0.4f, 0.99f, 0.6f, 0.5f, 0.3f, 0.8f, 0.7f, 0.1f});
        Deal deal(cells, values, random);
        deal.tire();
        deal.tire2();
        deal.efface(box);
        int emptied = 0;
        for (int cell : kBoardOrder) {
            const bool empty = cells.cells[cell].text.empty();
            if (boxOf(cell) != box) {
                EXPECT_FALSE(empty) << cell;
                EXPECT_GT(values.solution[cell], 0) << cell;
            } else if (empty) {
                ++emptied;
                EXPECT_LT(values.solution[cell], 0) << cell;
                EXPECT_EQ(cells.cells[cell].colour, kGivenColour);
            }
        }
        EXPECT_EQ(emptied, kBlankedPerBox[box]) << "box " << box;
    }
}

TEST(Deal, ADealAfterPlayLeavesNothingOfTheOldGame) {
    MemoryCells cells;
    GameValues values;
    SeededRandom random(7);
    Deal deal(cells, values, random);
    deal.run();
    for (int cell : kBoardOrder)
        cells.set(cell, "J4");
    deal.run();
    expectValidDeal(cells, values);
}

} // namespace
} // namespace tessal
