// The page's elements behind the interfaces the rules talk to: the cells in their buttons,
// the digit picker in List1, the file panel in its five controls.
#pragma once

#include "board/board.h"
#include "play/play.h"
#include "savegame/file_panel.h"

#include <emscripten/val.h>

#include <functional>
#include <string>
#include <vector>

namespace tessal::web {

using emscripten::val;

// A list box's options, none chosen yet.
void appendOption(val& list, const std::string& text);
void fillListBox(val& list, const std::vector<std::string>& texts);
// The option the player chose last, -1 when none.
int chosenOption(const val& list);

// The board as it lives in the 81 cell buttons; each keeps its background, as a colour button
// of the desktop does.
class PageCells final : public Cells {
  public:
    std::vector<val> buttons{kHighestCell + 1, val::undefined()};

    std::string text(int cell) const override;
    void setText(int cell, std::string_view text) override;
    Colour colour(int cell) const override;
    void setColour(int cell, Colour colour) override;
    void setVisible(int cell, bool visible) override;
    // What a screen reader tells of the cell: where it stands, and a given, an entry or empty.
    void describe(int cell);

  private:
    std::vector<Colour> backgrounds_ = std::vector<Colour>(kHighestCell + 1, kGivenColour);
};

// The digit picker as it lives in List1.
class PageDigits final : public DigitList {
  public:
    PageDigits(val list, const PageCells& cells, int leftTwips, int topTwips);
    int selectedIndex() const override;
    int heightTwips() const override;
    int leftTwips() const override { return left_; }
    void moveTo(int leftTwips, int topTwips) override;
    void setLeftTwips(int leftTwips) override;
    void bringToFront() override;
    void takeKeyboard(int openedBeside) override;
    void giveKeyboardBack() override;

  private:
    val list_;
    const PageCells& cells_;
    int left_, top_;
    int openedBeside_ = 0; // no cell yet: the keyboard goes back to the window
};

// The folder chooser: the folders from the volume down to the current one, then its
// subfolders, indented. A double-click or Enter moves to a folder; a single click only
// highlights it. It never climbs above the volume, out of the stored folder.
class PageFolderList {
  public:
    PageFolderList(val list, std::string volume);
    std::function<void()> pathChanged;
    std::function<void(const std::string&)> openFailed;

    const val& element() const { return list_; }
    const std::string& path() const { return path_; }
    // False, and nothing changes, when the folder cannot be opened.
    bool setPath(const std::string& path);
    // The folder is read anew each time the panel shows it.
    void shown();
    void open(int row);

  private:
    bool fill(const std::string& path, bool evenUnreadable);

    val list_;
    std::string volume_;
    std::string path_;
    std::vector<std::string> rows_;
};

// The file panel as it lives in Label1, Dir1, Drive1, Command6 and List2.
class PagePanel final : public PanelView {
  public:
    PagePanel(val label, PageFolderList& folders, val volumes, val saveButton, val savedGames);

    void setShown(PanelControl control, bool shown) override;
    bool isShown(PanelControl control) const override;
    std::string labelText() const override { return labelText_; }
    void setLabelText(const std::string& text) override;
    std::string folderPath() const override { return folders_.path(); }
    bool setFolderPath(const std::string& path) override { return folders_.setPath(path); }
    std::string volumeText() const override;
    void clearSavedGames() override;
    void addSavedGame(const std::string& gameName) override;
    std::string selectedSavedGame() const override;

  private:
    val element(PanelControl control) const;

    val label_;
    PageFolderList& folders_;
    val volumes_, saveButton_, savedGames_;
    std::string labelText_;
    std::vector<std::string> gameNames_;
};

} // namespace tessal::web
