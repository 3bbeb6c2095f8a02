// The deal: a random relabelling of one fixed complete grid, then 51 cells emptied box by box.
#pragma once

#include "board/board.h"
#include "generator/random_source.h"

#include <array>

namespace tessal {

// The complete grid every deal starts from, in board order.
extern const std::array<int, kCellCount> kTemplateGrid;

// How many cells each box loses, by box number: five in the centre box and in the middle box
// of the top and bottom rows, six in the others; 51 in all.
constexpr std::array<int, 9> kBlankedPerBox = {6, 5, 6, 6, 5, 6, 6, 5, 6};

// The box numbers in the order the deal empties them, one efface(box) call each: the random
// draws go to the boxes in this order, so a seed deals the same puzzle every time.
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
