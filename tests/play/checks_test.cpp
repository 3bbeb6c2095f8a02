#include "play/checks.h"

#include "support/fakes.h"

#include <gtest/gtest.h>

namespace tessal {
namespace {

using testing::MemoryCells;
using testing::RecordingDialogs;
using Texts = std::vector<std::string>;

struct ChecksTest : ::testing::Test {
    MemoryCells cells;
    RecordingDialogs dialogs;
};

TEST_F(ChecksTest, BoxFindsTheCellItselfAndGivensAndEntriesAlike) {
    cells.set(45, "J7");
    EXPECT_EQ(verifie(cells, dialogs, 45, 7), 1);
    EXPECT_EQ(dialogs.texts(), Texts{"Déjà mis dans le carré!"});
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(dialogs.messages[0].title.has_value()); // the game's own title

    dialogs.messages.clear();
    cells.set(45, "G0");
    cells.set(41, "G7");
    cells.set(49, "J7");
    EXPECT_EQ(verifie(cells, dialogs, 45, 7), 1);
    EXPECT_EQ(dialogs.texts(), Texts(2, "Déjà mis dans le carré!"));
}

TEST_F(ChecksTest, RowReportsEveryMatchLeftToRight) {
    cells.set(56, "G3");
    cells.set(34, "J3");
    EXPECT_EQ(verifiehoriz(cells, dialogs, 45, 3), 1);
    EXPECT_EQ(dialogs.texts(), Texts(2, "Déjà mis en ligne !"));
    EXPECT_EQ(verifie(cells, dialogs, 45, 3), 0); // neither is in the centre box
}

TEST_F(ChecksTest, ColumnTextLacksTheSpaceOnlyInTheCentreBoxsLeftColumn) {
    cells.set(44, "G2");
    EXPECT_EQ(verifievert(cells, dialogs, 14, 2), 1);
    EXPECT_EQ(dialogs.texts(), Texts{"Déjà mis en colonne!"});

    for (int cell : {11, 14, 17, 71, 74, 77, 41, 47}) {
        MemoryCells board;
        RecordingDialogs shown;
        board.set(cell, "J2");
        EXPECT_EQ(verifievert(board, shown, 44, 2), 1) << cell;
        const bool centre = cell == 41 || cell == 47;
        EXPECT_EQ(shown.texts(), Texts{centre ? "Déjà mis en colonne!" : "Déjà mis en colonne !"})
            << cell;
    }
}

TEST_F(ChecksTest, ColumnReportsMatchesTopToBottom) {
    cells.set(77, "G9");
    cells.set(11, "G9");
    cells.set(41, "J9");
    EXPECT_EQ(verifievert(cells, dialogs, 74, 9), 1);
    EXPECT_EQ(dialogs.texts(),
              (Texts{"Déjà mis en colonne !", "Déjà mis en colonne!", "Déjà mis en colonne !"}));
}

TEST_F(ChecksTest, NoMatchGivesNoBoxAndFlagZero) {
    for (int cell : kBoardOrder)
        cells.set(cell, "G0");
    cells.set(1, "G5");
    for (int digit = 1; digit <= 9; ++digit) {
        EXPECT_EQ(verifie(cells, dialogs, 89, digit), 0);
        EXPECT_EQ(verifiehoriz(cells, dialogs, 89, digit), 0);
        EXPECT_EQ(verifievert(cells, dialogs, 89, digit), 0);
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ChecksTest, ChecksNeverChangeTheBoard) {
    cells.set(1, "J1");
    cells.set(2, "G1");
    const MemoryCells before = cells;
    verifie(cells, dialogs, 1, 1);
    verifiehoriz(cells, dialogs, 1, 1);
    verifievert(cells, dialogs, 1, 1);
    for (int cell : kBoardOrder) {
        EXPECT_EQ(cells.cells[cell].text, before.cells[cell].text);
        EXPECT_EQ(cells.cells[cell].colour, before.cells[cell].colour);
    }
}

} // namespace
} // namespace tessal
