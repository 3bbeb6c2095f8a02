#include "deal.h"

#include <algorithm>

namespace tessal {

const std::array<int, kCellCount> kTemplateGrid = {
    3, 5, 9, 6, 1, 4, 2, 8, 7, // box 0
    8, 2, 7, 3, 9, 5, 1, 6, 4, // box 1
    6, 4, 1, 2, 7, 8, 5, 3, 9, // box 2
    9, 4, 2, 5, 3, 1, 8, 7, 6, // box 3
    6, 3, 1, 9, 7, 8, 5, 4, 2, // box 4
    8, 5, 7, 4, 6, 2, 1, 9, 3, // box 5
    1, 6, 8, 7, 2, 5, 4, 9, 3, // box 6
    7, 5, 9, 4, 8, 3, 2, 1, 6, // box 7
    3, 2, 4, 9, 1, 6, 7, 8, 5, // box 8
};

int drawDigit(float r) {
    return std::clamp(static_cast<int>(r * 9.0) + 1, 1, 9);
}

void Deal::run() {
    tire();
    tire2();
    for (int box : kBlankingOrder)
        efface(box);
}

int Deal::drawFresh() {
    int x = drawDigit(random_.next());
    while (existe(x) == 1)
        x = drawDigit(random_.next());
    return x;
}

void Deal::tire() {
    random_.reseed();
    values_.drawn.fill(0);
    for (int k = 1; k <= 9; ++k) {
        const int x = drawFresh();
        values_.permutation[k] = x;
        values_.drawn[k] = x;
    }
}

int Deal::existe(int vall) const {
    return std::find(values_.drawn.begin() + 1, values_.drawn.end(), vall) != values_.drawn.end()
               ? 1
               : 0;
}

void Deal::tire2() {
    // Template digit t becomes permutation(m), m being where t stands in box 0 of the template.
    std::array<int, 10> relabel{};
    for (int m = 1; m <= 9; ++m)
        relabel[kTemplateGrid[m - 1]] = values_.permutation[m];
    for (int n = 0; n < kCellCount; ++n) {
        const int cell = kBoardOrder[n];
        const int digit = relabel[kTemplateGrid[n]];
        cells_.setText(cell, digitText(digit));
        cells_.setColour(cell, kGivenColour);
        values_.solution[cell] = digit;
    }
}

void Deal::efface(int box) {
    values_.drawn.fill(0);
    for (int k = 1; k <= kBlankedPerBox[box]; ++k) {
        const int x = drawFresh();
        const int cell = 10 * box + x;
        cells_.setText(cell, "");
        values_.solution[cell] = -values_.solution[cell];
        values_.drawn[k] = x;
    }
}

} // namespace tessal
