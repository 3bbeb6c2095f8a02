// Playing a cell: the pop-up digit list, placing a digit, and the eraser.
#pragma once

#include "board/board.h"
#include "board/dialogs.h"

namespace tessal {

// The pop-up list of the digits "1".."9"; places and sizes in twips.
class DigitList {
  public:
    virtual ~DigitList() = default;
    // Zero-based; item k stands for the digit k + 1. -1 when nothing is selected.
    virtual int selectedIndex() const = 0;
    virtual int heightTwips() const = 0;
    virtual int leftTwips() const = 0;
    virtual void moveTo(int leftTwips, int topTwips) = 0;
    // Each opening starts with no digit chosen, so the first arrow picks from an end.
    virtual void chooseNothing() = 0;
    // Only Left changes when the list is put away; Top keeps its last value.
    virtual void setLeftTwips(int leftTwips) = 0;
    virtual void bringToFront() = 0;
    // Opened beside a cell, the list takes the keyboard, so a key picks at once; put away,
    // it gives the keyboard back to that cell, if it still holds it (or will again, once a
    // message box closes).
    virtual void takeKeyboard(int openedBeside) = 0;
    virtual void giveKeyboardBack() = 0;
};

// The digit list's height, room for its nine digits, and its Left once put away: wholly left
// of the window.
constexpr int kDigitListHeightTwips = 1815;
constexpr int kPutAwayLeftTwips = -300;

class Play {
  public:
    Play(Cells& cells, DigitList& list, Dialogs& dialogs, GameValues& values)
        : cells_(cells), list_(list), dialogs_(dialogs), values_(values) {}

    // A press of any mouse button on a cell makes it the current cell.
    void Command1_MouseDown(int Index);
    // A click on an empty cell opens the digit list just above and right of it.
    void Command1_Click(int Index);
    // A digit chosen: written in the entry colour if box, row and column allow it, and only
    // while the list stands open beside the current cell and that cell is empty.
    void List1_Click();
    // A click on the bare window puts the list away.
    void Form_Click();
    // The eraser dropped on a cell empties it if the player filled it.
    void Command1_DragDrop(int Index, bool sourceIsEraser);

  private:
    void putAway();

    Cells& cells_;
    DigitList& list_;
    Dialogs& dialogs_;
    GameValues& values_;
    int openedBeside_ = 0; // the cell the list was last opened beside; 0 before any
};

} // namespace tessal
