#include "play/play.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

namespace tessal {
namespace {

using testing::MemoryCells;
using testing::RecordingDialogs;
using Texts = std::vector<std::string>;

class MemoryList final : public DigitList {
  public:
    int selected = -1;
    int left = -360;
    int top = 3720;
    int raised = 0;
    int selectedIndex() const override { return selected; }
    int keyboardFrom = 0; // the cell the list took the keyboard from, while it holds it
    int heightTwips() const override { return kDigitListHeightTwips; }
    int leftTwips() const override { return left; }
    void moveTo(int l, int t) override {
        left = l;
        top = t;
    }
    void chooseNothing() override { selected = -1; }
    void setLeftTwips(int l) override { left = l; }
    void bringToFront() override { ++raised; }
    void takeKeyboard(int cell) override { keyboardFrom = cell; }
    void giveKeyboardBack() override { keyboardFrom = 0; }
};

struct PlayTest : ::testing::Test {
    MemoryCells cells;
    MemoryList list;
    RecordingDialogs dialogs;
    GameValues values;
    Play play{cells, list, dialogs, values};

    void pick(int cell, int digit) {
        play.Command1_MouseDown(cell);
        play.Command1_Click(cell);
        list.selected = digit - 1;
        play.List1_Click();
    }
};

TEST_F(PlayTest, TheListOpensJustAboveAndRightOfAnEmptyCell) {
    play.Command1_Click(1);
    EXPECT_EQ(list.left, 2295);
    EXPECT_EQ(list.top, 225);
    EXPECT_EQ(list.raised, 1);
    play.Command1_Click(89);
    EXPECT_EQ(list.left, 6375);
    EXPECT_EQ(list.top, 4305);
}

TEST_F(PlayTest, AFilledCellNeitherOpensNorMovesTheList) {
    cells.set(5, "G3");
    cells.set(6, "J4");
    play.Command1_Click(5);
    play.Command1_Click(6);
    EXPECT_EQ(list.left, -360);
    play.Command1_Click(42);
    play.Command1_MouseDown(5);
    play.Command1_Click(5);
    EXPECT_EQ(list.left, kCellSizeTwips + cellLeftTwips(42));
    EXPECT_EQ(values.currentCell, 5); // the press still counts
}

TEST_F(PlayTest, AnAllowedDigitIsWrittenInTheEntryColour) {
    pick(42, 7);
    EXPECT_EQ(cells.cells[42].text, "7");
    EXPECT_EQ(cells.cells[42].colour, kEntryColour);
    EXPECT_EQ(list.left, kPutAwayLeftTwips);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PlayTest, TheSameDigitTwiceOnTwoCellsIsCheckedEachTime) {
    pick(1, 5);
    pick(89, 5);
    EXPECT_EQ(cells.cells[89].text, "5");
    pick(9, 5); // same box as cell 1
    EXPECT_EQ(cells.cells[9].text, "");
    EXPECT_EQ(dialogs.texts(), Texts{"Déjà mis dans le carré!"});
}

TEST_F(PlayTest, ABoxConflictStopsBeforeTheRowAndColumnChecks) {
    cells.set(41, "G6");
    cells.set(34, "G6"); // the row of 45
    cells.set(12, "G6"); // the column of 45
    cells.set(45, "J0");
    pick(45, 6);
    EXPECT_EQ(dialogs.texts(), Texts{"Déjà mis dans le carré!"});
    EXPECT_EQ(cells.cells[45].text, "");
    EXPECT_EQ(cells.cells[45].colour, kEntryColour);
    EXPECT_EQ(list.left, kPutAwayLeftTwips);
}

TEST_F(PlayTest, ARowConflictStopsBeforeTheColumnCheck) {
    cells.set(34, "G6");
    cells.set(12, "G6");
    pick(45, 6);
    EXPECT_EQ(dialogs.texts(), Texts{"Déjà mis en ligne !"});
    EXPECT_EQ(cells.cells[45].colour, kGivenColour);
}

TEST_F(PlayTest, AColumnConflictIsTheLastChance) {
    cells.set(78, "J6");
    pick(45, 6);
    EXPECT_EQ(dialogs.texts(), Texts{"Déjà mis en colonne !"});
    EXPECT_EQ(cells.cells[45].text, "");
}

TEST_F(PlayTest, APickBeforeAnyCellWasPressedWritesNothing) {
    list.selected = 3;
    list.left = 900;
    play.List1_Click();
    EXPECT_EQ(list.left, kPutAwayLeftTwips);
    for (int cell : kBoardOrder)
        EXPECT_EQ(cells.cells[cell].text, "");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PlayTest, APickLandsOnlyBesideTheSquareTheListWasOpenedBeside) {
    play.Command1_MouseDown(1);
    play.Command1_Click(1);
    play.Command1_MouseDown(89); // another button, or a press slid off: no click follows
    list.selected = 1;
    play.List1_Click();
    EXPECT_EQ(cells.cells[89].text, "");
    EXPECT_EQ(cells.cells[1].text, "");
    EXPECT_EQ(list.left, kPutAwayLeftTwips);
    EXPECT_EQ(list.keyboardFrom, 0);
    pick(89, 2); // a click there opens the list beside it
    EXPECT_EQ(cells.cells[89].text, "2");
}

TEST_F(PlayTest, AClickOnTheWindowPutsTheListAwayAndKeepsItsTop) {
    play.Command1_Click(1);
    play.Form_Click();
    EXPECT_EQ(list.left, kPutAwayLeftTwips);
    EXPECT_EQ(list.top, 225);
    play.Form_Click();
    EXPECT_EQ(list.left, kPutAwayLeftTwips);
}

TEST_F(PlayTest, TheEraserClearsOnlyThePlayersSquares) {
    cells.set(1, "J4");
    cells.set(2, "G4");
    cells.set(3, "G0");
    cells.set(4, "J0");
    for (int cell : {1, 2, 3, 4})
        play.Command1_DragDrop(cell, true);
    EXPECT_EQ(cells.cells[1].text, "");
    EXPECT_EQ(cells.cells[1].colour, kEntryColour);
    EXPECT_EQ(cells.cells[2].text, "4");
    EXPECT_EQ(cells.cells[3].colour, kGivenColour);
    EXPECT_EQ(cells.cells[4].text, "");
    EXPECT_EQ(cells.cells[4].colour, kEntryColour);
}

TEST_F(PlayTest, OnlyTheEraserErases) {
    cells.set(1, "J4");
    play.Command1_DragDrop(1, false);
    EXPECT_EQ(cells.cells[1].text, "4");
}

TEST_F(PlayTest, AnErasedSquareTakesADigitAgain) {
    pick(7, 2);
    play.Command1_DragDrop(7, true);
    pick(7, 3);
    EXPECT_EQ(cells.cells[7].text, "3");
    EXPECT_EQ(cells.cells[7].colour, kEntryColour);
}

} // namespace
} // namespace tessal
