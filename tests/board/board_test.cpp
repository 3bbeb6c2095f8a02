#include "board/board.h"

#include <gtest/gtest.h>

#include <set>

namespace tessal {

TEST(CellNumbering, ScreenLayoutMatchesTheIndexTable) {
    const int rows[9][9] = {
        {1, 2, 3, 11, 12, 13, 21, 22, 23},    {4, 5, 6, 14, 15, 16, 24, 25, 26},
        {7, 8, 9, 17, 18, 19, 27, 28, 29},    {31, 32, 33, 41, 42, 43, 51, 52, 53},
        {34, 35, 36, 44, 45, 46, 54, 55, 56}, {37, 38, 39, 47, 48, 49, 57, 58, 59},
        {61, 62, 63, 71, 72, 73, 81, 82, 83}, {64, 65, 66, 74, 75, 76, 84, 85, 86},
        {67, 68, 69, 77, 78, 79, 87, 88, 89}};
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            EXPECT_EQ(cellAt(r, c), rows[r][c]);
            EXPECT_EQ(rowOf(rows[r][c]), r);
            EXPECT_EQ(columnOf(rows[r][c]), c);
        }
}

TEST(CellNumbering, ArrowStepsCrossBoxesAndStopAtTheEdge) {
    EXPECT_EQ(steppedCell(3, 0, 1), 11);  // into the next box along the row
    EXPECT_EQ(steppedCell(7, 1, 0), 31);  // into the box below
    EXPECT_EQ(steppedCell(1, -1, -1), 1); // the top left corner stays
    EXPECT_EQ(steppedCell(89, 1, 1), 89); // so does the bottom right
    EXPECT_EQ(steppedCell(23, 0, 1), 23); // the end of the first row
}

TEST(CellNumbering, MultiplesOfTenNameNoCell) {
    for (int value = 0; value <= 90; value += 10)
        EXPECT_FALSE(isCell(value)) << value;
    EXPECT_FALSE(isCell(-1));
    EXPECT_FALSE(isCell(91));
    EXPECT_TRUE(isCell(1));
    EXPECT_TRUE(isCell(89));
}

TEST(BoardOrder, RunsBoxByBoxAndVisitsEveryCellOnce) {
    EXPECT_EQ(kBoardOrder[0], 1);
    EXPECT_EQ(kBoardOrder[8], 9);
    EXPECT_EQ(kBoardOrder[9], 11); // the fourth cell of the first row, not the second row's first
    EXPECT_EQ(rowOf(kBoardOrder[9]), 0);
    EXPECT_EQ(kBoardOrder[80], 89);
    std::set<int> seen(kBoardOrder.begin(), kBoardOrder.end());
    EXPECT_EQ(seen.size(), 81u);
    for (int cell : kBoardOrder)
        EXPECT_TRUE(isCell(cell));
}

TEST(Units, RowAndColumnScansRunLeftToRightAndTopToBottom) {
    EXPECT_EQ(rowCells(4), (Unit{34, 35, 36, 44, 45, 46, 54, 55, 56}));
    EXPECT_EQ(columnCells(3), (Unit{11, 14, 17, 41, 44, 47, 71, 74, 77}));
    EXPECT_EQ(columnCells(8), (Unit{23, 26, 29, 53, 56, 59, 83, 86, 89}));
    EXPECT_EQ(boxCells(4), (Unit{41, 42, 43, 44, 45, 46, 47, 48, 49}));
}

TEST(CellPlaces, CornersStandWhereTheWindowPutsThem) {
    EXPECT_EQ(cellLeftTwips(1), 1800);
    EXPECT_EQ(cellTopTwips(1), 2040);
    EXPECT_EQ(cellLeftTwips(23), 5880);
    EXPECT_EQ(cellTopTwips(23), 2040);
    EXPECT_EQ(cellLeftTwips(67), 1800);
    EXPECT_EQ(cellTopTwips(67), 6120);
    EXPECT_EQ(cellLeftTwips(89), 5880);
    EXPECT_EQ(cellTopTwips(89), 6120);
    EXPECT_EQ(cellLeftTwips(11) - cellLeftTwips(3), 600); // across a box edge
    EXPECT_EQ(cellLeftTwips(2) - cellLeftTwips(1), 480);  // inside a box
}

TEST(Colours, TheGivenColourEqualsOnlyItself) {
    EXPECT_EQ(kGivenColour, Colour::buttonFace());
    EXPECT_NE(kGivenColour, kEntryColour);
    for (int grey : {0, 192, 212, 236, 240, 255})
        EXPECT_NE(kGivenColour, Colour::rgb(grey, grey, grey)) << grey;
    EXPECT_NE(kGivenColour, Colour::rgb(0, 0, 0));
    EXPECT_EQ(kEntryColour, Colour::rgb(255, 255, 192));
    EXPECT_NE(kEntryColour, Colour::rgb(255, 255, 193));
}

TEST(DigitText, OnlyTheNineDigitsHaveText) {
    EXPECT_EQ(digitText(1), "1");
    EXPECT_EQ(digitText(9), "9");
    EXPECT_EQ(digitText(0), "");
    EXPECT_EQ(digitText(10), "");
    EXPECT_EQ(digitText(-3), "");
}

} // namespace tessal
