#include "play.h"

#include "play/checks.h"

namespace tessal {

void Play::Command1_MouseDown(int Index) {
    values_.currentCell = Index;
}

void Play::Command1_Click(int Index) {
    if (!cells_.text(Index).empty())
        return;
    list_.chooseNothing();
    list_.moveTo(kCellSizeTwips + cellLeftTwips(Index), cellTopTwips(Index) - list_.heightTwips());
    list_.bringToFront();
    list_.takeKeyboard(Index);
    openedBeside_ = Index;
}

void Play::List1_Click() {
    const int cell = values_.currentCell;
    const int digit = list_.selectedIndex() + 1;
    // A pick fills only an empty cell, and only the one the player sees the list beside: one
    // out of view, one left open beside a cell that a deal or a resume has filled since, one
    // whose current cell moved on by a press that made no click (another button, or a slide
    // off the cell), or one reached before any cell was pressed writes nothing.
    const bool open = list_.leftTwips() >= 0 && cell == openedBeside_;
    if (open && isCell(cell) && cells_.text(cell).empty() && digit >= 1 && digit <= 9 &&
        verifie(cells_, dialogs_, cell, digit) != 1 &&
        verifiehoriz(cells_, dialogs_, cell, digit) != 1 &&
        verifievert(cells_, dialogs_, cell, digit) != 1) {
        cells_.setText(cell, digitText(digit));
        cells_.setColour(cell, kEntryColour);
    }
    putAway();
}

void Play::Form_Click() {
    putAway();
}

void Play::putAway() {
    list_.setLeftTwips(kPutAwayLeftTwips);
    list_.giveKeyboardBack();
}

void Play::Command1_DragDrop(int Index, bool sourceIsEraser) {
    if (sourceIsEraser && cells_.colour(Index) == kEntryColour)
        cells_.setText(Index, "");
}

} // namespace tessal
