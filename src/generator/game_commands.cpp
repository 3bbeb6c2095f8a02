#include "game_commands.h"

#include "generator/deal.h"

namespace tessal {

void GameCommands::Form_Load() {
    Deal(cells_, values_, random_).run();
}

void GameCommands::Command2_Click() {
    for (int cell : kBoardOrder)
        cells_.setVisible(cell, false);
    Form_Load();
    for (int cell : kBoardOrder)
        cells_.setVisible(cell, true);
}

void GameCommands::Command3_Click() {
    // The givens are the given-coloured digits on the board: after a deal they are exactly the
    // cells with a positive solution, and after a resume they are the saved game's own.
    for (int cell : kBoardOrder) {
        if (cells_.colour(cell) != kGivenColour)
            cells_.setText(cell, "");
        cells_.setColour(cell, kGivenColour);
    }
}

} // namespace tessal
