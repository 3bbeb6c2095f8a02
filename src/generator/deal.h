// The deal: a random relabelling of one fixed complete grid, then 51 cells emptied box by box.
#pragma once

#include "board/board.h"
#include "generator/random_source.h"

#include <array>

namespace tessal {

// The complete grid every deal starts from, in board order.
extern const std::array<int, kCellCount> kTemplateGrid;

// How many cells each box loses: efface empties box 0, efface2 box 1, ... efface9 box 8.
constexpr std::array<int, 9> kBlankedPerBox = {6, 5, 6, 6, 5, 6, 6, 5, 6};

// The order Form_Load runs the blanking routines in: efface, efface3, efface4, efface6,
// efface7, efface9, efface2, efface8, efface5.
constexpr std::array<int, 9> kBlankingOrder = {0, 2, 3, 5, 6, 8, 1, 7, 4};

// One random digit 1..9 from a real in [0, 1); a stray 1.0 still gives 9.
int drawDigit(float r);

class Deal {
  public:
    Deal(Cells& cells, GameValues& values, RandomSource& random)
        : cells_(cells), values_(values), random_(random) {}

    // The whole deal, in its fixed order.
    void run();

    // Reseeds the generator and draws the permutation of 1..9.
    void tire();
    // 1 when vall is among the values drawn so far, else 0.
    int existe(int vall) const;
    // Writes the relabelled complete grid into the cells and into `solution`.
    void tire2();
    // Empties kBlankedPerBox[box] distinct random cells of the box and negates their solution.
    void efface(int box);

  private:
    int drawFresh();

    Cells& cells_;
    GameValues& values_;
    RandomSource& random_;
};

} // namespace tessal
