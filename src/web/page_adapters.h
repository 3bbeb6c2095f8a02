// The page's elements behind the interfaces the rules talk to: the cells in their buttons,
// the digit picker in List1, the file panel in its five controls. Each element is named by
// its control's name.
#pragma once

#include "board/board.h"
#include "play/play.h"
#include "savegame/file_panel.h"

#include <functional>
#include <string>
#include <vector>

namespace tessal::web {

// The board as it lives in the 81 cell buttons. Each keeps its text and background, as a
// button of the desktop does, and shows them.
class PageCells final : public Cells {
  public:
    std::string text(int cell) const override { return texts_[cell]; }
    void setText(int cell, std::string_view text) override;
    Colour colour(int cell) const override { return backgrounds_[cell]; }
    void setColour(int cell, Colour colour) override;
    void setVisible(int cell, bool visible) override;

  private:
    // What a screen reader tells of the cell: where it stands, and a given, an entry or empty.
    void describe(int cell);

    std::vector<std::string> texts_ = std::vector<std::string>(kHighestCell + 1);
    std::vector<Colour> backgrounds_ = std::vector<Colour>(kHighestCell + 1, kGivenColour);
};

// The digit picker as it lives in List1.
class PageDigits final : public DigitList {
  public:
    PageDigits();
    int selectedIndex() const override;
    int heightTwips() const override;
    int leftTwips() const override { return left_; }
    void moveTo(int leftTwips, int topTwips) override;
    void chooseNothing() override;
    void setLeftTwips(int leftTwips) override;
    void bringToFront() override;
    void takeKeyboard(int openedBeside) override;
    void giveKeyboardBack() override;

  private:
    int left_, top_;
    int openedBeside_ = 0; // no cell yet: the keyboard goes back to the window
};

// The folder chooser: the folders from the volume down to the current one, then its
// subfolders, indented. A double-click or Enter moves to a folder; a single click only
// highlights it. It never climbs above the volume, out of the stored folder.
class PageFolderList {
  public:
    explicit PageFolderList(std::string volume);
    std::function<void()> pathChanged;
    std::function<void(const std::string&)> openFailed;

    const std::string& path() const { return path_; }
    // False, and nothing changes, when the folder cannot be opened.
    bool setPath(const std::string& path);
    // The folder is read anew each time the panel shows it.
    void shown();
    void open(int row);

  private:
    bool fill(const std::string& path, bool evenUnreadable);

    std::string volume_;
    std::string path_;
    std::vector<std::string> rows_;
};

// The file panel as it lives in Label1, Dir1, Drive1, Command6 and List2.
class PagePanel final : public PanelView {
  public:
    explicit PagePanel(PageFolderList& folders) : folders_(folders) {}

    void setShown(PanelControl control, bool shown) override;
    bool isShown(PanelControl control) const override;
    std::string labelText() const override { return labelText_; }
    void setLabelText(const std::string& text) override;
    std::string folderPath() const override { return folders_.path(); }
    bool setFolderPath(const std::string& path) override { return folders_.setPath(path); }
    std::string volumeText() const override;
    // The one volume always shows.
    void showVolumeOf(const std::string&) override {}
    void clearSavedGames() override;
    void addSavedGame(const std::string& gameName) override;
    std::string selectedSavedGame() const override;

  private:
    PageFolderList& folders_;
    std::string labelText_;
    std::vector<std::string> gameNames_;
};

} // namespace tessal::web
