// The game's one window: it builds the controls at their places, wires their events to the
// handlers, and lends the rules its cell buttons, its digit list and its modal boxes.
#pragma once

#include "app/layout.h"
#include "app/volume_list.h"
#include "board/board.h"
#include "board/dialogs.h"
#include "generator/game_commands.h"
#include "generator/random_source.h"
#include "play/play.h"
#include "savegame/file_panel.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QMimeData;

namespace tessal {

class CellButton;
class ChoiceList;
class ColourButton;
class EraserPicture;
class FolderList;

// The board as it lives in the 81 cell buttons.
class ButtonCells final : public Cells {
  public:
    std::array<CellButton*, kHighestCell + 1> buttons{};

    std::string text(int cell) const override;
    void setText(int cell, std::string_view text) override;
    Colour colour(int cell) const override;
    void setColour(int cell, Colour colour) override;
    void setVisible(int cell, bool visible) override;
    // What a screen reader tells of the cell: where it stands, and a given, an entry or empty.
    void describe(int cell);
};

// The digit picker as it lives in List1.
class ListDigits final : public DigitList {
  public:
    ListDigits(ChoiceList* list, const ButtonCells& cells) : list_(list), cells_(cells) {}
    int selectedIndex() const override;
    int heightTwips() const override;
    int leftTwips() const override;
    void moveTo(int leftTwips, int topTwips) override;
    void setLeftTwips(int leftTwips) override;
    void bringToFront() override;
    void takeKeyboard(int openedBeside) override;
    void giveKeyboardBack() override;

  private:
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
    void clearSavedGames() override;
    void addSavedGame(const std::string& gameName) override;
    std::string selectedSavedGame() const override;

  private:
    QWidget* widget(PanelControl control) const;
    std::string labelBytes_; // the folder as the file system spells it; Label1 shows it decoded
};

struct WindowServices {
    Dialogs* dialogs = nullptr;           // the window's own Qt boxes when null
    std::unique_ptr<RandomSource> random; // reseeded from the clock when null
    VolumeSource volumes;                 // the machine's mounted volumes when null
    std::string startFolder;              // the process's current folder when empty
};

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(WindowServices services = {});
    ~MainWindow() override;

    const GameValues& values() const { return values_; }

    // The window's event handlers.
    void Form_Load();
    void Form_Click();
    void Command1_MouseDown(int Index);
    void Command1_Click(int Index);
    void Command1_DragDrop(int Index, const QMimeData* Source);
    void Command2_Click();
    void Command3_Click();
    void List1_Click();
    void Image1_MouseDown();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Drive1_Change();
    void Dir1_Change();
    void List2_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void buildBoard();
    ColourButton* buildButton(const layout::GameButton& look);
    void buildDigitList();
    void colourDigitList();
    void buildEraser();
    void buildFilePanel(VolumeSource volumes, const std::string& startFolder);
    void setTabOrder();

    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs* dialogs_;
    std::unique_ptr<RandomSource> random_;
    GameValues values_;
    ButtonCells cells_;

    ColourButton* command2_ = nullptr;
    ColourButton* command3_ = nullptr;
    ColourButton* command4_ = nullptr;
    ColourButton* command5_ = nullptr;
    ColourButton* command6_ = nullptr;
    ChoiceList* list1_ = nullptr;
    ChoiceList* list2_ = nullptr;
    VolumeList* drive1_ = nullptr;
    FolderList* dir1_ = nullptr;
    QLabel* label1_ = nullptr;
    EraserPicture* image1_ = nullptr;

    std::unique_ptr<ListDigits> digits_;
    std::unique_ptr<GameCommands> commands_;
    std::unique_ptr<Play> play_;
    WindowPanel panel_;
    std::unique_ptr<FilePanel> filePanel_;
    bool pressedOnWindow_ = false;
    QPixmap backdrop_; // decoded at the first paint
};

} // namespace tessal
