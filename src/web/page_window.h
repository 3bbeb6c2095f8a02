// The game's one window as a page: it lends the rules the page's cells, digit list, file panel
// and boxes, and answers the page's events with the handlers of the same names. The controls
// themselves stand in the page already, written from the layout table as the site was built.
#pragma once

#include "board/board.h"
#include "generator/game_commands.h"
#include "generator/random_source.h"
#include "play/play.h"
#include "savegame/file_panel.h"
#include "web/page_adapters.h"
#include "web/page_dialogs.h"

#include <string>

namespace tessal::web {

class PageWindow {
  public:
    // Takes the page's controls and deals the first game.
    PageWindow();

    // The window's event handlers.
    void Form_Load();
    void Form_Click();
    void Command1_MouseDown(int Index);
    void Command1_Click(int Index);
    void Command1_DragDrop(int Index, bool sourceIsEraser);
    void Command2_Click();
    void Command3_Click();
    void List1_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Drive1_Change();
    void Dir1_Change();
    void List2_Click();

    // A double-click or Enter on an entry of the folder list.
    void Dir1_Open(int row);
    // The arrows move the keyboard across the grid as it stands on screen, stopping at its
    // edges.
    void stepFocus(int cell, int rowStep, int columnStep);
    // A file dropped onto the page from the desktop: a sound saved game is added to the folder
    // the folder list shows; anything else is refused with a message.
    void addDroppedFile(const std::string& fileName, const std::string& bytes);
    // Offers every saved game of the stored folder as a file to download, outside the window.
    void offerSavedGames();

  private:
    // The file panel's handlers read and write the stored folder: each starts from what the
    // browser holds now, other tabs' saves included, and offers the saved games again after.
    void withStore(void (FilePanel::*handler)());

    PageDialogs dialogs_;
    TimeOfDayRandom random_;
    GameValues values_;
    PageCells cells_;
    PageFolderList folders_;
    PageDigits digits_;
    PagePanel panel_;
    GameCommands commands_;
    Play play_;
    FilePanel filePanel_;
};

} // namespace tessal::web
