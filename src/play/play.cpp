#include "play.h"

#include "play/checks.h"

namespace tessal {

void Play::Command1_MouseDown(int Index) {
    values_.currentCell = Index;
}

void Play::Command1_Click(int Index) {
    if (!cells_.text(Index).empty())
        return;
    list_.moveTo(kCellSizeTwips + cellLeftTwips(Index), cellTopTwips(Index) - list_.heightTwips());
    list_.bringToFront();
}

void Play::List1_Click() {
    const int cell = values_.currentCell;
    const int digit = list_.selectedIndex() + 1;
    // Reached before any cell was pressed (by the keyboard), the list has no cell to fill.
    if (isCell(cell) && digit >= 1 && digit <= 9 && verifie(cells_, dialogs_, cell, digit) != 1 &&
        verifiehoriz(cells_, dialogs_, cell, digit) != 1 &&
        verifievert(cells_, dialogs_, cell, digit) != 1) {
        cells_.setText(cell, digitText(digit));
        cells_.setColour(cell, kEntryColour);
    }
    list_.setLeftTwips(kPutAwayLeftTwips);
}

void Play::Form_Click() {
    list_.setLeftTwips(kPutAwayLeftTwips);
}

void Play::Command1_DragDrop(int Index, bool sourceIsEraser) {
    if (sourceIsEraser && cells_.colour(Index) == kEntryColour)
        cells_.setText(Index, "");
}

} // namespace tessal
