#include "generator/game_commands.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

namespace tessal {
namespace {

using testing::MemoryCells;
using testing::ScriptedRandom;

class GameCommandsTest : public ::testing::Test {
  protected:
    MemoryCells cells;
    GameValues values;
    ScriptedRandom random{
        {0.31f, 0.77f, 0.05f, 0.52f, 0.98f, 0.13f, 0.66f, 0.41f, 0.89f, 0.24f, 0.82f, 0.58f, 0.7f}};
    GameCommands commands{cells, values, random};

    MemoryCells snapshot() const { return cells; }
    static bool same(const MemoryCells& a, const MemoryCells& b) {
        for (int cell : kBoardOrder)
            if (a.cells[cell].text != b.cells[cell].text ||
                a.cells[cell].colour != b.cells[cell].colour)
                return false;
        return true;
    }
    int firstOpen() const {
        for (int cell : kBoardOrder)
            if (values.solution[cell] < 0)
                return cell;
        return 0;
    }
    int firstGiven() const {
        for (int cell : kBoardOrder)
            if (values.solution[cell] > 0)
                return cell;
        return 0;
    }
};

TEST_F(GameCommandsTest, ResetRightAfterADealChangesNothingAndTwiceIsOnce) {
    commands.Form_Load();
    const MemoryCells dealt = snapshot();
    commands.Command3_Click();
    EXPECT_TRUE(same(cells, dealt));
    commands.Command3_Click();
    EXPECT_TRUE(same(cells, dealt));
}

TEST_F(GameCommandsTest, ResetEmptiesEntriesRightOrWrongAndErasedSquares) {
    commands.Form_Load();
    const MemoryCells dealt = snapshot();
    const auto savedSolution = values.solution;
    int open[3] = {};
    int found = 0;
    for (int cell : kBoardOrder)
        if (values.solution[cell] < 0 && found < 3)
            open[found++] = cell;
    cells.set(open[0], ("J" + digitText(-values.solution[open[0]])).c_str()); // right entry
    cells.set(open[1], "J0");                                                 // erased square
    cells.cells[open[2]].text = digitText(-values.solution[open[2]] % 9 + 1); // wrong entry
    cells.cells[open[2]].colour = kEntryColour;
    commands.Command3_Click();
    EXPECT_TRUE(same(cells, dealt));
    EXPECT_EQ(values.solution, savedSolution);
}

TEST_F(GameCommandsTest, AnotherGameDealsAfreshWithEveryCellShown) {
    commands.Form_Load();
    cells.set(firstOpen(), "J1");
    commands.Command2_Click();
    EXPECT_EQ(random.reseeds, 2);
    int digits = 0;
    for (int cell : kBoardOrder) {
        EXPECT_TRUE(cells.cells[cell].visible);
        EXPECT_EQ(cells.cells[cell].colour, kGivenColour);
        digits += cells.cells[cell].text.empty() ? 0 : 1;
    }
    EXPECT_EQ(digits, 30);
    EXPECT_GT(firstGiven(), 0);
}

TEST_F(GameCommandsTest, AnotherGameWritesCellsOnlyWhileTheyAreHidden) {
    commands.Form_Load();
    cells.hiddenWritesSeen = 0;
    commands.Command2_Click();
    EXPECT_EQ(cells.hiddenWritesSeen, 81 + 51); // the grid, then the blanked cells
}

TEST_F(GameCommandsTest, AnotherGameLeavesTheCurrentCellAlone) {
    commands.Form_Load();
    values.currentCell = 45;
    commands.Command2_Click();
    EXPECT_EQ(values.currentCell, 45);
}

} // namespace
} // namespace tessal
