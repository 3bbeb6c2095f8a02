// The 9x9 board: how cells are numbered, what a cell holds, and the values a game keeps
// beside its cells. The board itself lives in the window's 81 cell buttons; the rules
// reach it only through the Cells interface below.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessal {

// A cell index is 10 x box + position: boxes 0..8 and positions 1..9, both row by row.
// The multiples of 10 name no cell.
constexpr int boxOf(int cell) {
    return cell / 10;
}
constexpr int positionOf(int cell) {
    return cell % 10;
}
constexpr int rowOf(int cell) {
    return 3 * (boxOf(cell) / 3) + (positionOf(cell) - 1) / 3;
}
constexpr int columnOf(int cell) {
    return 3 * (boxOf(cell) % 3) + (positionOf(cell) - 1) % 3;
}
constexpr int cellAt(int row, int column) {
    return 10 * (3 * (row / 3) + column / 3) + 3 * (row % 3) + column % 3 + 1;
}
constexpr bool isCell(int value) {
    return value >= 1 && value <= 89 && value % 10 != 0;
}
// Where an arrow key leads from a cell: rows and columns away, stopping at the board's edge.
constexpr int steppedCell(int cell, int rowStep, int columnStep) {
    return cellAt(std::clamp(rowOf(cell) + rowStep, 0, 8),
                  std::clamp(columnOf(cell) + columnStep, 0, 8));
}

constexpr int kCellCount = 81;
constexpr int kHighestCell = 89;

// Every whole-board pass, and the line order of a saved game: box by box, 1-9, 11-19, ... 81-89.
constexpr std::array<int, kCellCount> kBoardOrder = [] {
    std::array<int, kCellCount> order{};
    for (int n = 0; n < kCellCount; ++n)
        order[n] = 10 * (n / 9) + n % 9 + 1;
    return order;
}();

// The nine cells of a box, a row or a column, in the order the conflict checks scan them.
using Unit = std::array<int, 9>;
constexpr Unit boxCells(int box) {
    Unit cells{};
    for (int k = 0; k < 9; ++k)
        cells[k] = 10 * box + k + 1;
    return cells;
}
constexpr Unit rowCells(int row) {
    Unit cells{};
    for (int column = 0; column < 9; ++column)
        cells[column] = cellAt(row, column);
    return cells;
}
constexpr Unit columnCells(int column) {
    Unit cells{};
    for (int row = 0; row < 9; ++row)
        cells[row] = cellAt(row, column);
    return cells;
}

// Where a cell stands in the window, in twips: 480 apart inside a box, 600 across a box edge.
constexpr int kCellSizeTwips = 495;
constexpr int cellLeftTwips(int cell) {
    const int column = columnOf(cell);
    return 1800 + 480 * column + 120 * (column / 3);
}
constexpr int cellTopTwips(int cell) {
    const int row = rowOf(cell);
    return 2040 + 480 * row + 120 * (row / 3);
}

// A cell's background: either the platform's button-face colour, which stands for whatever
// the platform draws and so equals no RGB value, or a plain RGB colour.
class Colour {
  public:
    static constexpr Colour buttonFace() { return Colour(true, 0); }
    static constexpr Colour rgb(int red, int green, int blue) {
        return Colour(false, static_cast<std::uint32_t>(red << 16 | green << 8 | blue));
    }
    constexpr bool isButtonFace() const { return buttonFace_; }
    constexpr int red() const { return static_cast<int>(rgb_ >> 16 & 0xff); }
    constexpr int green() const { return static_cast<int>(rgb_ >> 8 & 0xff); }
    constexpr int blue() const { return static_cast<int>(rgb_ & 0xff); }
    constexpr bool operator==(const Colour&) const = default;

  private:
    constexpr Colour(bool buttonFace, std::uint32_t rgb) : buttonFace_(buttonFace), rgb_(rgb) {}
    bool buttonFace_;
    std::uint32_t rgb_;
};

// Squares the player has not filled (givens and open squares) and squares the player filled.
constexpr Colour kGivenColour = Colour::buttonFace();
constexpr Colour kEntryColour = Colour::rgb(255, 255, 192);

// The board as the rules see it: each cell's text ("" or "1".."9"), background and visibility.
class Cells {
  public:
    virtual ~Cells() = default;
    virtual std::string text(int cell) const = 0;
    virtual void setText(int cell, std::string_view text) = 0;
    virtual Colour colour(int cell) const = 0;
    virtual void setColour(int cell, Colour colour) = 0;
    virtual void setVisible(int cell, bool visible) = 0;
};

// What a game keeps beside its cells. `solution` holds +d for a given d and -d for a cell
// blanked at the deal; `drawn` is the scratch list of one random draw; `currentCell` is the
// cell last pressed, 0 before any.
struct GameValues {
    std::array<int, kHighestCell + 1> solution{};
    std::array<int, 10> drawn{};
    std::array<int, 10> permutation{};
    int currentCell = 0;
};

// The text a cell shows for a digit, "" for 0.
inline std::string digitText(int digit) {
    return digit >= 1 && digit <= 9 ? std::string(1, static_cast<char>('0' + digit)) : "";
}

} // namespace tessal
