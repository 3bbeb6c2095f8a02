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
    for (int cell : kBoardOrder) {
        const bool given = cells_.colour(cell) == kGivenColour && values_.solution[cell] > 0;
        cells_.setText(cell, given ? digitText(values_.solution[cell]) : "");
        cells_.setColour(cell, kGivenColour);
    }
}

} // namespace tessal
