// Start-up and the two whole-game buttons: "Autre Jeu" deals anew, "RE-INITIALISE" resets.
#pragma once

#include "board/board.h"
#include "generator/random_source.h"

namespace tessal {

class GameCommands {
  public:
    GameCommands(Cells& cells, GameValues& values, RandomSource& random)
        : cells_(cells), values_(values), random_(random) {}

    // Deals a game; runs once before the window first shows, and again for "Autre Jeu".
    void Form_Load();
    // "Autre Jeu": the cells stay hidden while the deal writes them.
    void Command2_Click();
    // "RE-INITIALISE": back to the givens, every cell in the given colour.
    void Command3_Click();

  private:
    Cells& cells_;
    GameValues& values_;
    RandomSource& random_;
};

} // namespace tessal
