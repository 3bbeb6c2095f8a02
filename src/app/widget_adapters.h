// The window's widgets behind the interfaces the rules talk to: the cells in their buttons,
// the digit picker in List1, the file panel in its five controls.
#pragma once

#include "app/volume_list.h"
#include "board/board.h"
#include "play/play.h"
#include "savegame/file_panel.h"

#include <QAccessible>

#include <array>
#include <string>

class QLabel;
class QWidget;

namespace tessal {

class CellButton;
class ChoiceList;
class FolderList;

// The board as it lives in the 81 cell buttons.
class ButtonCells final : public Cells, private QAccessible::ActivationObserver {
  public:
    ButtonCells();
    ButtonCells(const ButtonCells&) = delete;
    ButtonCells& operator=(const ButtonCells&) = delete;
    ~ButtonCells() override;

    std::array<CellButton*, kHighestCell + 1> buttons{};

    std::string text(int cell) const override;
    void setText(int cell, std::string_view text) override;
    Colour colour(int cell) const override;
    void setColour(int cell, Colour colour) override;
    void setVisible(int cell, bool visible) override;
    // What a screen reader tells of the cell: where it stands, and a given, an entry or empty.
    // Written while one listens, and for every cell as one connects.
    void describe(int cell);

  private:
    void accessibilityActiveChanged(bool active) override;
    bool readerListens_;
};

// The digit picker as it lives in List1.
class ListDigits final : public DigitList {
  public:
    ListDigits(ChoiceList* list, const ButtonCells& cells);
    int selectedIndex() const override;
    int heightTwips() const override;
    int leftTwips() const override;
    void moveTo(int leftTwips, int topTwips) override;
    void chooseNothing() override;
    void setLeftTwips(int leftTwips) override;
    void bringToFront() override;
    void takeKeyboard(int openedBeside) override;
    void giveKeyboardBack() override;

  private:
    // Out of view, the list is no stop for Tab: the keyboard would go where nobody sees it.
    void offerTabStop();

    ChoiceList* list_;
    const ButtonCells& cells_;
    int openedBeside_ = 0; // no cell yet: the keyboard goes back to the window
};

// The file panel as it lives in Label1, Dir1, Drive1, Command6 and List2.
class WindowPanel final : public PanelView {
  public:
    QLabel* label = nullptr;
    FolderList* folders = nullptr;
    VolumeList* volumes = nullptr;
    QWidget* saveButton = nullptr;
    ChoiceList* savedGames = nullptr;

    void setShown(PanelControl control, bool shown) override;
    bool isShown(PanelControl control) const override;
    std::string labelText() const override;
    void setLabelText(const std::string& text) override;
    std::string folderPath() const override;
    bool setFolderPath(const std::string& path) override;
    std::string volumeText() const override;
    void showVolumeOf(const std::string& folder) override;
    void clearSavedGames() override;
    void addSavedGame(const std::string& gameName) override;
    std::string selectedSavedGame() const override;

  private:
    QWidget* widget(PanelControl control) const;
    std::string labelBytes_; // the folder as the file system spells it; Label1 shows it decoded
};

} // namespace tessal
